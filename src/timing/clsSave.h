#pragma once
// One item's session record: when each session started and ended, and the minutes it booked.

#include "OrderedList.h"

#include <QTime>

// Entry k of cEnd and cTime belongs to entry k of cStart; while the item is being timed cStart has
// one entry more than the other two.
struct clsSave {
    OrderedList<QTime> cStart;
    OrderedList<QTime> cEnd;
    OrderedList<double> cTime;
};
