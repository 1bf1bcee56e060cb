#include "timing/TimingOperations.h"

#include "timing/ItemRowModel.h"
#include "timing/TimeText.h"

namespace TimingOperations {

double sessionMinutes(const Item &item, const Moment &now)
{
    // The recorded start is the truth; the "最近开始" text is for the eye and need not parse back.
    if (item.sessionCount() == 0)
        return 0;
    const QDateTime end = item.running ? now.realSince(item.anchor) : now.wall;
    return TimeText::roundMinutes(double(TimeText::wholeMinutes(item.latestStart(), end)));
}

double runningMinutes(const Item &item, const Moment &now)
{
    const double session = item.running ? sessionMinutes(item, now) : 0.0;
    return TimeText::roundMinutes(item.total + session);
}

double sessionMinutes(const ItemRowModel &rows, int pos, const Moment &now)
{
    return rows.isValid(pos) ? sessionMinutes(rows.at(pos), now) : 0.0;
}

double runningMinutes(const ItemRowModel &rows, int pos, const Moment &now)
{
    return rows.isValid(pos) ? runningMinutes(rows.at(pos), now) : 0.0;
}


QString itemTooltip(const ItemRowModel &rows, int pos)
{
    return rows.tooltip(pos);
}

} // namespace TimingOperations
