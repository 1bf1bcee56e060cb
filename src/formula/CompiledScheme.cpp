#include "formula/CompiledScheme.h"

#include "formula/FormulaGrammar.h"
#include "formula/FormulaText.h"

#include <muParserBase.h>
#include <muParserBytecode.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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
        const std::unique_ptr<mu::ParserBase> parser = FormulaGrammar::createParser(true);
        parser->DefineVar(kVariable, &compiled->m_value);
        parser->SetExpr(expression);
        // The library parses on the first evaluation: a scheme that does not parse shows here, and
        // so does a list of results, "1,2", which the evaluator refuses.
        int resultCount = 0;
        parser->Eval(resultCount);
        if (resultCount != 1 || !compiled->takeSteps(parser->GetByteCode()))
            return nullptr;
    } catch (const mu::ParserError &) {
        return nullptr;
    } catch (const std::exception &) {
        return nullptr;
    }
    return compiled;
}

// Takes the parser's program if it holds only what the fee grammar makes of a formula: numbers,
// the one variable and plain functions of one, two or a list of operands. Anything else, or a
// program that does not leave exactly one value, is left to the text way.
bool CompiledScheme::takeSteps(const mu::ParserByteCode &code)
{
    int depth = 0;
    int deepest = 0;
    for (const mu::SToken *token = code.GetBase(); token->Cmd != mu::cmEND; ++token) {
        Step step {};
        if (token->Cmd == mu::cmVAL) {
            step.kind = Step::Number;
            step.number = token->Val.data2;
            ++depth;
        } else if (token->Cmd == mu::cmVAR && token->Val.ptr == &m_value) {
            step.kind = Step::Variable;
            ++depth;
        } else if (token->Cmd == mu::cmFUNC && token->Fun.cb._pUserData == nullptr) {
            const int argc = token->Fun.argc;
            if (argc == 1) {
                step.kind = Step::Unary;
                step.unary = reinterpret_cast<double (*)(double)>(token->Fun.cb._pRawFun);
            } else if (argc == 2) {
                step.kind = Step::Binary;
                step.binary = reinterpret_cast<double (*)(double, double)>(token->Fun.cb._pRawFun);
                // The step before an operator pushed its right operand.
                if (!m_steps.empty()
                    && (m_steps.back().kind == Step::Number || m_steps.back().kind == Step::Variable)) {
                    step.kind = m_steps.back().kind == Step::Number ? Step::WithNumber : Step::WithVariable;
                    step.number = m_steps.back().number;
                    m_steps.pop_back();
                }
            } else if (argc < 0) {
                step.kind = Step::List;
                step.count = -argc;
                step.list = reinterpret_cast<double (*)(const double *, int)>(token->Fun.cb._pRawFun);
            } else {
                return false;
            }
            depth -= std::abs(argc) - 1;
            if (depth < 1)
                return false;
        } else {
            return false;
        }
        deepest = std::max(deepest, depth);
        m_steps.push_back(step);
    }
    m_stack.resize(static_cast<std::size_t>(deepest) + 1);
    return depth == 1;
}

std::optional<double> CompiledScheme::evaluate(double value)
{
    // The top of the stack stays in a register; below it, the stack holds the operands still
    // waiting, above one slot that the first push fills with nothing any step reads.
    double top = 0;
    double *const stack = m_stack.data();
    int below = 0;
    for (const Step &step : m_steps) {
        switch (step.kind) {
        case Step::Number:
            stack[below++] = top;
            top = step.number;
            break;
        case Step::Variable:
            stack[below++] = top;
            top = value;
            break;
        case Step::Unary: top = step.unary(top); break;
        case Step::Binary: top = step.binary(stack[--below], top); break;
        case Step::WithNumber: top = step.binary(top, step.number); break;
        case Step::WithVariable: top = step.binary(top, value); break;
        case Step::List:
            stack[below] = top;
            below -= step.count - 1;
            top = step.list(stack + below, step.count);
            break;
        }
    }
    if (!std::isfinite(top))
        return std::nullopt;
    // As the evaluator: no fee shows as -0.
    return top + 0.0;
}
