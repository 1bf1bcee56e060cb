#include "history/PeriodItemRows.h"

#include "history/TakingsReports.h"

#include <QStandardItemModel>

namespace PeriodItemRows {

namespace {
QStandardItem *cell(const QString &text, const QVariant &sortKey, bool number)
{
    auto *item = new QStandardItem(text);
    item->setData(sortKey, kSortRole);
    item->setEditable(false);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}
} // namespace

void fill(QStandardItemModel &model, const PeriodTakings &p)
{
    const bool goods = TakingsReports::withGoods(p);
    const QStringList headings = TakingsReports::periodHeadings(p.rounding, goods);
    model.setRowCount(0);
    model.setColumnCount(int(headings.size()));
    model.setHorizontalHeaderLabels(headings);
    for (const PeriodTakings::ItemLine &item : p.items) {
        const QStringList texts = TakingsReports::periodRow(p, item, goods);
        // Names sort in the order they come in, PC2 before PC10, rather than as texts.
        QList<QStandardItem *> row {cell(texts[0], model.rowCount(), false), cell(texts[1], item.sessions, true),
                                    cell(texts[2], item.minutes, true)};
        if (goods)
            row << cell(texts[3], item.due, true) << cell(texts[4], item.goods, true);
        row << cell(texts[texts.size() - 2], item.total(), true) << cell(texts.last(), p.share(item), true);
        model.appendRow(row);
    }
}

} // namespace PeriodItemRows
