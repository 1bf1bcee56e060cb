#pragma once
// The hand-over command: asks who takes over, closes the shift in the ledger and presents its
// cash-up, read back from the ledger as the shift stood at the moment it was handed over.

#include "commands/TimingReports.h"
#include "timing/ReceiptSettings.h"
#include "timing/Shift.h"

#include <QObject>

#include <memory>
#include <optional>

class DayLedger;
class ModClock;
class ShiftRecord;
class WallClock;
struct DayTakings;

class ShiftHandOver : public QObject {
    Q_OBJECT
public:
    ShiftHandOver(ShiftRecord &record, const DayLedger &ledger, ModClock *state, const WallClock &clock,
                  TimingReports::PrinterFactory factory, QObject *parent = nullptr);

    void setReceipt(std::shared_ptr<const ReceiptSettings> receipt) { m_receipt = std::move(receipt); }

    // Opens the dialog modally over owner: the shift on duty is handed over at the operator's OK,
    // or, with nobody on duty, the operator named begins one.
    void run(QWidget *owner);
    // Hands the shift on duty over to nextOperator (nobody when empty) and presents its cash-up,
    // previewed or printed; the shift that ended, none when nobody was on duty.
    std::optional<Shift> handOver(const QString &nextOperator, bool printAtOnce);

    // What shift took: settled up to at, and the items open at at when it is now.
    DayTakings takings(const Shift &shift, const QDateTime &at) const;

private:
    ShiftRecord &m_record;
    const DayLedger &m_ledger;
    ModClock *m_state;
    const WallClock &m_clock;
    TimingReports::PrinterFactory m_factory;
    std::unique_ptr<ReportPrinter> m_printer; // its own, so that a cash-up's preview stays open beside others
    std::shared_ptr<const ReceiptSettings> m_receipt = std::make_shared<ReceiptSettings>();
};
