#pragma once
// The day as an operator closes it: what was settled (the items that left the list that day) and
// what is still open (the items on the list now), each with its amount due, and both totals.

#include "timing/AmountDue.h"
#include "timing/DayLedger.h"
#include "timing/Moment.h"
#include "timing/ShiftFollower.h"

#include <QList>

class ModClock;

struct DayTakings {
    // One item: settled, as the ledger booked it when it left; open, its bill as it stands now.
    struct Line {
        QString name;
        QString scheme;
        QDateTime left; // invalid for an open item
        bool ended = false; // a settled item was ended and reported first, rather than only removed
        bool atExit = false; // it left with the program
        bool running = false; // an open item being timed
        double minutes = 0;
        double fee = 0; // unrounded, as the list's 结果 holds it
        ItemLimit limit; // the item's limit, if it had one
        double goods = 0; // the amount of the goods sold beside the time, to the fen
        int shift = -1; // a settled item: the operator's turn it was settled in, an index into shifts

        // What the customer is handed: the fee rounded by the rule, plus the goods.
        double due(AmountDue::Rounding rule = AmountDue::Rounding::Fen) const;
    };

    QDate date;
    QList<Line> settled;
    QList<Line> open;
    // The day's stretches between shift lines, in the order of the file; the first is the shift
    // carried in from the day before, if one was.
    QList<ShiftPart> shifts;
    int lines = 0; // ledger lines read, sessions included
    int skipped = 0; // ledger lines that could not be read
    bool unreadable = false; // the day's file is there but could not be read: nothing is settled

    // The settled part alone, read from the ledger a line at a time on any thread: the day's
    // sessions are counted, not kept. Empty when cancelled through control.
    static DayTakings settledOf(const DayLedger &ledger, const QDate &day, const QDateTime &readAt,
                                const LedgerReadControl *control = nullptr);
    // The items on state's list with their minutes and fees at now, on the thread state lives on,
    // when the day is today; a past day, or a null state, has nothing open.
    void addOpen(ModClock *state, const Moment &now);
    // The shift open now began on an earlier day: the day's lines before its first shift line are
    // that shift's.
    void carryShift(const Shift &open);
    // The operator of the shift a settled line fell in; empty outside any shift.
    QString shiftOf(const Line &line) const;
    // Whether any shift was kept that day.
    bool withShifts() const;

    static double minutes(const QList<Line> &lines);
    // The sum of the lines' amounts due (AmountDue::total): machine fees and goods together.
    static double due(const QList<Line> &lines, AmountDue::Rounding rule = AmountDue::Rounding::Fen);
    // The machines' fees alone, each rounded by the rule, and the goods alone, at their prices.
    static double machineDue(const QList<Line> &lines, AmountDue::Rounding rule = AmountDue::Rounding::Fen);
    static double goodsDue(const QList<Line> &lines);
};
