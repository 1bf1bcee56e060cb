#include "timing/SchemeFee.h"

#include "formula/CompiledScheme.h"
#include "formula/FormulaEvaluator.h"
#include "formula/FormulaText.h"
#include "timing/TimeText.h"

#include <cmath>

namespace {
// The number the evaluator reads where the text way writes generalNumber(number): the number to
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
    const QByteArray text = TimeText::generalNumber(magnitude).toLatin1();
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
    QString written = TimeText::generalNumber(number);
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

double valCalc(FormulaEvaluator &objCalc, const QString &sExpresstion, double dblReplace)
{
    return schemeValue(objCalc, sExpresstion, dblReplace).value_or(0.0);
}
