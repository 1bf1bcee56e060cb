#include "commands/ToolbarCommands.h"

#include "commands/CommandActions.h"
#include "commands/CommandHost.h"
#include "commands/CurrentItem.h"
#include "commands/HistoryLog.h"
#include "commands/PaidQuestion.h"
#include "commands/TimingReports.h"
#include "dialogs/Prompter.h"
#include "timing/AmountDue.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"
#include "timing/ViewSettings.h"
#include "timing/WallClock.h"

#include <QAction>
#include <QChar>

#include <array>
#include <utility>

namespace {

constexpr qint32 kLastDepthMode = 6;

// Each colour and the one after it; 24-bit RGB with red in the low byte.
constexpr std::array<std::pair<qint32, qint32>, 6> kColorCycle {{
    {0, 16711680}, // black -> blue
    {16711680, 16776960}, // blue -> cyan
    {16776960, 65280}, // cyan -> green
    {65280, 16711935}, // green -> magenta
    {16711935, 255}, // magenta -> red
    {255, 16777215}, // red -> white
}};

} // namespace

ToolbarCommands::ToolbarCommands(ModClock &state, CurrentItem &current, CommandHost &host, CommandActions &actions,
                                 Prompter &prompter, const WallClock &clock, TimingReports &reports,
                                 HistoryLog &history, QObject *parent)
    : QObject(parent), m_state(state), m_current(current), m_host(host), m_actions(actions), m_prompter(prompter),
      m_clock(clock), m_reports(reports), m_history(history), m_states(state, current, actions, host)
{
    connect(&m_state, &ModClock::added, &m_current, &CurrentItem::set);
    // The tooltip speaks of the current item, whatever made it current.
    connect(&m_current, &CurrentItem::changed, this, [this] {
        if (m_current.position() == 0)
            m_host.setListToolTip(QString());
        else
            showTooltip();
    });
    // The tooltip shows the current item's result as the refresh left it.
    connect(&m_state, &ModClock::refreshed, this, &ToolbarCommands::showTooltip);
    // A click on a button or a menu entry triggers its action; the command runs here. A key runs
    // its button's command directly (keyPress), as a click does.
    for (const CommandTable::ButtonDef &def : CommandTable::buttons()) {
        const Button button = def.button;
        connect(m_actions.action(button), &QAction::triggered, this, [this, button] { buttonClick(button); });
    }
    for (const CommandTable::EntryDef &def : CommandTable::entries()) {
        const Entry entry = def.entry;
        connect(m_actions.action(entry), &QAction::triggered, this, [this, entry] { menuClick(entry); });
    }
    connect(m_actions.receiptAction(), &QAction::triggered, this, &ToolbarCommands::receiptRequested);
    connect(m_actions.handOverAction(), &QAction::triggered, this, &ToolbarCommands::handOverRequested);
    for (const auto &[action, request] : {std::pair {m_actions.limitAction(), &ToolbarCommands::limitRequested},
                                          std::pair {m_actions.goodsAction(), &ToolbarCommands::goodsRequested},
                                          std::pair {m_actions.moveAction(), &ToolbarCommands::moveRequested}})
        connect(action, &QAction::triggered, this, [this, request = request] {
            if (const int pos = m_current.position(); pos != 0)
                Q_EMIT(this->*request)(pos);
        });
    // The goods and the name are in the tooltip of the current item.
    connect(&m_state, &ModClock::goodsAdded, this, &ToolbarCommands::showTooltip);
    connect(&m_state, &ModClock::moved, this, &ToolbarCommands::showTooltip);
}

QString ToolbarCommands::removeQuestion(const QString &name)
{
    // The name on a line of its own: the operator sees whose bill the answer ends.
    return QStringLiteral("打印并结束该项计时吗? ") + u'\r' + name + u'\r'
        + QStringLiteral(" 按‘取消’将取消操作，‘是’将打印并结束计时，‘否’将仅仅移除该项计时。");
}

QString ToolbarCommands::notFoundMessage(const QString &name)
{
    return QStringLiteral("没有找到计时项目'") + name + u'\'';
}

qint32 ToolbarCommands::viewAfter(qint32 view)
{
    return view >= 0 && view < 3 ? view + 1 : 0;
}

