// The part of a report view a change to many rows repaints: the changed columns of the rows in sight.

#include "app/ChangedCells.h"

#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

class TestChangedCells : public QObject {
    Q_OBJECT

private slots:
    void coversChangedColumnsOfRowsInSight();
};

void TestChangedCells::coversChangedColumnsOfRowsInSight()
{
    QStandardItemModel model(1000, 4);
    QTreeView view;
    view.setModel(&model);
    view.setUniformRowHeights(true);
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.scrollTo(model.index(500, 0), QAbstractItemView::PositionAtTop);
    const QRect port = view.viewport()->rect();
    const auto cell = [&](int row, int col) { return view.visualRect(model.index(row, col)); };
    // Every row, two columns: those columns down the whole viewport, the others left alone.
    const QRect all = changedCellsInSight(view, model.index(0, 1), model.index(999, 2));
    QCOMPARE(all, QRect(cell(500, 1).topLeft(), QPoint(cell(500, 2).right(), port.bottom())));
    // From a row in sight: from that row down.
    QCOMPARE(changedCellsInSight(view, model.index(502, 3), model.index(999, 3)).top(), cell(502, 3).top());
    // Up to a row in sight: down to that row.
    QCOMPARE(changedCellsInSight(view, model.index(0, 1), model.index(503, 1)).bottom(), cell(503, 1).bottom());
    // None in sight.
    QVERIFY(changedCellsInSight(view, model.index(0, 1), model.index(499, 3)).isEmpty());
    QVERIFY(changedCellsInSight(view, model.index(600, 1), model.index(999, 3)).isEmpty());
}

QTEST_MAIN(TestChangedCells)
#include "tst_ChangedCells.moc"
