#include "ToolbarCommands.h"

#include "CommandHost.h"
#include "HistoryLog.h"
#include "ModClock.h"
#include "Prompter.h"
#include "Reports.h"
#include "TimeText.h"
#include "ViewSettings.h"
#include "WallClock.h"

#include <QChar>

#include <array>
#include <utility>

namespace {

// Toolbar positions of the command buttons; the odd positions are spacers.
enum Button : int {
    NewButton = 2,
    RemoveButton = 4,
    FindButton = 6,
    StartButton = 8,
    PreviewButton = 10,
    PrintButton = 12,
    SchemeButton = 14,
    StyleButton = 16,
    HistoryButton = 18,
    HelpButton = 20,
};

constexpr qint32 kLastDepthMode = 6;

// Each colour and the one after it; 24-bit RGB with red in the low byte.
constexpr std::array<std::pair<qint32, qint32>, 6> kColorCycle{{
    {0, 16711680},        // black -> blue
    {16711680, 16776960}, // blue -> cyan
    {16776960, 65280},    // cyan -> green
    {65280, 16711935},    // green -> magenta
    {16711935, 255},      // magenta -> red
    {255, 16777215},      // red -> white
}};

} // namespace

ToolbarCommands::ToolbarCommands(ModClock &state, CommandHost &host, Prompter &prompter,
                                 const WallClock &clock, Reports &reports, HistoryLog &history)
    : m_state(state), m_host(host), m_prompter(prompter), m_clock(clock), m_reports(reports),
      m_history(history)
{
}

QString ToolbarCommands::RemoveQuestion()
{
    return QStringLiteral("打印并结束该项计时吗? ") + u'\r'
        + QStringLiteral(" 按‘取消’将取消操作，‘是’将打印并结束计时，‘否’将仅仅移除该项计时。");
}

QString ToolbarCommands::NotFoundMessage(const QString &name)
{
    return QStringLiteral("没有找到计时项目'") + name + u'\'';
}

qint32 ToolbarCommands::ViewAfter(qint32 view)
{
    return view >= 0 && view < 3 ? view + 1 : 0;
}

qint32 ToolbarCommands::DepthModeAfter(qint32 mode)
{
    // Compared before adding, so that the largest stored number wraps to 0 instead of overflowing.
    return mode >= kLastDepthMode ? 0 : mode + 1;
}

qint32 ToolbarCommands::ColorAfter(qint32 color)
{
    for (const auto &[current, next] : kColorCycle) {
        if (current == color)
            return next;
    }
    return 0;
}

int ToolbarCommands::LastFoundPos() const
{
    return m_state.lvwMain.PositionOf(m_lastFound);
}

void ToolbarCommands::ButtonClick(int pos)
{
    switch (pos) {
    case NewButton:
        m_host.ShowNewItemsDialog();
        break;
    case RemoveButton:
        removeCurrent();
        break;
    case FindButton:
        findItem();
        break;
    case StartButton:
        startStopAll();
        break;
    case PreviewButton:
        if (m_state.lngItems > 0)
            m_reports.ReportAll(true);
        break;
    case PrintButton:
        if (m_state.lngItems > 0)
            m_reports.ReportAll(false);
        break;
    case SchemeButton:
        m_host.ShowSchemeDialog();
        break;
    case StyleButton:
        showView(ViewAfter(m_host.viewSettings().lngView));
        break;
    case HistoryButton:
        m_host.ShowHistory();
        break;
    case HelpButton:
        m_host.ShowHelp();
        break;
    default:
        break;
    }
}

void ToolbarCommands::MenuClick(const QString &id)
{
    ViewSettings &view = m_host.viewSettings();
    if (id == u"S1" || id == u"S2") {
        // The entries are only enabled with a current item; without one there is nothing to flip.
        if (m_state.SelectedPos() == 0)
            return;
        const bool start = id == u"S1";
        if (start)
            m_host.StartTimer();
        else
            m_host.EndTimer();
        m_host.SetEntryEnabled(QStringLiteral("S1"), !start);
        m_host.SetEntryEnabled(QStringLiteral("S2"), start);
    } else if (id == u"V1") {
        m_reports.ReportItem(true);
    } else if (id == u"V2") {
        m_reports.ReportAll(true);
    } else if (id == u"P1") {
        m_reports.ReportItem(false);
    } else if (id == u"P2") {
        m_reports.ReportAll(false);
    } else if (id == u"R1" || id == u"R2" || id == u"R3" || id == u"R4") {
        showView(id.at(1).digitValue() - 1);
    } else if (id == u"R5") {
        view.lngDepthMode = DepthModeAfter(view.lngDepthMode);
        m_host.doResize();
    } else if (id == u"R6") {
        view.lngLineColor = ColorAfter(view.lngLineColor);
        m_host.doResize();
    } else if (id == u"R7") {
        view.lngDepthColor = ColorAfter(view.lngDepthColor);
        m_host.doResize();
    } else if (id == u"H1" || id == u"H2") {
        m_host.ShowHelp();
    } else if (id == u"H3") {
        m_host.ShowAbout();
    }
}

