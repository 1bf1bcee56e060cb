#include "history/ShiftHandOver.h"

#include "history/HandOverDialog.h"
#include "history/TakingsReports.h"
#include "timing/DayTakings.h"
#include "timing/ShiftRecord.h"
#include "timing/ShiftTakings.h"
#include "timing/WallClock.h"

ShiftHandOver::ShiftHandOver(ShiftRecord &record, const DayLedger &ledger, ModClock *state, const WallClock &clock,
                             TimingReports::PrinterFactory factory, QObject *parent)
    : QObject(parent), m_record(record), m_ledger(ledger), m_state(state), m_clock(clock),
      m_factory(std::move(factory))
{ }

DayTakings ShiftHandOver::takings(const Shift &shift, const QDateTime &at) const
{
    DayTakings taken = ShiftTakings::settledIn(m_ledger, shift, at);
    // The customers still seated are the next shift's to settle; the cash-up shows what they owe
    // at the hand-over, apart from what was taken.
    taken.addOpen(m_state, Moment(at, m_clock.elapsedMs()));
    return taken;
}

void ShiftHandOver::run(QWidget *owner)
{
    const std::optional<Shift> &current = m_record.current();
    const QDateTime now = m_clock.now();
    const DayTakings sofar = current ? takings(*current, now) : DayTakings();
    HandOverDialog dialog(current, sofar, now, m_receipt->rounding, TakingsReports::withGoods(sofar), owner);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // What the dialog asked for: who begins, or who takes over from the shift on duty.
    if (!dialog.handingOver())
        m_record.begin(dialog.nextOperator());
    else
        handOver(dialog.nextOperator(), dialog.printAtOnce());
}

std::optional<Shift> ShiftHandOver::handOver(const QString &nextOperator, bool printAtOnce)
{
    const std::optional<Shift> ended = m_record.handOver(nextOperator);
    if (!ended)
        return ended;
    const ReportDocument paper =
        TakingsReports::shiftDocument(*ended, takings(*ended, ended->to), !printAtOnce, *m_receipt);
    // One that could not be made is tried again by the next hand-over.
    if (!m_printer && m_factory)
        m_printer = m_factory();
    if (m_printer)
        m_printer->present(paper);
    return ended;
}
