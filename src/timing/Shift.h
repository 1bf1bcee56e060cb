#pragma once
// An operator's turn at the counter: from the moment it began to the hand-over that ended it.

#include <QDateTime>
#include <QString>

struct Shift {
    QString operatorName;
    QDateTime from;
    QDateTime to; // invalid while the shift goes on

    bool isOpen() const { return from.isValid() && !to.isValid(); }
    // A shift is known by the instant it began: one operator may take two turns in a day.
    bool sameAs(const Shift &other) const { return from.isValid() && from == other.from; }
    bool operator==(const Shift &) const = default;
};
