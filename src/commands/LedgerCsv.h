#pragma once
// A day's ledger as a CSV file: one row per booked session, one per item that left the list.

#include <QByteArray>
#include <QStringList>

struct LedgerDay;

namespace LedgerCsv {

QStringList headers();
QByteArray bytes(const LedgerDay &day);

} // namespace LedgerCsv
