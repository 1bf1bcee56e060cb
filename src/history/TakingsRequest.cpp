#include "history/TakingsRequest.h"

TakingsRequest TakingsRequest::days(const QDate &first, const QDate &last, const QDateTime &readAt)
{
    // startOfDay, not midnight: where the clocks change at midnight a day starts at 01:00.
    return {first.startOfDay(), last.addDays(1).startOfDay(), readAt, {}};
}

TakingsRequest TakingsRequest::readingAt(const QDateTime &at) const
{
    TakingsRequest request = *this;
    request.readAt = at;
    return request;
}

QDate TakingsRequest::lastDay() const
{
    // to is not counted: the last day is the one its instant before lies in.
    return to.addMSecs(-1).date();
}

int TakingsRequest::dayCount() const
{
    return int(firstDay().daysTo(lastDay())) + 1;
}
