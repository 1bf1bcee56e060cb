// The report view's repaint at a new minute: only the changed columns of the rows in sight, a few
// rows per turn of the event loop, and cells drawn from kept text layouts exactly as the style
// draws them, the first time and after.

#include "app/ChangedCells.h"
#include "app/RowNavigatingView.h"
#include "draw/CellTextDelegate.h"
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

class TestListRepaint : public QObject {
    Q_OBJECT

private slots:
    void coversChangedColumnsOfRowsInSight();
    void repaintsABandAtATime();
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

// Collects the areas a widget paints.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget *widget) { widget->installEventFilter(this); }
    QList<QRect> areas;
    QRegion all;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            areas.append(static_cast<QPaintEvent *>(event)->rect());
            all += areas.last();
        }
        return false;
    }
};

void TestListRepaint::repaintsABandAtATime()
{
    QStandardItemModel model(1000, 4);
    RowNavigatingView<QTreeView> view;
    view.setModel(&model);
    view.setUniformRowHeights(true);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QWidget *port = view.viewport();
    QTRY_VERIFY(!port->visibleRegion().isEmpty());
    QCoreApplication::processEvents();
    const QRect changed = changedCellsInSight(view, model.index(0, 1), model.index(999, 2));
    const int rowHeight = view.visualRect(model.index(0, 0)).height();
    PaintSpy spy(port);
    Q_EMIT model.dataChanged(model.index(0, 1), model.index(999, 2));
    QVERIFY(spy.areas.isEmpty()); // nothing is drawn in the turn of the change
    QTRY_VERIFY(spy.all.contains(changed));
    QVERIFY(spy.areas.size() > 1);
    for (const QRect &area : std::as_const(spy.areas))
        QVERIFY2(area.height() <= 3 * rowHeight && changed.contains(area), qPrintable(QString::number(area.height())));
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
