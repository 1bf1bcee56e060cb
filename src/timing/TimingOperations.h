#pragma once
// The arithmetic of a session's minutes, shared by everything that bills: the refresh, an end, the
// reports and an item leaving.

#include "timing/Moment.h"

#include <QString>

class ItemRowModel;
struct Item;

namespace TimingOperations {

// The whole minutes of the item's latest session up to now (0 before its first), and its booked
// minutes plus those of the session in progress; the same arithmetic ends a session, refreshes a
// row, reports a session in progress and bills an item that leaves. A session in progress counts
// the minute boundaries from its start to its start plus the time that really passed, so a wall
// clock set forward or back bills nothing and takes nothing away. The forms with a position give
// 0 outside the list.
double sessionMinutes(const Item &item, const Moment &now);
double runningMinutes(const Item &item, const Moment &now);
double runningMinutes(const ItemRowModel &rows, int pos, const Moment &now);
double sessionMinutes(const ItemRowModel &rows, int pos, const Moment &now);

// "所选项:" + name + " 计算结果: " + result column of the row + " 应收金额: " + its amount due,
// then its limit and what is left of it when it has one; empty outside the list.
QString itemTooltip(const ItemRowModel &rows, int pos);

} // namespace TimingOperations
