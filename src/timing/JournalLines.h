#pragma once
// The lines of the items' journal: how each change is written, how a line is read back and checked,
// and the whole state written as lines when the journal has to be written afresh.

#include "timing/CrashGap.h"
#include "timing/ItemChange.h"
#include "timing/JournalLineKinds.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class DayLedger;
class ModClock;

namespace JournalLines {

// The changes as lines, in the order the fields are written.
QStringList added(const NewItem &item, const QDateTime &at);
QStringList started(const QString &name, const QDateTime &at);
// An end keeps the minutes it booked: the clock may have been set since the start, and the replay
// must book what the run booked, not what the instants recorded would make of it.
QStringList ended(const QString &name, const QDateTime &at, double minutes);
QStringList removed(const QString &name);
// Start all or stop all, with the items a stop ended, each with the minutes it booked.
QStringList allTimed(bool started, const QDateTime &at, const QList<std::pair<QString, double>> &ended);

// Item name was given a limit, or had it cleared.
QStringList limit(const QString &name, const ItemLimit &limit, const QDateTime &at);
// The operator was told that these items reached their limits: a restore must not tell them again.
QStringList told(const QStringList &names, const QDateTime &at);

// The first line of a journal: when it began. No instant in it can be earlier.
QStringList begin(const QDateTime &at);
// The program was alive then: a power cut after it cost no more than the time since.
QStringList alive(const QDateTime &at);
// An item left the list with this bill. Written before the bill goes to the day's ledger, so that
// a crash between the two still books it, once: replaying the line books it again, and the ledger
// reads a line written twice as one.
QStringList left(const ItemBill &bill, How how, const QDateTime &at);

// Both clocks as the run read them, with its boot: written before each change, so that the change's
// instant is known on the elapsed clock too, and the last one is the last sign of life.
QStringList clock(const ClockReading &reading);
// Item name, on a scheme priced by the hour, stands so in its bands: a restore bills each band as
// the run did, whatever the wall clock did since.
QStringList bands(const QString &name, const ItemBands &bands, const QDateTime &at);
// Goods sold to item name's customer.
QStringList goods(const QString &name, const GoodsLine &goods, const QDateTime &at);
// The item that was from goes on as to.
QStringList moved(const QString &from, const QString &to, const QDateTime &at);
// A restored session of item name counts real time from anchor on.
QStringList anchor(const QString &name, const Moment &anchor);
// So many items were added and have left the list before the journal was written afresh without
// them: they still count among the items added.
QStringList gone(int count);

// The items as they stand, as lines that replay to the same items and sessions, behind a begin
// line no later than begun; with the running sessions' anchors and the clocks when now is given.
QByteArray snapshot(const ModClock &state, const QDateTime &begun, const QDateTime &at,
                    const std::optional<ClockReading> &now = std::nullopt);

// What reading a journal found.
struct Replayed {
    int entries = 0; // changes replayed
    int skipped = 0; // lines damaged, implausible, or naming an item that is not there
    QDateTime begun; // when the journal began; invalid when no line says
    QDateTime lastAlive; // the latest instant any line holds
    std::optional<ClockReading> last; // the last clock reading, when the run wrote any
    QByteArray kept; // the lines that replayed, begin line first
};

// Replays the file's content into state through its own operations. An instant read back without
// a clock reading is taken only between the journal's beginning (begun when the file does not say)
// and a minute after now; one with a reading is taken whatever the wall clock showed, since a clock
// that was wrong is no damage. A number is taken only when this program could have written it.
// Items that left the list with their bills are booked in ledger again when there is one.
Replayed replay(ModClock &state, const QByteArray &content, const QDateTime &begun, const QDateTime &now,
                DayLedger *ledger);

} // namespace JournalLines
