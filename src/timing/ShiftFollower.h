#pragma once
// Which operator's turn each line of a day's ledger fell in, told by the shift lines read before
// it in the file: the order of writing, not an instant a clock may have got wrong, closes a shift.

#include "timing/Shift.h"

#include <QList>

struct LedgerEntry;

// A stretch of one day's file between two shift lines.
struct ShiftPart {
    Shift shift; // no operator and no start: no shift was being kept then
    // The stretch before the day's first shift line: a shift begun on an earlier day, known here
    // only when this day hands it over.
    bool carried = false;
};

class ShiftFollower {
public:
    ShiftFollower() : m_parts {ShiftPart {{}, true}} { }

    // Takes every entry of the day in file order; true when it was a shift line, which is no bill.
    bool take(const LedgerEntry &e);
    // The part the lines read now belong to, an index into parts().
    int current() const { return int(m_parts.size()) - 1; }
    const QList<ShiftPart> &parts() const { return m_parts; }

private:
    QList<ShiftPart> m_parts;
};
