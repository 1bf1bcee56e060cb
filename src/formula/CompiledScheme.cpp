#include "formula/CompiledScheme.h"

#include "formula/FormulaGrammar.h"
#include "formula/FormulaText.h"

#include <muParserBase.h>

#include <cmath>
#include <exception>

namespace {

// The longest number text a C can become: "(-1.23456789012345e-308)" is 24 characters.
constexpr qsizetype kLongestNumber = 32;
// Lower case, so it can never meet a name of the scheme, which reaches the parser upper-cased.
const char *const kVariable = "c";

bool isLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t';
}
bool isC(QChar c)
{
    return c == u'C' || c == u'c';
}
// Touching a number, these would become part of it or of a name beside it.
bool joins(QChar c)
{
    return isLetter(c) || (c >= u'0' && c <= u'9') || c == u'.';
}

// Whether a number written at position i of the scheme reads as one number and nothing else.
bool standsAlone(const QString &scheme, qsizetype i)
{
    const qsizetype size = scheme.size();
    if ((i > 0 && joins(scheme[i - 1])) || (i + 1 < size && joins(scheme[i + 1])))
        return false;
    // "1E+C" would read as one number with the minutes as its exponent.
    if (i > 1 && (scheme[i - 1] == u'+' || scheme[i - 1] == u'-') && (scheme[i - 2] == u'E' || scheme[i - 2] == u'e'))
        return false;
    // The text path drops the spaces between a name and a parenthesis: "SIN C" parses once the
    // minutes are negative and come in parentheses, and "C (1)" turns on whether C is a name.
    qsizetype before = i - 1;
    while (before >= 0 && isSpace(scheme[before]))
        --before;
    if (before >= 0 && isLetter(scheme[before]))
        return false;
    qsizetype after = i + 1;
    while (after < size && isSpace(scheme[after]))
        ++after;
    return after == size || scheme[after] != u'(';
}

} // namespace

CompiledScheme::CompiledScheme() = default;
CompiledScheme::~CompiledScheme() = default;

std::unique_ptr<CompiledScheme> CompiledScheme::compile(const QString &scheme)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < scheme.size(); ++i) {
        if (!isC(scheme[i]))
            continue;
        if (!standsAlone(scheme, i))
            return nullptr;
        ++count;
    }
    // Past this, some minutes would make the text too long for the evaluator and others not.
    if (scheme.size() + count * kLongestNumber > FormulaText::MaxLength)
        return nullptr;
    const std::optional<std::string> input = FormulaText::toParserInput(scheme);
    if (!input)
        return nullptr;
    std::string expression;
    expression.reserve(input->size());
    for (const char ch : *input) {
        if (ch == 'C')
            expression += kVariable;
        else
            expression.push_back(ch);
    }

    std::unique_ptr<CompiledScheme> compiled(new CompiledScheme);
    try {
        compiled->m_parser = FormulaGrammar::createParser(true);
        compiled->m_parser->DefineVar(kVariable, &compiled->m_value);
        compiled->m_parser->SetExpr(expression);
        // The library parses on the first evaluation: a scheme that does not parse shows here.
        int resultCount = 0;
        compiled->m_parser->Eval(resultCount);
    } catch (const mu::ParserError &) {
        return nullptr;
    } catch (const std::exception &) {
        return nullptr;
    }
    return compiled;
}

std::optional<double> CompiledScheme::evaluate(double value)
{
    m_value = value;
    try {
        int resultCount = 0;
        const double *results = m_parser->Eval(resultCount);
        if (resultCount != 1 || !std::isfinite(results[0]))
            return std::nullopt;
        // As the evaluator: no fee shows as -0.
        return results[0] + 0.0;
    } catch (const mu::ParserError &) {
        return std::nullopt;
    }
}
