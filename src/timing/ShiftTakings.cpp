#include "timing/ShiftTakings.h"

#include "timing/DurableFile.h"

#include <QFile>

#include <algorithm>

namespace ShiftTakings {

namespace {
// Whether a day's file may hold a shift line: a café that keeps no shifts has two months of days
// to look through at every start, and a search of the bytes costs a fraction of reading the lines.
// Read a piece at a time: the file may be of any size.
bool mayHoldShifts(const DayLedger &ledger, const QDate &day)
{
    QFile file;
    if (DurableFile::openRegular(ledger.pathFor(day), file) != DurableFile::Opened::Open)
        return false;
    constexpr qsizetype kOverlap = 16; // longer than either word, so one cut by a piece's end is found
    QByteArray piece;
    for (;;) {
        const QByteArray more = file.read(256 * 1024);
        if (more.isEmpty())
            return false;
        piece = piece.right(kOverlap) + more;
        if (piece.contains("shift\t") || piece.contains("handover\t"))
            return true;
    }
}
} // namespace

std::optional<Shift> openShift(const DayLedger &ledger, const QDateTime &readAt)
{
    // Files are by the date the clock gave, so a clock that ran fast and was put right can leave
    // a later line in an earlier file: the order of the lines is not to be had across days. A
    // hand-over names the shift it ends, though: the shift open is the one begun that no hand-over
    // names, looking from the day after readAt's (where a fast clock may have written) back to
    // the latest day that holds a shift line.
    std::optional<Shift> open;
    QList<QDateTime> ended;
    const QDate today = readAt.date();
    for (int back = -1; back < kLookBack; ++back) {
        const QDate day = today.addDays(-back);
        if (!mayHoldShifts(ledger, day))
            continue;
        bool held = false;
        ledger.scan(day, QDateTime(), [&](LedgerEntry &&e) {
            if (e.kind == LedgerEntry::Kind::ShiftBegan) {
                held = true;
                if (!ended.contains(e.end) && (!open || e.end > open->from))
                    open = Shift {e.name, e.end, {}};
            } else if (e.kind == LedgerEntry::Kind::HandedOver) {
                held = true;
                ended.append(e.start);
                if (open && open->from == e.start)
                    open.reset();
            }
        });
        if (held && back >= 0)
            break;
    }
    return open;
}

DayTakings settledIn(const DayLedger &ledger, const Shift &shift, const QDateTime &readAt)
{
    DayTakings t;
    const QDate firstDay = shift.from.date();
    t.date = (shift.isOpen() ? readAt : shift.to).date();
    // The order of the file says which lines are the shift's: one dated after now by a clock that
    // was put right since was still taken during the shift.
    const QDate lastDay = std::max(firstDay, t.date);
    for (QDate day = firstDay; day <= lastDay; day = day.addDays(1)) {
        const DayTakings read = DayTakings::settledOf(ledger, day, QDateTime());
        t.unreadable = t.unreadable || read.unreadable;
        t.lines += read.lines;
        t.skipped += read.skipped;
        for (const DayTakings::Line &line : read.settled) {
            const ShiftPart &part = read.shifts[line.shift];
            // After its first day, a shift's lines stand before any shift line of the day.
            const bool carried = day != firstDay && part.carried && !part.shift.from.isValid();
            if (carried || part.shift.sameAs(shift))
                t.settled.append(line);
        }
    }
    for (DayTakings::Line &line : t.settled)
        line.shift = 0;
    t.shifts = {ShiftPart {shift}};
    return t;
}

} // namespace ShiftTakings
