// The report view's repaint at a new minute: only the changed columns of the rows in sight, and
// cells drawn from kept text layouts exactly as the style draws them, the first time and after.

#include "app/ChangedCells.h"
#include "draw/CellTextDelegate.h"
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

class TestListRepaint : public QObject {
    Q_OBJECT

private slots:
    void coversChangedColumnsOfRowsInSight();
    void drawsAsTheStyle_data();
    void drawsAsTheStyle();
};

void TestListRepaint::coversChangedColumnsOfRowsInSight()
{
    QStandardItemModel model(1000, 4);
    QTreeView view;
    view.setModel(&model);
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.scrollTo(model.index(500, 0), QAbstractItemView::PositionAtTop);
    const auto in = [&](int top, int left, int bottom, int right) {
        return changedCellsInSight(view, model.index(top, left), model.index(bottom, right));
    };
    const auto cell = [&](int row, int col) { return view.visualRect(model.index(row, col)); };
    QCOMPARE(in(0, 1, 999, 2), QRect(cell(500, 1).topLeft(), QPoint(cell(500, 2).right(), view.viewport()->rect().bottom())));
    QCOMPARE(in(502, 3, 999, 3).top(), cell(502, 3).top());
    QVERIFY(in(0, 1, 499, 3).isEmpty() && in(600, 1, 999, 3).isEmpty());
}

void TestListRepaint::drawsAsTheStyle_data()
{
    QTest::addColumn<int>("selectedRow");
    QTest::addColumn<int>("columnWidth");
    QTest::newRow("plain") << -1 << 90;
    QTest::newRow("a row selected") << 1 << 90;
    QTest::newRow("texts cut short") << 2 << 30;
}

void TestListRepaint::drawsAsTheStyle()
{
    QFETCH(int, selectedRow);
    QFETCH(int, columnWidth);
    const QStringList texts = {"PC1", "12:34", "1,234.5", "耗时累计(分钟)", "", "a\nb", "5*C/60"};
    QStandardItemModel model(5, 3);
    for (int i = 0; i < 15; ++i)
        model.setData(model.index(i / 3, i % 3), texts[i % texts.size()]);
    model.setData(model.index(0, 0), QColor(Qt::red), Qt::DecorationRole);
    model.setData(model.index(1, 0), QFont(QString(), 9, QFont::Bold), Qt::FontRole);
    model.setData(model.index(2, 1), QColor(0xff, 0xe0, 0x82), Qt::BackgroundRole);
    model.setData(model.index(3, 2), int(Qt::AlignRight | Qt::AlignVCenter), Qt::TextAlignmentRole);
    const auto shot = [&](QAbstractItemDelegate *delegate) {
        QTreeView view;
        view.setModel(&model);
        view.setItemDelegate(delegate);
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        view.header()->setDefaultSectionSize(columnWidth);
        view.resize(300, 160);
        view.selectionModel()->select(model.index(selectedRow, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        return view.grab().toImage();
    };
    QStyledItemDelegate styled;
    CellTextDelegate kept;
    const QImage expected = shot(&styled);
    QCOMPARE(shot(&kept), expected);
    QCOMPARE(shot(&kept), expected);
    // The sizes it gives by arithmetic are the style's: a column fitted to its contents shows them whole.
    QTreeView view;
    view.setModel(&model);
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.widget = &view;
    for (int i = 0; i < 15; ++i)
        QCOMPARE(kept.sizeHint(option, model.index(i / 3, i % 3)), styled.sizeHint(option, model.index(i / 3, i % 3)));
}

QTEST_MAIN(TestListRepaint)
#include "tst_ListRepaint.moc"
