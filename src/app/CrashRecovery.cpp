#include "app/CrashRecovery.h"

#include "dialogs/Prompter.h"
#include "timing/ItemJournal.h"
#include "timing/ModClock.h"
#include "timing/WallClock.h"

#include <QLocale>

CrashRecovery::CrashRecovery(ModClock &state, const WallClock &clock, Prompter &prompter, Hooks hooks)
    : m_state(state), m_clock(clock), m_prompter(prompter), m_hooks(std::move(hooks))
{ }

bool CrashRecovery::offer(ItemJournal &journal, DayLedger *ledger)
{
    m_endAt.reset();
    const ItemJournal::Restored found = journal.peek(m_clock.moment());
    if (found.items == 0 && found.skipped == 0) {
        // Nothing to bring back; items that left the list are booked (again: the ledger keeps one).
        journal.settle(ledger, m_clock.moment());
        journal.discard();
        return true;
    }
    QString question = QStringLiteral("上次计时没有正常结束,恢复当时的计时项吗?");
    Prompter::Answer answer = Prompter::Answer::Yes;
    if (found.running > 0 && found.lastAlive.isValid()) {
        const QDateTime stopped = found.lastAlive.toLocalTime();
        const QString when = stopped.date() == m_clock.now().date()
            ? stopped.toString(QStringLiteral("hh:mm"))
            : QLocale().toString(stopped.date(), QLocale::ShortFormat) + stopped.toString(QStringLiteral(" hh:mm"));
        question = QStringLiteral("程序于 %1 意外中断。\n").arg(when) + question
            + QStringLiteral("\n\n是: 恢复,计时中的项连同中断的时间继续计时。\n"
                             "否: 不恢复,各项按中断时的结果记入当日账目。\n"
                             "恢复并截止于中断时刻: 计时中的项终止于 %1。")
                  .arg(when);
        // After a restart of the machine with a clock that was set meanwhile, the time the program
        // was down is not billed on a guess.
        if (found.gapUnknown)
            question += QStringLiteral("\n\n系统时钟在中断期间被改动过,无法得知中断了多长时间:"
                                       "恢复时计时中的项一律终止于 %1。")
                            .arg(when);
        answer =
            m_prompter.msgBoxWithChoice(question, QStringLiteral("恢复并截止于中断时刻"), Prompter::Icon::Question);
    } else {
        answer = m_prompter.msgBox(question, Prompter::Buttons::YesNo, Prompter::Icon::Question);
    }
    if (m_hooks.ending())
        return false;
    const Moment now = m_clock.moment();
    if (answer == Prompter::Answer::No) {
        journal.settle(ledger, now);
        return true;
    }
    // Sessions that go on count real time from here, whatever the wall clock does next.
    const ItemJournal::Restored r = journal.restore(m_state, now, ledger);
    if ((answer == Prompter::Answer::Choice || r.gapUnknown) && r.stoppedAt.wall.isValid())
        m_endAt = r.stoppedAt;
    m_hooks.restored();
    // As when an item is added started: the clock refreshes the running items. Those about to be
    // ended where the program stopped are not timed on.
    for (int i = 1; i <= m_state.lngItems && !m_endAt; ++i) {
        if (m_state.cRunning.value(i, false)) {
            m_hooks.timing();
            break;
        }
    }
    if (r.skipped > 0)
        m_prompter.msgBox(QStringLiteral("有%1条计时记录已损坏,无法恢复,已跳过。").arg(r.skipped),
                          Prompter::Buttons::Ok, Prompter::Icon::Exclamation);
    return true;
}

void CrashRecovery::finish()
{
    if (m_endAt)
        m_state.setAll(false, *m_endAt);
    m_endAt.reset();
}
