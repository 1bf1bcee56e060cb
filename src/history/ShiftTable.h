#pragma once
// The operators' turns of a period as a table: who, from when to when, the bills settled and what
// they took; hidden when no shift was kept.

#include "timing/ShiftTally.h"

#include <QTableWidget>

class ShiftTable : public QTableWidget {
    Q_OBJECT
public:
    explicit ShiftTable(QWidget *parent = nullptr);

    // Shows shifts, amounts as the period was rounded; hides the table when there are none.
    void setShifts(const QList<ShiftTally::Line> &shifts, bool goods);
    // The texts of one shift's row.
    static QStringList row(const ShiftTally::Line &shift, bool goods);
};
