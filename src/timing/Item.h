#pragma once
// One timing item as a value: what the operator named and chose, its sessions and its bill.

#include "timing/BandedTiming.h"
#include "timing/ItemGoods.h"
#include "timing/ItemLimit.h"
#include "timing/Moment.h"
#include "timing/clsSave.h"

#include <QDateTime>
#include <QSharedDataPointer>
#include <QString>
#include <QTime>

// Numbers and instants only; the list formats them when it shows them. The session count and the
// latest start are read off the sessions, so they cannot disagree with them.
struct Item {
    QString name; // unique among the items, ignoring letter case
    QString scheme; // the scheme's formula, copied: later changes to the scheme list leave it
    clsSave record; // every session's start, end and booked minutes
    double typedIn = 0; // minutes accumulated before the item was added
    double total = 0; // typed-in minutes plus every finished session's; changes when one ends
    double minutesShown = 0; // the minutes the last refresh counted, rounded to two decimals
    double fee = 0; // what the scheme charges for minutesShown, unrounded
    QTime upTo; // the clock minute minutesShown were counted up to
    bool running = false; // being timed
    bool bold = false; // the item the last search found
    ItemLimit limit; // prepaid minutes or money, if any
    ItemGoods goods; // sold to the customer beside the time; not in the fee, in the amount due
    // A scheme priced by the hour: its minutes and fees band by band; null for a plain formula.
    QSharedDataPointer<BandedTiming> banded;
    // Where the session in progress counts real time from: its start, when it started in this run;
    // the restore, when it started in an earlier one. Without a reading, the wall clock alone.
    Moment anchor;

    ItemLimit::State limitState() const { return limit.state(minutesShown); }

    int sessionCount() const { return record.cStart.count(); }
    // The start of the latest session; invalid before the first one.
    QDateTime latestStart() const { return record.cStart.count() > 0 ? record.cStart.last() : QDateTime(); }
};