qint32 ToolbarCommands::depthModeAfter(qint32 mode)
{
    // Compared before adding, so that the largest stored number wraps to 0 instead of overflowing.
    return mode >= kLastDepthMode ? 0 : mode + 1;
}

qint32 ToolbarCommands::colorAfter(qint32 color)
{
    for (const auto &[current, next] : kColorCycle) {
        if (current == color)
            return next;
    }
    return 0;
}

void ToolbarCommands::StartTimer()
{
    m_state.startTiming(m_current.position(), m_clock.moment());
}

void ToolbarCommands::EndTimer()
{
    m_state.endTiming(m_current.position(), m_clock.moment());
}

void ToolbarCommands::SetTimer(bool clockEnabled)
{
    m_state.setAll(clockEnabled, m_clock.moment());
}

void ToolbarCommands::reportCurrent(bool bPreview, bool settling)
{
    // Without a current item there is nothing to report on; a report of blank values would only
    // waste paper.
    if (m_current.position() == 0)
        return;
    std::optional<double> paid;
    if (settling && m_reports.receipt().askPaid) {
        const ItemBill bill = m_state.billOf(m_state.lvwMain.at(m_current.position()), m_clock.moment());
        if (const std::optional<qint64> due = AmountDue::fen(bill.due(m_reports.receipt().rounding)))
            paid = PaidQuestion::ask(m_prompter, AmountDue::fromFen(*due));
    }
    // Looked up again: the question ran an event loop.
    if (const int i = m_current.position(); i != 0)
        m_reports.ReportItem(m_state.lvwMain.at(i), bPreview, paid);
}

void ToolbarCommands::showTooltip()
{
    if (const int i = m_current.position(); i != 0)
        m_host.setListToolTip(TimingOperations::itemTooltip(m_state.lvwMain, i));
}

int ToolbarCommands::lastFoundPos() const
{
    return m_state.lvwMain.positionOf(m_lastFound);
}

void ToolbarCommands::buttonClick(Button button)
{
    switch (button) {
    case Button::New: Q_EMIT newItemsRequested(); break;
    case Button::Remove: removeCurrent(); break;
    case Button::Find: findItem(); break;
    case Button::Start: startStopAll(); break;
    case Button::Preview:
        if (m_state.lngItems > 0)
            m_reports.ReportAll(true);
        break;
    case Button::Print:
        if (m_state.lngItems > 0)
            m_reports.ReportAll(false);
        break;
    case Button::Scheme: Q_EMIT schemeRequested(); break;
    case Button::Style: showView(viewAfter(m_host.viewSettings().lngView)); break;
    case Button::History: Q_EMIT historyRequested(); break;
    case Button::Help: Q_EMIT helpRequested(); break;
    }
}

void ToolbarCommands::menuClick(Entry entry)
{
    ViewSettings &view = m_host.viewSettings();
    switch (entry) {
    case Entry::S1:
    case Entry::S2:
        // The entries are only enabled with a current item; without one there is nothing to flip.
        if (m_current.position() == 0)
            return;
        if (entry == Entry::S1)
            StartTimer();
        else
            EndTimer();
        break;
    case Entry::V1: reportCurrent(true); break;
    case Entry::V2: m_reports.ReportAll(true); break;
    case Entry::P1: reportCurrent(false); break;
    case Entry::P2: m_reports.ReportAll(false); break;
    case Entry::R1:
    case Entry::R2:
    case Entry::R3:
    case Entry::R4: showView(static_cast<int>(entry) - static_cast<int>(Entry::R1)); break;
    case Entry::R5:
        view.lngDepthMode = depthModeAfter(view.lngDepthMode);
        m_host.doResize();
        break;
    case Entry::R6:
        view.lngLineColor = colorAfter(view.lngLineColor);
        m_host.doResize();
        break;
    case Entry::R7:
        view.lngDepthColor = colorAfter(view.lngDepthColor);
        m_host.doResize();
        break;
    case Entry::H1:
    case Entry::H2: Q_EMIT helpRequested(); break;
    case Entry::H3: Q_EMIT aboutRequested(); break;
    }
}

