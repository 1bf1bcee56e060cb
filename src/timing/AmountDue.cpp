#include "timing/AmountDue.h"

#include "timing/TimeText.h"

#include <cmath>
#include <limits>

namespace AmountDue {

std::optional<qint64> fen(double fee)
{
    // Minutes and money round alike: to the hundredth, half away from zero as the decimal value
    // reads. Beyond 1e13 a double no longer holds every fen.
    return TimeText::hundredths(fee);
}

Rounding roundingFromStep(int step)
{
    for (const Rounding rule : {Rounding::Jiao, Rounding::HalfYuan, Rounding::Yuan})
        if (step == int(rule))
            return rule;
    return Rounding::Fen;
}

std::optional<qint64> fen(double fee, Rounding rule)
{
    std::optional<qint64> amount = fen(fee);
    const qint64 step = qint64(rule);
    if (!amount || step == 1)
        return amount;
    // Whole fen divide exactly: no double can put 1.25 a hair below the half step.
    const qint64 whole = *amount / step;
    const qint64 rest = *amount % step;
    const qint64 away = 2 * (rest < 0 ? -rest : rest) >= step ? (rest < 0 ? -1 : 1) : 0;
    return (whole + away) * step;
}

std::optional<double> rounded(double fee)
{
    const std::optional<qint64> amount = fen(fee);
    if (!amount)
        return std::nullopt;
    // Not fromFen(): a fee just below 1e13 may round up to it, and is still an amount.
    return double(*amount) / 100.0;
}

double fromFen(qint64 fen)
{
    if (fen <= -kMostFen || fen >= kMostFen)
        return std::numeric_limits<double>::quiet_NaN();
    return double(fen) / 100.0;
}

bool add(qint64 &sum, std::optional<qint64> fen)
{
    if (fen && sum != kNoFen && !__builtin_add_overflow(sum, *fen, &sum))
        return true;
    sum = kNoFen;
    return false;
}

QString text(double fee)
{
    const std::optional<double> amount = rounded(fee);
    return amount ? QString::number(*amount, 'f', 2) : QString();
}

double total(const QList<double> &fees)
{
    return total(fees, Rounding::Fen);
}

QString text(double fee, Rounding rule)
{
    const std::optional<qint64> amount = fen(fee, rule);
    return amount ? QString::number(double(*amount) / 100.0, 'f', 2) : QString();
}

QString label(Rounding rule)
{
    const QString due = QStringLiteral("应收金额");
    if (rule == Rounding::Fen)
        return due;
    return due + QStringLiteral("(按%1元取整)").arg(QString::number(int(rule) / 100.0, 'g', 3));
}

double total(const QList<double> &fees, Rounding rule)
{
    // Whole fen add up without the binary noise of hundredths (0.1 + 0.2).
    qint64 sum = 0;
    for (const double fee : fees)
        add(sum, fen(fee, rule));
    return fromFen(sum);
}

} // namespace AmountDue
