// libFuzzer target for the fee formula evaluator. Each input is tried three ways: as UTF-8 (also
// invalid), as Latin-1 (every byte value a character of its own), and as a token stream, so that
// most runs reach the parser with text close to a formula even though the parser library itself
// is not instrumented. Besides crashes, hangs and sanitizer reports it checks that an accepted
// formula has a finite value, gives the same value again, and agrees with an independent reading
// of the grammar.
#include "ReferenceFormula.h"
#include "formula/FormulaEvaluator.h"
#include "formula/FormulaText.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

const char *const tokens[] = {
    "0",
    "1",
    "2",
    "3",
    "5",
    "7",
    "9",
    "60",
    "90",
    "0.5",
    "2.5",
    ".",
    "E",
    "e",
    "E+",
    "E-",
    "1.5E+20",
    "1E308",
    "+",
    "-",
    "*",
    "/",
    "\\",
    "^",
    "(",
    ")",
    ",",
    " ",
    "\t",
    "SQR(",
    "log(",
    "Sin(",
    "COS(",
    "tan(",
    "MAX(",
    "min(",
    "INT(",
    "fix(",
    "ROUND(",
    "Abs(",
    "MAX",
    "X",
    "PI",
    "_pi",
    "?",
    ":",
    "<",
    "=",
    "&&",
    "\"",
    "sum(",
    "exp(",
    "\xe4\xb8\xad",
};

QString tokenText(const QByteArray &bytes)
{
    QString text;
    for (const char byte : bytes)
        text += QString::fromUtf8(tokens[static_cast<unsigned char>(byte) % std::size(tokens)]);
    return text;
}

[[noreturn]] void finding(const char *what, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", what, text.toUtf8().constData());
    std::abort();
}

void check(const FormulaEvaluator &evaluator, const QString &text)
{
    const std::optional<double> value = evaluator.Evaluate(text);
    if (value && !std::isfinite(*value))
        finding("accepted a value that is not finite", text);
    if (evaluator.Evaluate(text) != value)
        finding("two evaluations differ", text);

    const std::optional<std::string> input = FormulaText::toParserInput(text);
    if (!input) {
        if (value)
            finding("accepted text that has no parser input", text);
        return;
    }
    bool deep = false;
    const std::optional<double> expected = ReferenceFormula::evaluate(*input, &deep);
    if (deep)
        return;
    if (value.has_value() != expected.has_value())
        finding(value ? "accepted what the grammar refuses" : "refused what the grammar accepts", text);
    if (value && std::memcmp(&*value, &*expected, sizeof(double)) != 0)
        finding("value differs from the grammar's", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const FormulaEvaluator evaluator;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    check(evaluator, QString::fromUtf8(bytes));
    check(evaluator, QString::fromLatin1(bytes));
    check(evaluator, tokenText(bytes));
    return 0;
}
