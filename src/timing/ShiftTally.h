#pragma once
// The takings of each operator's turn over several days, added up a day at a time in date order:
// a shift that runs past midnight is one shift, whichever days its bills fall on.

#include "timing/ShiftFollower.h"

#include <QList>

#include <vector>

class ShiftTally {
public:
    // What one stretch of a day's file took, in whole fen.
    struct PartSum {
        int bills = 0;
        qint64 fen = 0;
        qint64 goodsFen = 0;
    };
    // One shift of the period, with what it took; a shift of no operator holds bills settled while
    // no shift was kept.
    struct Line {
        Shift shift;
        int bills = 0;
        double due = 0; // the machines' fees
        double goods = 0;

        double total() const;
    };

    // The next day's stretches and their sums, one per part.
    void addDay(const QList<ShiftPart> &parts, const std::vector<PartSum> &sums);
    // The shifts in time order; empty when no shift was kept in the period.
    QList<Line> lines() const;

private:
    struct Kept {
        Shift shift;
        PartSum sum;
    };
    std::vector<Kept> m_kept;
    bool m_anyShift = false;
};
