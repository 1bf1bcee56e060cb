#include "history/ShiftTable.h"

#include "timing/AmountDue.h"
#include "timing/TimeText.h"

#include <QHeaderView>

ShiftTable::ShiftTable(QWidget *parent) : QTableWidget(0, 0, parent)
{
    setObjectName(QStringLiteral("lvwShifts"));
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    hide();
}

QStringList ShiftTable::row(const ShiftTally::Line &shift, bool goods)
{
    const auto when = [](const QDateTime &at) { return at.isValid() ? TimeText::generalDateTime(at) : QString(); };
    QStringList texts {shift.shift.from.isValid() ? shift.shift.operatorName : QStringLiteral("未记班次"),
                       when(shift.shift.from),
                       shift.shift.to.isValid() || !shift.shift.from.isValid() ? when(shift.shift.to)
                                                                               : QStringLiteral("当班中"),
                       QString::number(shift.bills)};
    if (goods)
        texts << AmountDue::text(shift.due) << AmountDue::text(shift.goods);
    return texts << AmountDue::text(shift.total());
}

void ShiftTable::setShifts(const QList<ShiftTally::Line> &shifts, bool goods)
{
    setVisible(!shifts.isEmpty());
    QStringList headings {QStringLiteral("班次"), QStringLiteral("开始"), QStringLiteral("结束"),
                          QStringLiteral("结算项")};
    if (goods)
        headings << QStringLiteral("机时") << QStringLiteral("商品");
    headings << QStringLiteral("应收金额");
    setColumnCount(int(headings.size()));
    setHorizontalHeaderLabels(headings);
    setRowCount(int(shifts.size()));
    for (int r = 0; r < shifts.size(); ++r) {
        const QStringList texts = row(shifts[r], goods);
        for (int c = 0; c < texts.size(); ++c) {
            auto *cell = new QTableWidgetItem(texts[c]);
            if (c >= 3)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(r, c, cell);
        }
    }
}