std::optional<Button> ToolbarCommands::buttonForKey(QChar ch) const
{
    const std::optional<Button> button = CommandTable::forKey(ch);
    if (button == Button::Remove && !m_actions.action(Button::Remove)->isEnabled())
        return std::nullopt;
    return button;
}

bool ToolbarCommands::keyPress(QChar ch)
{
    // L, G, J and B are no button's: the first three act on the current item, and are those commands' alone.
    if (QAction *onItem = m_actions.letterCommandFor(ch)) {
        onItem->trigger();
        return true;
    }
    const std::optional<Button> button = buttonForKey(ch);
    if (!button)
        return false;
    buttonClick(*button);
    return true;
}

void ToolbarCommands::itemClick(int pos)
{
    if (!m_state.lvwMain.isValid(pos))
        return;
    m_current.set(pos); // its tooltip follows the current item
}

void ToolbarCommands::clockStartedByAnItem()
{
    m_host.setClockEnabled(true);
    m_states.setStartCaption(CommandStates::StartCaption::StopShort);
}

void ToolbarCommands::showView(qint32 view)
{
    m_host.viewSettings().lngView = view;
    m_host.setListView(view);
}

void ToolbarCommands::removeCurrent()
{
    // Removing needs a current item; without one the count must not go down.
    const int asked = m_current.position();
    if (asked == 0)
        return;
    // The answer is about the item the question named: that item, and no other row chosen
    // meanwhile, is ended and removed.
    const QPersistentModelIndex named = m_state.lvwMain.handle(asked);
    const Prompter::Answer answer = m_prompter.msgBox(removeQuestion(m_state.lvwMain.at(asked).name),
                                                      Prompter::Buttons::YesNoCancel, Prompter::Icon::Question, 3);
    if (answer == Prompter::Answer::Cancel || m_current.position() != m_state.lvwMain.positionOf(named))
        return;
    const bool ended = answer == Prompter::Answer::Yes;
    if (ended) {
        EndTimer();
        reportCurrent(true, true);
    }
    // Looked up again: the report may have run an event loop.
    const int i = m_state.lvwMain.positionOf(named);
    if (i == 0)
        return;
    const Moment now = m_clock.moment();
    RemovedItem removed = HistoryLog::snapshot(m_state.lvwMain.at(i), now, ended, m_state.tariff);
    m_state.leave(i, ended ? LeaveHow::Ended : LeaveHow::Removed, now);
    m_history.record(std::move(removed));
    m_host.setListToolTip(QString());
    m_current.set(0); // no current item any more
}

int ToolbarCommands::findRow(const QString &name) const
{
    // Names are unique after case folding, the same comparison the name list uses.
    const QString wanted = name.toCaseFolded();
    for (int pos = 1; pos <= m_state.lngItems; ++pos) {
        if (m_state.cName.value(pos).toCaseFolded() == wanted)
            return pos;
    }
    return 0;
}

void ToolbarCommands::findItem()
{
    const QString name =
        m_prompter.inputBox(QStringLiteral("请输入要查找的计时项目名称:"), QStringLiteral("查找计时项目"));
    if (name.isEmpty())
        return;
    const int pos = findRow(name);
    if (pos == 0) {
        m_prompter.msgBox(notFoundMessage(name), Prompter::Buttons::Ok, Prompter::Icon::Critical);
        return;
    }
    // Bold marks the row of the last search, so the one found before loses it even when the
    // operator has clicked other rows since.
    const int previous = lastFoundPos();
    if (previous != 0)
        m_state.lvwMain.setBold(previous, false);
    m_state.lvwMain.setBold(pos, true);
    m_lastFound = m_state.lvwMain.handle(pos);
    m_host.revealRow(pos);
    itemClick(pos);
}

void ToolbarCommands::startStopAll()
{
    m_host.setClockEnabled(!m_host.clockEnabled());
    const bool running = m_host.clockEnabled();
    SetTimer(running);
    m_states.setStartCaption(running ? CommandStates::StartCaption::StopAll : CommandStates::StartCaption::StartAll);
    if (!running)
        m_host.setCaption(QStringLiteral("已终止计时:") + TimeText::generalDateTime(m_clock.now()));
}
