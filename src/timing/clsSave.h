#pragma once
// One item's session record: when each session started and ended, and the minutes it booked.

#include "timing/OrderedList.h"

#include <QDateTime>

// Entry k of cEnd and cTime belongs to entry k of cStart; while the item is being timed cStart has
// one entry more than the other two. Starts and ends are instants, not times of day: minutes are
// counted as elapsed time, so a clock set back or a daylight-saving change cannot bill a day.
// Reports show them as the local time of day.
struct clsSave {
    template <typename T> using Sessions = OrderedList<T, false>; // a session has no key
    Sessions<QDateTime> cStart;
    Sessions<QDateTime> cEnd;
    Sessions<double> cTime;
};
