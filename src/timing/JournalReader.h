#pragma once
// Reads the lines of the items' journal back into the state, one change at a time, through the
// state's own operations.

#include "timing/CrashGap.h"
#include "timing/Moment.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

class DayLedger;
class ModClock;

// Reads lines back with the bounds of one journal: nothing before it began, nothing after the
// moment of reading but for a minute's grace, for the lines written without the clocks read.
class JournalReader {
public:
    JournalReader(ModClock &state, const QDateTime &begun, const QDateTime &now, DayLedger *ledger);

    // The clocks a clock line holds; nothing when the line is not an undamaged one.
    static std::optional<ClockReading> clockReading(const QStringList &fields);

    QDateTime instant(const QString &field) const;
    // The clocks read right before the line now being replayed was written, if they were.
    void setReading(const std::optional<ClockReading> &reading) { m_reading = reading; }
    // An instant of the line being replayed, with where the elapsed clock stood then when the
    // clocks were read with it. Such an instant is taken as written: the wall clock may have been
    // wrong, and the elapsed clock tells the time that passed.
    Moment moment(const QString &field) const;

    // Makes one recorded change again through the operation that made it; false when the line is
    // not a change, holds what this program never writes, or no longer applies.
    bool replay(const QStringList &fields);

private:
    // A limit is set again as the run set it; a number it would refuse (not finite, not above 0,
    // beyond any bill) was not written by this program.
    bool limit(const QStringList &fields);
    // An item's minutes in the bands of its scheme, as the run had put them.
    bool bands(const QStringList &fields);
    bool left(const QStringList &fields);

    ModClock &m_state;
    QDateTime m_begun;
    QDateTime m_latest;
    DayLedger *m_ledger;
    std::optional<ClockReading> m_reading;
};
