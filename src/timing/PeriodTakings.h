#pragma once
// The takings of several days at once, from the day ledgers alone: per item, per day (per hour
// when the period is one day) and the busy hours. Read afresh each time: the files are the store,
// and a cache could show a day that has grown since.

#include "timing/AmountDue.h"
#include "timing/ShiftTally.h"
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class DayLedger;
struct LedgerReadControl;

struct PeriodTakings {
    // One item (machine) over the period: its bills, as the day view sums them.
    struct ItemLine {
        QString name;
        int sessions = 0; // sessions booked for it
        double minutes = 0; // the minutes of its bills
        double due = 0; // the sum of its fees for the machine's time, each rounded to the fen
        double goods = 0; // the goods sold to its customers

        double total() const; // both together
    };
    // One bar of the chart: a day, or for a single day an hour of it.
    struct Bucket {
        QDateTime start;
        QString label;
        double due = 0; // the machines' fees and the goods together
        double minutes = 0;
        bool future = false; // it starts after the moment of reading: nothing could be taken yet
    };
    // Minutes timed in one hour of the day. Over one day the day's own hours, 23 or 25 on a day the
    // clocks change; over several days the 24 hours of the clock, each summed over the days.
    struct Hour {
        QString label;
        double minutes = 0;
    };

    QDate first;
    QDate last;
    QList<ItemLine> items; // by name
    QList<Bucket> buckets; // in time order, one per day or hour of the period, empty ones too
    QList<Hour> busyHours;
    QList<ShiftTally::Line> shifts; // the operators' turns in time order; empty when none was kept
    int days = 0; // days of the period that have a ledger file
    int lines = 0; // ledger lines read
    int skipped = 0; // ledger lines that could not be read
    int unreadable = 0; // days whose file is there but could not be read: none of their takings are in
    bool cancelled = false; // the read was stopped: nothing is summed
    AmountDue::Rounding rounding = AmountDue::Rounding::Fen; // how each bill was rounded before it was added

    // Reads the files of first to last (inclusive, at most kMostDays) and nothing else; lines later
    // than readAt, when it is given, are skipped as the day view skips them. control, when given,
    // counts the days read and stops the reading when cancelled. Each bill is rounded by rule
    // before it is added, as the till asked for it.
    static PeriodTakings of(const DayLedger &ledger, QDate first, QDate last, const QDateTime &readAt = {},
                            LedgerReadControl *control = nullptr, AmountDue::Rounding rule = AmountDue::Rounding::Fen);
    static constexpr int kMostDays = 366 * 5;

    bool hourly() const { return first == last; }
    int sessions() const;
    double minutes() const;
    double due() const; // the sum of the items' fees for the machines' time
    double goods() const; // the sum of the goods sold
    double total() const; // both together
    // The item's share of all the period's minutes, 0 to 1; 0 when no minutes were timed.
    double share(const ItemLine &item) const;
};
