#include "formula/FormulaText.h"

#include <charconv>
#include <cstring>
#include <system_error>

namespace {

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isUpperLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

// Everything else (comparison and logical operators, quotes, ?:, =, _ ...) would open parts of the
// parser library that formulas must not reach.
bool isAllowed(char16_t c)
{
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || isSpace(c))
        return true;
    return c != 0 && c < 0x80 && std::strchr(".+-*/\\^(),", static_cast<char>(c)) != nullptr;
}

const char *skipDigits(const char *p)
{
    while (isDigit(*p))
        ++p;
    return p;
}

} // namespace

std::optional<std::string> FormulaText::toParserInput(const QString &text)
{
    if (text.size() > MaxLength)
        return std::nullopt;

    std::string input;
    input.reserve(static_cast<std::size_t>(text.size()));
    bool blank = true;
    for (const QChar ch : text) {
        char16_t c = ch.unicode();
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        if (!isAllowed(c))
            return std::nullopt;
        blank = blank && isSpace(c);
        if (c == u'(') {
            // The parser knows a function only when its parenthesis follows the name directly.
            std::size_t end = input.size();
            while (end > 0 && isSpace(input[end - 1]))
                --end;
            if (end > 0 && isUpperLetter(input[end - 1]))
                input.resize(end);
        }
        input.push_back(static_cast<char>(c));
    }
    if (blank)
        return std::nullopt;
    return input;
}

int FormulaText::readNumber(const char *text, int *position, double *value)
{
    const char *end = skipDigits(text);
    bool hasDigits = end != text;
    if (*end == '.') {
        const char *fraction = end + 1;
        end = skipDigits(fraction);
        hasDigits = hasDigits || end != fraction;
    }
    if (!hasDigits)
        return 0;
    if (*end == 'E' || *end == 'e') {
        const char *exponent = end + 1;
        if (*exponent == '+' || *exponent == '-')
            ++exponent;
        const char *exponentEnd = skipDigits(exponent);
        if (exponentEnd == exponent)
            return 0;
        end = exponentEnd;
    }

    // std::from_chars ignores the locale, which Qt sets from the environment at start-up.
    double parsed = 0.0;
    const auto [stop, error] = std::from_chars(text, end, parsed, std::chars_format::general);
    if (error != std::errc() || stop != end)
        return 0;
    *value = parsed;
    *position += static_cast<int>(end - text);
    return 1;
}