int ToolbarCommands::ButtonForKey(QChar ch) const
{
    // Only the Latin letters themselves: case mapping would let other characters (the long s
    // upper-cases to S) press buttons.
    switch (ch.unicode()) {
    case u'A': case u'a': return SchemeButton;
    case u'F': case u'f': return FindButton;
    case u'H': case u'h': return HelpButton;
    case u'M': case u'm': return m_host.ButtonEnabled(RemoveButton) ? RemoveButton : 0;
    case u'N': case u'n': return NewButton;
    case u'P': case u'p': return PrintButton;
    case u'R': case u'r': return StyleButton;
    case u'S': case u's': return StartButton;
    case u'T': case u't': return HistoryButton;
    case u'V': case u'v': return PreviewButton;
    default: return 0;
    }
}

bool ToolbarCommands::KeyPress(QChar ch)
{
    const int pos = ButtonForKey(ch);
    if (pos == 0)
        return false;
    ButtonClick(pos);
    return true;
}

void ToolbarCommands::showView(qint32 view)
{
    m_host.viewSettings().lngView = view;
    m_host.SetListView(view);
}

void ToolbarCommands::removeCurrent()
{
    // Removing needs a current item; without one the count must not go down.
    if (m_state.SelectedPos() == 0)
        return;
    const Prompter::Answer answer = m_prompter.MsgBox(RemoveQuestion(), Prompter::Buttons::YesNoCancel,
                                                      Prompter::Icon::Question, 3);
    if (answer == Prompter::Answer::Cancel)
        return;
    const bool ended = answer == Prompter::Answer::Yes;
    if (ended) {
        m_host.EndTimer();
        m_reports.ReportItem(true);
    }
    // Looked up again: the clock may have ticked while the box was open, and the report may have
    // run an event loop.
    const int i = m_state.SelectedPos();
    if (i == 0)
        return;
    m_history.Record(HistoryLog::Snapshot(m_state, i, m_clock.now(), ended));
    m_state.RemoveItem(i);
    m_host.SetListToolTip(QString());
    m_host.SetPanelText(3, QString::number(m_state.lngItems));
    m_state.itmSelected = QPersistentModelIndex();

    m_host.SetButtonEnabled(RemoveButton, false);
    for (const char *entry : {"S1", "S2", "V1", "P1"})
        m_host.SetEntryEnabled(QString::fromLatin1(entry), false);
}

int ToolbarCommands::findRow(const QString &name) const
{
    // Names are unique after case folding, the same comparison the name list uses.
    const QString wanted = name.toCaseFolded();
    const ItemRowModel &rows = m_state.lvwMain;
    for (int pos = 1; pos <= rows.Count(); ++pos) {
        if (rows.Text(pos, ItemRowModel::ColName).toCaseFolded() == wanted)
            return pos;
    }
    return 0;
}

void ToolbarCommands::findItem()
{
    const QString name = m_prompter.InputBox(QStringLiteral("请输入要查找的计时项目名称:"),
                                             QStringLiteral("查找计时项目"));
    if (name.isEmpty())
        return;
    const int pos = findRow(name);
    if (pos == 0) {
        m_prompter.MsgBox(NotFoundMessage(name), Prompter::Buttons::Ok, Prompter::Icon::Critical);
        return;
    }
    // Bold marks the row of the last search, so the one found before loses it even when the
    // operator has clicked other rows since.
    const int previous = LastFoundPos();
    if (previous != 0)
        m_state.lvwMain.SetBold(previous, false);
    m_state.Select(pos);
    m_state.lvwMain.SetBold(pos, true);
    m_lastFound = m_state.lvwMain.Handle(pos);
    m_host.RevealRow(pos);
    m_host.ItemClick(pos);
}

void ToolbarCommands::startStopAll()
{
    m_host.SetClockEnabled(!m_host.ClockEnabled());
    m_host.SetTimer();
    if (m_host.ClockEnabled()) {
        m_host.SetButtonCaption(StartButton, QStringLiteral("终止 &S"));
        m_host.SetButtonToolTip(StartButton, QStringLiteral("终止所有计时。"));
    } else {
        m_host.SetButtonCaption(StartButton, QStringLiteral("开始 &S"));
        m_host.SetButtonToolTip(StartButton, QStringLiteral("开始所有计时。"));
        m_host.SetCaption(QStringLiteral("已终止计时:") + TimeText::GeneralDateTime(m_clock.now()));
    }
}
