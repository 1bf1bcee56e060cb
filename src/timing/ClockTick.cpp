#include "timing/ClockTick.h"

#include "formula/CompiledScheme.h"
#include "formula/FormulaEvaluator.h"
#include "formula/FormulaText.h"
#include "timing/ItemJournal.h"
#include "timing/ModClock.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"

#include <algorithm>
#include <cmath>

namespace {
// The number the evaluator reads where the text way writes GeneralNumber(number): the number to
// 15 significant digits. Nothing where that text is no number at all (infinity, NaN).
// Below 1e15 only: a whole number there converts to an integer and back unchanged.
bool isWhole(double magnitude)
{
    return magnitude < 1e15 && static_cast<double>(static_cast<qint64>(magnitude)) == magnitude;
}

std::optional<double> numberAsWritten(double number)
{
    const double magnitude = std::fabs(number);
    if (isWhole(magnitude))
        return number + 0.0;
    // Minutes come rounded to the hundredth. Where x * 100 rounds to a whole k, x lies within a
    // 2^-53 part of k / 100, far inside half a step of 15 significant digits, so the text shows
    // k / 100 exactly, and reading it back rounds once, as the division does.
    const double hundredths = magnitude * 100.0;
    if (magnitude < 1e13 && isWhole(hundredths))
        return std::copysign(hundredths / 100.0, number);
    const QByteArray text = TimeText::GeneralNumber(magnitude).toLatin1();
    int length = 0;
    double read = 0;
    if (!FormulaText::readNumber(text.constData(), &length, &read) || length != text.size())
        return std::nullopt;
    return std::copysign(read, number);
}
} // namespace

std::optional<double> schemeValueByText(FormulaEvaluator &calc, const QString &scheme, double number)
{
    // A negative number goes in parentheses so that "C^2" stays a square and "2-C" no "2--5".
    QString written = TimeText::GeneralNumber(number);
    if (written.startsWith(u'-'))
        written = u'(' + written + u')';
    QString text;
    text.reserve(scheme.size() + 8);
    for (const QChar ch : scheme) {
        if (ch == u'C' || ch == u'c')
            text += written;
        else
            text += ch;
    }
    return calc.Evaluate(text);
}

std::optional<double> schemeValue(FormulaEvaluator &calc, const QString &scheme, double number)
{
    // Each minute every running item's fee comes here: writing and reading back the text would
    // cost most of the refresh.
    if (CompiledScheme *compiled = calc.compiled(scheme)) {
        if (const std::optional<double> read = numberAsWritten(number))
            return compiled->evaluate(*read);
    }
    return schemeValueByText(calc, scheme, number);
}

double valCalc(ModClock &state, const QString &sExpresstion, double dblReplace)
{
    return schemeValue(state.objCalc(), sExpresstion, dblReplace).value_or(0.0);
}

ClockTick::Result ClockTick::Tick(const Moment &moment)
{
    Result r;
    r.caption = Caption(moment.wall);
    r.refreshed = RefreshIfNewMinute(moment);
    r.tooltip = Tooltip(r.refreshed);
    return r;
}

QString ClockTick::Caption(const QDateTime &now)
{
    // From the local fields: going through the epoch would cost a time-zone lookup every tick.
    const qint64 second = now.date().toJulianDay() * 86400 + now.time().msecsSinceStartOfDay() / 1000;
    if (second != m_captionSecond) {
        m_captionSecond = second;
        m_caption = QStringLiteral("正在计时...") + TimeText::GeneralDateTime(now);
    }
    return m_caption;
}

QString ClockTick::Tooltip(bool refreshed)
{
    if (m_state.itmSelected != m_tooltipItem || refreshed) {
        m_tooltipItem = m_state.itmSelected;
        const int sel = m_state.SelectedPos();
        m_tooltip = sel != 0 ? TimingOperations::ItemTooltip(m_state, sel) : QString();
    }
    return m_tooltip;
}

namespace {
// A wake lands this far past the change it waits for, so that it never reads the old second.
constexpr int kWakeAfterChangeMs = 1;
} // namespace

int ClockTick::MsecsToNextSecond(const QDateTime &now)
{
    return 1000 - now.time().msec() + kWakeAfterChangeMs;
}

int ClockTick::MsecsToNextMinute(const QDateTime &now)
{
    const QTime t = now.time();
    return (60 - t.second()) * 1000 - t.msec() + kWakeAfterChangeMs;
}

bool ClockTick::RefreshIfNewMinute(const Moment &moment)
{
    const QDateTime &now = moment.wall;
    // Only a new clock minute can differ from sLastMinute; format it only then.
    const QTime time = now.time();
    const int minuteOfDay = time.hour() * 60 + time.minute();
    if (minuteOfDay == m_minuteOfDay && now.date() == m_minuteDate) {
        // A session whose minute edges are not the wall clock's (it began before the clock was set,
        // or the two clocks drifted apart) gains its minute between two wall minutes: it shows it
        // then, not a minute late.
        if (!moment.elapsedMs || !m_nextRealMinuteMs || *moment.elapsedMs < *m_nextRealMinuteMs)
            return false;
        refresh(moment, QTime(time.hour(), time.minute()), true);
        return true;
    }
    m_minuteOfDay = minuteOfDay;
    m_minuteDate = now.date();
    const QString n = TimeText::HourMinute(time);
    if (n == sLastMinute)
        return false;
    sLastMinute = n;
    refresh(moment, QTime(time.hour(), time.minute()));
    return true;
}

void ClockTick::refresh(const Moment &localNow, const QTime &minute, bool again)
{
    // Thousands of items measure their sessions against now: with its offset from UTC fixed, each
    // measurement is arithmetic instead of a question to the time-zone database.
    Moment now = localNow;
    now.wall = localNow.wall.toOffsetFromUtc(localNow.wall.offsetFromUtc());
    ItemRowModel &rows = m_state.lvwMain;
    const ItemRowModel::Batch batch(rows);
    const int count = std::min<int>(m_state.lngItems, rows.Count());
    std::optional<qint64> nextEdge;
    bool timing = false;
    for (int i = 1; i <= count; ++i) {
        const Item &item = rows.At(i);
        if (!item.running)
            continue;
        timing = true;
        if (const std::optional<qint64> edge = now.NextMinuteEdge(item.anchor))
            nextEdge = std::min(nextEdge.value_or(*edge), *edge);
        if (!again && item.upTo == minute)
            continue;
        TimingOperations::ShowMinutes(m_state, i, TimingOperations::RunningMinutes(item, now), minute);
    }
    m_nextRealMinuteMs = nextEdge;
    // While something is billed, the journal learns each minute that the program still runs: after
    // a power cut the sessions can end where the program stopped.
    if (timing && m_state.journal)
        m_state.journal->Alive(now.wall);
}
