#pragma once
// Reads the number a typed text begins with, the way the minutes box of the new-items dialog wants.

#include <QString>

// Blanks, tabs and line feeds are dropped first, so "1 2" reads 12. Then the longest leading
// number is taken: an optional sign, digits with at most one ".", and an optional exponent
// ("12.5分" reads 12.5, "-5" reads -5). A text that begins with no number reads 0, and so does a
// number too large for a double ("1e999"): an infinite total would poison every later sum.
double leadingNumber(const QString &text);
