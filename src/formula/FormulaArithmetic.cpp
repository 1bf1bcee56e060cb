#include "formula/FormulaArithmetic.h"

#include <cmath>
#include <limits>

namespace {

constexpr double fault = std::numeric_limits<double>::quiet_NaN();

template <typename... Operands> double checked(double result, Operands... operands)
{
    if ((std::isnan(operands) || ...) || !std::isfinite(result))
        return fault;
    return result;
}

// The first of the values that no other beats, or a fault when there is none or one is a fault.
template <typename Beats> double extreme(const double *values, int count, Beats beats)
{
    if (count < 1)
        return fault;
    double best = values[0];
    for (int i = 0; i < count; ++i) {
        if (std::isnan(values[i]))
            return fault;
        if (beats(values[i], best))
            best = values[i];
    }
    return best;
}

} // namespace

namespace FormulaArithmetic {

double add(double a, double b)
{
    return checked(a + b, a, b);
}
double subtract(double a, double b)
{
    return checked(a - b, a, b);
}
double multiply(double a, double b)
{
    return checked(a * b, a, b);
}

double divide(double a, double b)
{
    // A zero divisor is a fault even where the quotient would be finite later on, as in 1/(1/0).
    return b == 0.0 ? fault : checked(a / b, a, b);
}

double integerDivide(double a, double b)
{
    const double dividend = roundHalfToEven(a);
    const double divisor = roundHalfToEven(b);
    if (divisor == 0.0)
        return fault;
    return checked(std::trunc(dividend / divisor), dividend, divisor);
}

double power(double base, double exponent)
{
    return checked(std::pow(base, exponent), base, exponent);
}

double negate(double a)
{
    return checked(-a, a);
}

double squareRoot(double a)
{
    return checked(std::sqrt(a), a);
}
double naturalLogarithm(double a)
{
    return checked(std::log(a), a);
}
double sine(double radians)
{
    return checked(std::sin(radians), radians);
}
double cosine(double radians)
{
    return checked(std::cos(radians), radians);
}
double tangent(double radians)
{
    return checked(std::tan(radians), radians);
}

double maximum(const double *values, int count)
{
    return extreme(values, count, [](double candidate, double best) { return candidate > best; });
}

double minimum(const double *values, int count)
{
    return extreme(values, count, [](double candidate, double best) { return candidate < best; });
}

double roundDown(double a)
{
    return checked(std::floor(a), a);
}
double roundTowardZero(double a)
{
    return checked(std::trunc(a), a);
}
double roundHalfAwayFromZero(double a)
{
    return checked(std::round(a), a);
}
double absolute(double a)
{
    return checked(std::fabs(a), a);
}

double roundHalfToEven(double a)
{
    // Independent of the floating-point rounding mode, unlike std::nearbyint.
    const double nearest = std::round(a);
    if (std::fabs(a - std::trunc(a)) == 0.5)
        return 2.0 * std::round(a / 2.0);
    return nearest;
}

} // namespace FormulaArithmetic
