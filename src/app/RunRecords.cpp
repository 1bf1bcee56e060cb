#include "app/RunRecords.h"

#include "app/InstanceGuard.h"
#include "timing/DayLedger.h"
#include "timing/ItemJournal.h"
#include "timing/ShiftRecord.h"

#include <QDir>
#include <QTimer>

RunRecords::RunRecords(ModClock &state, const WallClock &clock, Prompter &prompter, InstanceGuard &guard,
                       std::function<bool()> ending, QObject *parent)
    : QObject(parent), m_state(state), m_clock(clock), m_prompter(prompter), m_guard(guard), m_ending(std::move(ending))
{ }

RunRecords::~RunRecords() = default;

void RunRecords::resumeJournal(CrashRecovery::Hooks hooks)
{
    // A second copy must neither offer nor write over the journal of the copy already running;
    // a program already ending asks nothing and leaves the journal for the next start.
    std::unique_ptr<ItemJournal> journal;
    if (!m_journal && !m_ending() && !m_guard.anotherInstanceRunning())
        journal = std::make_unique<ItemJournal>(ItemJournal::defaultPath(), &m_clock);
    hooks.ending = m_ending;
    CrashRecovery recovery(m_state, m_clock, m_prompter, std::move(hooks));
    // An end asked for while the question was up is no answer: the file waits for the next start.
    if (journal && journal->found() && !recovery.offer(*journal, m_ledger.get()))
        journal.reset();
    // What was replayed was recorded and booked when it was first done: the journal and the
    // ledger hear of the changes made from here on.
    if (m_ledger)
        m_ledger->follow(m_state);
    if (journal) {
        journal->onFailure = [this](const QString &path) {
            tellLater(
                QStringLiteral("无法写入计时日志文件:\n%1\n计时照常进行,但程序若意外结束,未写入的变化将无法恢复。")
                    .arg(QDir::toNativeSeparators(path)));
        };
        journal->onRecovered = [this](const QString &path) {
            tellLater(QStringLiteral("计时日志文件又可以写入了,当前的计时项已全部重新写入:\n%1")
                          .arg(QDir::toNativeSeparators(path)),
                      Prompter::Icon::Information);
        };
        journal->billsBooked = [this] { return !m_ledger || m_ledger->writing(); };
        journal->follow(m_state);
        m_journal = std::move(journal);
    }
    recovery.finish();
}

void RunRecords::keepLedger()
{
    // A second copy books its own sessions too: they are charged all the same, and each line
    // reaches the file whole.
    if (m_ledger || m_ending())
        return;
    m_ledger = std::make_unique<DayLedger>(DayLedger::defaultFolder());
    m_ledger->onFailure = [this](const QString &path) {
        tellLater(QStringLiteral("无法写入账目文件:\n%1\n计时照常进行,未写入的记录会在下一次记录时重试。")
                      .arg(QDir::toNativeSeparators(path)));
    };
    m_shifts = std::make_unique<ShiftRecord>(*m_ledger, m_clock);
    m_shifts->restore();
}

void RunRecords::tellLater(const QString &text, Prompter::Icon icon)
{
    // Told after the operation that failed has finished, not in the middle of it: a box runs the
    // clock's ticks while it waits.
    QTimer::singleShot(0, this, [this, text, icon] {
        if (!m_ending())
            m_prompter.msgBox(text, Prompter::Buttons::Ok, icon);
    });
}
