#pragma once
// What a takings view, its report and its CSV export sum: the ledger from one instant to another,
// as it stood at the moment of reading.

#include <QDate>
#include <QDateTime>
#include <QString>

struct TakingsRequest {
    QDateTime from; // the first instant counted
    QDateTime to; // the first instant no longer counted
    // Lines booked later than this are not counted yet (the clock may have been set back since);
    // invalid counts every line.
    QDateTime readAt;
    // The shift the takings are of, once a day can be split into shifts; empty: the whole day.
    QString shift;

    // The days first to last whole, from the start of first to the start of the day after last.
    static TakingsRequest days(const QDate &first, const QDate &last, const QDateTime &readAt = {});
    // The same request, read at another moment.
    TakingsRequest readingAt(const QDateTime &at) const;

    // The ledger's days the request covers: the readers count these days whole.
    QDate firstDay() const { return from.date(); }
    QDate lastDay() const;
    int dayCount() const;

    bool operator==(const TakingsRequest &) const = default;
};
