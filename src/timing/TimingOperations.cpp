#include "timing/TimingOperations.h"

#include "timing/ModClock.h"
#include "timing/TimeText.h"

namespace TimingOperations {

double SessionMinutes(const Item &item, const Moment &now)
{
    // The recorded start is the truth; the "最近开始" text is for the eye and need not parse back.
    if (item.sessionCount() == 0)
        return 0;
    const QDateTime end = item.running ? now.RealSince(item.anchor) : now.wall;
    return TimeText::RoundMinutes(double(TimeText::WholeMinutes(item.latestStart(), end)));
}

double RunningMinutes(const Item &item, const Moment &now)
{
    const double session = item.running ? SessionMinutes(item, now) : 0.0;
    return TimeText::RoundMinutes(item.total + session);
}

double SessionMinutes(const ModClock &state, int pos, const Moment &now)
{
    return state.lvwMain.IsValid(pos) ? SessionMinutes(state.lvwMain.At(pos), now) : 0.0;
}

double RunningMinutes(const ModClock &state, int pos, const Moment &now)
{
    return state.lvwMain.IsValid(pos) ? RunningMinutes(state.lvwMain.At(pos), now) : 0.0;
}

QString ItemTooltip(const ModClock &state, int pos)
{
    return QStringLiteral("所选项:") + state.lvwMain.Text(pos, ItemRowModel::ColName) + QStringLiteral(" 计算结果: ")
        + state.lvwMain.Text(pos, ItemRowModel::ColResult);
}

} // namespace TimingOperations
