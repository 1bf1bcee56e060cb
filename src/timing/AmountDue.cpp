#include "timing/AmountDue.h"

#include "timing/TimeText.h"

#include <cmath>

namespace AmountDue {

std::optional<double> rounded(double fee)
{
    // Beyond 1e13 a double no longer holds every fen.
    if (!std::isfinite(fee) || std::fabs(fee) >= 1e13)
        return std::nullopt;
    // Minutes and money round alike: to the hundredth, after trimming the binary noise of the
    // decimal value to 15 significant digits.
    return TimeText::roundMinutes(fee);
}

QString text(double fee)
{
    const std::optional<double> amount = rounded(fee);
    return amount ? QString::number(*amount, 'f', 2) : QString();
}

double total(const QList<double> &fees)
{
    double sum = 0;
    for (const double fee : fees)
        sum += rounded(fee).value_or(std::nan(""));
    // Adding hundredths in binary leaves noise (0.1 + 0.2); the sum is a whole number of fen.
    return rounded(sum).value_or(std::nan(""));
}

} // namespace AmountDue
