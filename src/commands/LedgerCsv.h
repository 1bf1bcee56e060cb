#pragma once
// A day's ledger as a CSV file: one row per booked session, one per item that left the list.

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <optional>

class BackgroundRead;
class DayLedger;
class QDate;
class QDateTime;
class QIODevice;
class SaveFileAsker;
struct LedgerReadControl;

namespace LedgerCsv {

QStringList headers();
// What writing the days of an export came to.
struct Written {
    bool whole = false; // every line of the days that could be read reached the file
    int unreadable = 0; // days whose files could not be read, and so are not in it
};

// The days first to last as read at readAt, one after the other under one heading row, written to
// out a line of the ledger at a time: a file of any size takes no more memory than a few of its
// lines. Not whole when control is cancelled or out refuses a write.
Written write(QIODevice &out, const DayLedger &ledger, const QDate &first, const QDate &last,
              const QDateTime &readAt, LedgerReadControl &control);

// Asks where to write the export of first..last, suggesting fileName in the documents folder, and
// writes it there on reading's thread, which shows its progress and a cancel button when it takes a
// while: the window answers meanwhile. The path written; an empty text when the operator cancelled
// the question or the writing; nothing when it could not be written, which the operator has been
// told. The days that could not be read are counted in unreadable, when given.
std::optional<QString> save(SaveFileAsker &asker, const QString &fileName, BackgroundRead &reading,
                            const DayLedger &ledger, const QDate &first, const QDate &last, const QDateTime &readAt,
                            int *unreadable = nullptr);
QString savedText(const std::optional<QString> &saved);

} // namespace LedgerCsv
