#include "timing/ShiftRecord.h"

#include "timing/DayLedger.h"
#include "timing/ShiftTakings.h"
#include "timing/WallClock.h"

ShiftRecord::ShiftRecord(DayLedger &ledger, const WallClock &clock, QObject *parent)
    : QObject(parent), m_ledger(ledger), m_clock(clock)
{ }

void ShiftRecord::restore()
{
    m_current = ShiftTakings::openShift(m_ledger, m_clock.now());
    Q_EMIT changed();
}

QString ShiftRecord::operatorName(const QString &typed)
{
    return typed.simplified();
}

void ShiftRecord::begin(const QString &name)
{
    const QString kept = operatorName(name);
    if (kept.isEmpty())
        return;
    if (m_current) {
        handOver(kept);
        return;
    }
    m_current = Shift {kept, m_clock.now(), {}};
    m_ledger.shiftBegan(*m_current);
    Q_EMIT changed();
}

std::optional<Shift> ShiftRecord::handOver(const QString &nextOperator)
{
    if (!m_current)
        return std::nullopt;
    Shift ended = *m_current;
    ended.to = m_clock.now();
    // The shift that ends and the one that begins are written as one: a crash between them must not
    // leave the counter with nobody on duty when a name was given.
    const DayLedger::Batch both(&m_ledger);
    m_ledger.handedOver(ended);
    m_current.reset();
    const QString next = operatorName(nextOperator);
    if (!next.isEmpty()) {
        m_current = Shift {next, ended.to, {}};
        m_ledger.shiftBegan(*m_current);
    }
    Q_EMIT changed();
    return ended;
}
