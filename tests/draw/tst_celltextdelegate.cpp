// Cells drawn from kept text layouts look exactly as the style draws them, the first time and after.

#include "draw/CellTextDelegate.h"

#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

class TestCellTextDelegate : public QObject {
    Q_OBJECT

private slots:
    void drawsAsTheStyle_data();
    void drawsAsTheStyle();
};

void TestCellTextDelegate::drawsAsTheStyle_data()
{
    QTest::addColumn<int>("selectedRow");
    QTest::addColumn<int>("columnWidth");
    QTest::newRow("plain") << -1 << 90;
    QTest::newRow("a row selected") << 1 << 90;
    QTest::newRow("texts cut short") << 2 << 30;
}

void TestCellTextDelegate::drawsAsTheStyle()
{
    QFETCH(int, selectedRow);
    QFETCH(int, columnWidth);
    const QStringList texts = {"PC1", "12:34", "1,234.5", "耗时累计(分钟)", "", "a\nb", "5*C/60"};
    QStandardItemModel model(5, 3);
    for (int i = 0; i < 15; ++i)
        model.setData(model.index(i / 3, i % 3), texts[i % texts.size()]);
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    model.setData(model.index(0, 0), picture, Qt::DecorationRole);
    QFont bold;
    bold.setBold(true);
    model.setData(model.index(1, 0), bold, Qt::FontRole);
    model.setData(model.index(2, 1), QColor(0xff, 0xe0, 0x82), Qt::BackgroundRole);
    model.setData(model.index(2, 1), QColor(Qt::black), Qt::ForegroundRole);
    model.setData(model.index(3, 2), int(Qt::AlignRight | Qt::AlignVCenter), Qt::TextAlignmentRole);
    const auto shot = [&](QAbstractItemDelegate *delegate) {
        QTreeView view;
        view.setModel(&model);
        view.setItemDelegate(delegate);
        view.setRootIsDecorated(false);
        view.setAllColumnsShowFocus(true);
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        for (int c = 0; c < 3; ++c)
            view.setColumnWidth(c, columnWidth);
        view.resize(300, 160);
        if (selectedRow >= 0)
            view.selectionModel()->select(model.index(selectedRow, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
        return view.grab().toImage();
    };
    QStyledItemDelegate styled;
    CellTextDelegate kept;
    const QImage expected = shot(&styled);
    QCOMPARE(shot(&kept), expected);
    QVERIFY(kept.keptTexts() > 0);
    QCOMPARE(shot(&kept), expected);
}

QTEST_MAIN(TestCellTextDelegate)
#include "tst_celltextdelegate.moc"
