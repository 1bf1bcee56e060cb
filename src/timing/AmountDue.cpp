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
    // Whole fen add up without the binary noise of hundredths (0.1 + 0.2).
    qint64 sum = 0;
    for (const double fee : fees)
        add(sum, fen(fee));
    return fromFen(sum);
}

} // namespace AmountDue
