#include "timing/ItemLimit.h"

#include "timing/AmountDue.h"
#include "timing/ChecksummedLine.h"
#include "timing/TimeText.h"

#include <cmath>

namespace {

bool sensible(double value, double most)
{
    return std::isfinite(value) && value > 0 && value <= most;
}

// A fee that stands still over a day of timing never uses up any money: a flat fee, or a scheme
// that has stopped charging.
bool rises(const ItemLimit::Fee &fee, double minutes)
{
    const double now = fee(minutes);
    for (const double ahead : {ItemLimit::kNearMinutes, 60.0, 24 * 60.0})
        if (fee(minutes + ahead) > now)
            return true;
    return false;
}

} // namespace

std::optional<ItemLimit::Kind> ItemLimit::kindOf(const QString &field)
{
    const int kind = field.size() == 1 ? field[0].digitValue() : -1;
    if (kind < int(Kind::None) || kind > int(Kind::Money))
        return std::nullopt;
    return Kind(kind);
}

std::optional<ItemLimit> ItemLimit::recorded(Kind kind, double amount)
{
    if (kind == Kind::None || !sensible(amount, kind == Kind::Minutes ? ChecksummedLine::kMostMinutes : kMostMoney))
        return std::nullopt;
    ItemLimit limit;
    limit.kind = kind;
    limit.amount = amount;
    return limit;
}

std::optional<ItemLimit> ItemLimit::ofMinutes(double minutes, bool endAtLimit)
{
    std::optional<ItemLimit> limit = recorded(Kind::Minutes, minutes);
    if (limit) {
        limit->endAtLimit = endAtLimit;
        limit->limitMinutes = minutes;
    }
    return limit;
}

std::optional<ItemLimit> ItemLimit::ofMoney(double money, bool endAtLimit, const Fee &fee, double minutes,
                                            QString *refusal)
{
    const auto refuse = [refusal](const QString &why) {
        if (refusal)
            *refusal = why;
        return std::nullopt;
    };
    std::optional<ItemLimit> limit = recorded(Kind::Money, money);
    if (!limit)
        return refuse(QStringLiteral("限额金额必须大于 0。"));
    if (!rises(fee, minutes))
        return refuse(QStringLiteral("该计时项的计时方案费用不随时间增加,不能按金额设定限额。\n请按分钟设定限额。"));
    // The money is used up at the last minute it still pays for: the one before the first whose fee
    // is more (a fee by the half hour begun pays 5 for all of minutes 31 to 60). Sessions add whole
    // minutes to the bill, so that minute is found by doubling and halving the step.
    const auto beyond = [&](double k) { return fee(minutes + k) > money; };
    double below = -1;
    double at = 0;
    while (!beyond(at)) {
        below = at;
        at = at == 0 ? 1 : at * 2;
        if (minutes + at > ChecksummedLine::kMostMinutes)
            return refuse(QStringLiteral("按该计时项的计时方案,费用达不到 %1 元。").arg(AmountDue::text(money)));
    }
    while (at - below > 1) {
        const double middle = std::floor((below + at) / 2);
        (beyond(middle) ? at : below) = middle;
    }
    limit->endAtLimit = endAtLimit;
    // Already more than the money now: the limit is past the moment it is set.
    limit->limitMinutes = TimeText::roundMinutes(at == 0 ? minutes : minutes + at - 1);
    return limit;
}

ItemLimit::State ItemLimit::state(double minutes) const
{
    if (!isSet())
        return State::None;
    if (minutes >= limitMinutes)
        return State::Reached;
    return minutes >= limitMinutes - kNearMinutes ? State::Near : State::None;
}

QString ItemLimit::text() const
{
    switch (kind) {
    case Kind::Minutes: return TimeText::generalNumber(amount) + QStringLiteral(" 分钟");
    case Kind::Money: return AmountDue::text(amount) + QStringLiteral(" 元");
    case Kind::None: break;
    }
    return QString();
}

QString ItemLimit::leftText(double minutes, double fee) const
{
    if (!isSet())
        return QString();
    if (state(minutes) == State::Reached) {
        // The customer is owed the figure, not only the fact: a 15-minute limit billed 288 minutes.
        if (kind == Kind::Minutes) {
            const double over = TimeText::roundMinutes(-minutesLeft(minutes));
            if (over > 0)
                return QStringLiteral("已到限额,超出 %1 分钟").arg(TimeText::generalNumber(over));
        } else if (const std::optional<double> over = AmountDue::rounded(-moneyLeft(fee)); over && *over > 0) {
            return QStringLiteral("已到限额,超出 %1 元").arg(AmountDue::text(*over));
        }
        return QStringLiteral("已到限额");
    }
    if (kind == Kind::Minutes)
        return QStringLiteral("剩余 %1 分钟")
            .arg(TimeText::generalNumber(TimeText::roundMinutes(minutesLeft(minutes))));
    return QStringLiteral("剩余 %1 元").arg(AmountDue::text(moneyLeft(fee)));
}
