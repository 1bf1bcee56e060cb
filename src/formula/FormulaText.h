#pragma once
// The lexical side of a fee formula: which characters may reach the parser, and how numbers read.

#include <QString>

#include <optional>
#include <string>

class FormulaText {
public:
    // Longer texts are refused outright; a fee formula with its C replaced is far shorter.
    static constexpr qsizetype MaxLength = 10000;

    // The text as the parser gets it: letters in upper case, no space between a function name and
    // its parenthesis. Nothing when the text is too long, blank, or holds a character that belongs
    // to no token of the grammar.
    static std::optional<std::string> toParserInput(const QString &text);

    // Reads a decimal number with an optional point and exponent at the start of text: digits,
    // then optionally "." and digits (at least one digit in all), then optionally E or e, a sign
    // and digits. Adds the characters read to *position and returns 1, or returns 0 when text does
    // not start with such a number or its value is beyond the range of a double.
    static int readNumber(const char *text, int *position, double *value);
};
