#pragma once
// The operator on duty now: the shift the ledger says is open, begun and handed over here. The
// ledger is the only store, so a shift outlives a crash and a restart as its lines do.

#include "timing/Shift.h"

#include <QObject>

#include <optional>

class DayLedger;
class WallClock;

class ShiftRecord : public QObject {
    Q_OBJECT
public:
    ShiftRecord(DayLedger &ledger, const WallClock &clock, QObject *parent = nullptr);

    // Takes up the shift the ledger holds open, if any.
    void restore();
    const std::optional<Shift> &current() const { return m_current; }

    // A name the operator typed, as a shift keeps it: on one line, without the spaces around it.
    static QString operatorName(const QString &typed);

    // operatorName begins a shift now; one already open is handed over first.
    void begin(const QString &operatorName);
    // Ends the open shift now and begins the next operator's when a name is given; the shift that
    // ended, with its end. Nothing when no shift was open.
    std::optional<Shift> handOver(const QString &nextOperator = {});

Q_SIGNALS:
    // The operator on duty changed, or none is any longer.
    void changed();

private:
    DayLedger &m_ledger;
    const WallClock &m_clock;
    std::optional<Shift> m_current;
};
