#pragma once
// A day's ledger as a CSV file: one row per booked session, one per item that left the list.

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <optional>

class DayLedger;
class QDate;
class QDateTime;
class SaveFileAsker;
struct LedgerDay;

namespace LedgerCsv {

QStringList headers();
QByteArray bytes(const LedgerDay &day);
// The days first to last, one after the other under one heading row, as read at readAt; the days
// whose files could not be read are counted in unreadable, when given.
QByteArray bytes(const DayLedger &ledger, const QDate &first, const QDate &last, const QDateTime &readAt,
                 int *unreadable = nullptr);

// Asks where to write the export, suggesting fileName in the documents folder, and writes what
// content() gives there. The path written; an empty text when the operator cancelled; nothing
// when it could not be written, which the operator has been told.
std::optional<QString> save(SaveFileAsker &asker, const QString &fileName, const std::function<QByteArray()> &content);
// What the view says after save(): where it went, that it failed, or nothing when cancelled.
QString savedText(const std::optional<QString> &saved);

} // namespace LedgerCsv
