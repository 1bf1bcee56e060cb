#include "dialogs/LeadingNumber.h"

#include <QByteArray>

#include <charconv>
#include <cmath>

namespace {

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Length of the longest prefix of s that is a number; 0 when there is none.
qsizetype numberLength(const QByteArray &s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool digits = false;
    while (i < n && isDigit(s[i])) {
        ++i;
        digits = true;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && isDigit(s[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    // An exponent counts only when at least one digit follows it: "3e" is 3.
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < n && isDigit(s[j])) {
            while (j < n && isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

} // namespace

double leadingNumber(const QString &text)
{
    QByteArray ascii;
    ascii.reserve(text.size());
    for (const QChar ch : text) {
        if (ch == u' ' || ch == u'\t' || ch == u'\n')
            continue;
        // Anything outside ASCII ends the number anyway; a stand-in keeps the scan simple.
        ascii.append(ch.unicode() < 0x80 ? static_cast<char>(ch.unicode()) : '?');
    }
    const qsizetype length = numberLength(ascii);
    if (length == 0)
        return 0;
    // from_chars ignores the locale (Qt sets LC_NUMERIC from the environment), and leaves the
    // value alone when the number is out of range either way: too large or too small both read 0.
    const char *first = ascii.constData();
    const char *last = first + length;
    if (*first == '+')
        ++first;
    double value = 0;
    std::from_chars(first, last, value);
    return std::isfinite(value) ? value : 0.0;
}
