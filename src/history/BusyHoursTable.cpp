#include "history/BusyHoursTable.h"

#include <QHeaderView>

#include <cmath>

BusyHoursTable::BusyHoursTable(QWidget *parent) : QTableWidget(0, 2, parent)
{
    setObjectName(QStringLiteral("lvwBusyHours"));
    setHorizontalHeaderLabels({QStringLiteral("时段"), QStringLiteral("计时分钟")});
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setToolTip(QStringLiteral("各时段计时的分钟数,颜色越深越忙"));
}

void BusyHoursTable::setHours(const QList<PeriodTakings::Hour> &hours)
{
    double most = 0;
    int busiest = 0;
    for (int row = 0; row < hours.size(); ++row)
        if (hours[row].minutes > most)
            most = hours[row].minutes, busiest = row;
    setRowCount(int(hours.size()));
    for (int row = 0; row < hours.size(); ++row) {
        auto *label = new QTableWidgetItem(hours[row].label);
        // Whole minutes: the hundredths a session's edges leave are no use at a glance.
        auto *minutes = new QTableWidgetItem(QString::number(std::llround(hours[row].minutes)));
        minutes->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // A heat-map: the busier the hour, the deeper its amber, over light and dark palettes alike.
        const int depth = most > 0 ? int(200 * hours[row].minutes / most) : 0;
        for (QTableWidgetItem *item : {label, minutes})
            item->setBackground(QColor(240, 140, 20, depth));
        setItem(row, 0, label);
        setItem(row, 1, minutes);
    }
    // The hours worth seeing first, wherever the day starts.
    if (most > 0)
        scrollToItem(item(busiest, 0), QAbstractItemView::PositionAtCenter);
}
