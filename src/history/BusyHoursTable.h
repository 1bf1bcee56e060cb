#pragma once
// The busy hours of a period as a table: each hour's timed minutes, the busier the deeper its colour.

#include "timing/PeriodTakings.h"

#include <QTableWidget>

class BusyHoursTable : public QTableWidget {
    Q_OBJECT
public:
    explicit BusyHoursTable(QWidget *parent = nullptr);

    // Shows hours, scrolled to the busiest.
    void setHours(const QList<PeriodTakings::Hour> &hours);
};
