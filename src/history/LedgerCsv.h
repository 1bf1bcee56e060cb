#pragma once
// A day's ledger as a CSV file: one row per booked session, one per item that left the list, and
// on today's one per item still on the list.

#include "history/TakingsRequest.h"
#include "timing/DayTakings.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QStringList>

#include <functional>
#include <optional>

class BackgroundRead;
class DayLedger;
class ExportFolder;
class QIODevice;
class SaveFileAsker;
struct LedgerReadControl;

namespace LedgerCsv {

QStringList headers();
// What an export holds: the ledger lines the request sums, then the items still open at its readAt
// (today's, as the day view shows them), so that the file adds up to the view.
struct Span {
    TakingsRequest request;
    QList<DayTakings::Line> open;
};
// What writing the days of an export came to.
struct Written {
    bool whole = false; // every line of the days that could be read reached the file
    int unreadable = 0; // days whose files could not be read, and so are not in it
};

// The span's days one after the other under one heading row, then its open items, written to out
// a line of the ledger at a time: a file of any size takes no more memory than a few of its lines.
// Not whole when control is cancelled or out refuses a write.
Written write(QIODevice &out, const DayLedger &ledger, const Span &span, LedgerReadControl &control);

// Asks where to write the span's export, suggesting fileName (with no suffix) in the folder of the
// last export, and writes it there on reading's thread, which shows its progress and a cancel
// button when it takes a while: the window answers meanwhile. The path written, whose folder is
// then remembered; an empty text when the operator cancelled the question or the writing; nothing
// when it could not be written, which the operator has been told. The days that could not be read
// are counted in unreadable, when given.
std::optional<QString> save(SaveFileAsker &asker, ExportFolder &folder, const QString &fileName,
                            BackgroundRead &reading, const DayLedger &ledger, const Span &span,
                            int *unreadable = nullptr);
QString savedText(const std::optional<QString> &saved);

} // namespace LedgerCsv
