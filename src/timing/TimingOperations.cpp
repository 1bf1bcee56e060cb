#include "timing/TimingOperations.h"

#include "timing/AmountDue.h"
#include "timing/ItemRowModel.h"
#include "timing/TimeText.h"

namespace TimingOperations {

double sessionMinutes(const Item &item, const Moment &now)
{
    // The recorded start is the truth; the "最近开始" text is for the eye and need not parse back.
    if (item.sessionCount() == 0)
        return 0;
    const QDateTime end = item.running ? now.realSince(item.anchor) : now.wall;
    return TimeText::roundMinutes(double(TimeText::wholeMinutes(item.latestStart(), end)));
}

double runningMinutes(const Item &item, const Moment &now)
{
    const double session = item.running ? sessionMinutes(item, now) : 0.0;
    return TimeText::roundMinutes(item.total + session);
}

double sessionMinutes(const ItemRowModel &rows, int pos, const Moment &now)
{
    return rows.isValid(pos) ? sessionMinutes(rows.at(pos), now) : 0.0;
}

double runningMinutes(const ItemRowModel &rows, int pos, const Moment &now)
{
    return rows.isValid(pos) ? runningMinutes(rows.at(pos), now) : 0.0;
}


QString itemTooltip(const ItemRowModel &rows, int pos)
{
    if (!rows.isValid(pos))
        return QString();
    // The result as the row shows it, and the amount a customer leaving now would be handed.
    const Item &item = rows.at(pos);
    QString tip = QStringLiteral("所选项:") + rows.text(pos, ItemRowModel::ColName) + QStringLiteral(" 计算结果: ")
        + rows.text(pos, ItemRowModel::ColResult) + QStringLiteral(" 应收金额: ") + AmountDue::text(item.fee);
    if (item.limit.isSet())
        tip += QStringLiteral(" 限额: ") + item.limit.text() + u' ' + item.limit.leftText(item.minutesShown, item.fee);
    for (const QString &line : rows.bandLines(item))
        tip += u'\n' + line;
    return tip;
}

} // namespace TimingOperations
