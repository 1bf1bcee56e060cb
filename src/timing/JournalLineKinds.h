#pragma once
// The kinds of line in the items' journal, named by the first field, shared by the code that writes
// the lines and the code that reads them back.

#include "timing/ItemChange.h"

#include <QString>

namespace JournalLines {

using How = LeaveHow;

// The first field of each kind of line.
inline const QString kBegin = QStringLiteral("begin");
inline const QString kAlive = QStringLiteral("alive");
inline const QString kAdd = QStringLiteral("add");
inline const QString kStart = QStringLiteral("start");
inline const QString kEnd = QStringLiteral("end");
inline const QString kRemove = QStringLiteral("remove");
inline const QString kLeft = QStringLiteral("left");
inline const QString kAll = QStringLiteral("all");
inline const QString kLimit = QStringLiteral("limit");
inline const QString kTold = QStringLiteral("told");
inline const QString kClock = QStringLiteral("clock");
inline const QString kAnchor = QStringLiteral("anchor");
inline const QString kGone = QStringLiteral("gone");
inline const QString kBands = QStringLiteral("bands");
inline const QString kGoods = QStringLiteral("goods");
inline const QString kMove = QStringLiteral("move");

} // namespace JournalLines
