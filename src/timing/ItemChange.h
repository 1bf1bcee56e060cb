#pragma once
// What the list announces when an item changes: the values a recorder (the journal, the day's
// ledger) needs, so that none of them has to look back into the list.

#include "timing/GoodsLine.h"
#include "timing/ItemLimit.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What the new-items dialog asks for when it adds an item.
struct NewItem {
    QString name;
    QString scheme; // the formula text, copied into the item
    double minutes = 0; // minutes accumulated before the item was added
    bool startNow = true;
};

// How an item left the list, in the journal as in the day's ledger.
enum class LeaveHow { Removed, Ended, AtExit };

// A session that has just been booked.
struct BookedSession {
    QString name;
    QString scheme;
    QDateTime start;
    double minutes = 0;
};

// Where an item on a scheme priced by the hour stands: its minutes in each band, how many of its
// running session's minutes they hold, and the band the latest minute fell in.
struct ItemBands {
    QList<double> minutes;
    double sessionBanded = 0;
    int band = -1;
};

// The bill of an item leaving the list: every minute it used, and its scheme's fee for them.
struct ItemBill {
    QString name;
    QString scheme;
    double minutes = 0;
    double fee = 0;
    ItemLimit limit; // the limit it had, kept with the bill
    QList<double> bands; // a scheme priced by the hour: the minutes in each band
    QList<double> bandFees; // and what each band's formula charges for them
    QList<GoodsLine> goods; // sold beside the time: the amount due is the fee plus these

    double due(AmountDue::Rounding rule = AmountDue::Rounding::Fen) const { return GoodsLine::due(fee, goods, rule); }
};
