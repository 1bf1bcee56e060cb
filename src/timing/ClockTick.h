#pragma once
// The clock's tick: the running caption every tick, and once per clock minute the minutes and fee
// of every item being timed.

#include "timing/Moment.h"

#include <QDateTime>
#include <QPersistentModelIndex>
#include <QString>

#include <optional>

class FormulaEvaluator;
class ModClock;

// Puts dblReplace for every C or c of the formula and evaluates it; 0 when anything fails.
double valCalc(ModClock &state, const QString &sExpresstion, double dblReplace);

// valCalc's value, nothing for a failure. The text way writes the number into the formula as
// general number text; the other way gives the same to the last bit from the formula compiled
// once, and takes the text way wherever it cannot.
std::optional<double> schemeValue(FormulaEvaluator &calc, const QString &scheme, double number);
std::optional<double> schemeValueByText(FormulaEvaluator &calc, const QString &scheme, double number);

class ClockTick {
public:
    explicit ClockTick(ModClock &state) : m_state(state) { }

    struct Result {
        QString caption; // "正在计时..." + date and time
        bool refreshed = false; // this tick was the first of a new minute
        QString tooltip; // the current item's tooltip; empty when there is no current item
    };
    Result Tick(const Moment &now);

    // The parts of a tick, for a clock that runs the minute part every second and shows the rest
    // only while timing is on. The caption for now's second.
    QString Caption(const QDateTime &now);
    // The current item's tooltip, looked up again when the current item changed or, refreshed,
    // when the rows have just been brought up to date; empty without a current item.
    QString Tooltip(bool refreshed);

    // The minute part of a tick alone: refreshes every item being timed at the first call of a new
    // clock minute and returns true then. Items started one by one while the clock is off are
    // refreshed through this, so their rows and bills never go stale.
    bool RefreshIfNewMinute(const Moment &now);

    // How long from now until just after the next change of the second (1 to 1001 ms): nothing a
    // tick shows can change before then, so the clock sleeps until that moment instead of ticking
    // in between. Asked again after every wake, so an early or late wake only shortens the next.
    static int MsecsToNextSecond(const QDateTime &now);
    // The same up to just after the next change of the minute, for watchers of the minute alone.
    static int MsecsToNextMinute(const QDateTime &now);

    // "hh:mm" of the last minute the items were refreshed for; never reset.
    QString sLastMinute;

private:
    // again: within a minute already refreshed, for the sessions whose own minute has just turned.
    void refresh(const Moment &localNow, const QTime &minute, bool again = false);

    ModClock &m_state;
    // A tick may come early or twice in a second and then finds nothing new: the caption changes
    // once a second, the minute once a minute, the tooltip on a refresh or a new current item.
    qint64 m_captionSecond = -1;
    QString m_caption;
    int m_minuteOfDay = -1;
    QDate m_minuteDate;
    std::optional<qint64> m_nextRealMinuteMs; // the elapsed reading at which a session's next minute turns
    QPersistentModelIndex m_tooltipItem;
    QString m_tooltip;
};
