#pragma once
// What a customer is handed: a fee rounded to the fen, the one rounding every bill and total uses.

#include <QList>
#include <QString>

#include <limits>
#include <optional>

namespace AmountDue {

// How far a till rounds what it asks for: to the fen, as every bill did before a rule was chosen,
// or to 0.1, 0.5 or 1 元, half up. The value is the step in fen.
enum class Rounding : int { Fen = 1, Jiao = 10, HalfYuan = 50, Yuan = 100 };
// The rule a stored step names; the fen for anything else.
Rounding roundingFromStep(int step);

// The fee to two decimals, half away from zero as a customer reads the decimal fee: 1.005 is
// 1.01 and -0.125 is -0.13, although the doubles lie just below. Nothing for a fee that is no
// number (a formula dividing by zero gives infinity) or too large for a double to hold its fen.
std::optional<double> rounded(double fee);
// The same amount in whole fen (101 for 1.005), for sums that must come out exact.
std::optional<qint64> fen(double fee);
// The amount the rule asks for, in whole fen: first to the fen as above, then to the rule's step,
// a half step and more going away from zero (1.25 by 0.5 元 is 1.50, 1.24 is 1.00).
std::optional<qint64> fen(double fee, Rounding rule);

// Amounts of 1e13 and more are beyond what a double holds to the fen.
constexpr qint64 kMostFen = 1'000'000'000'000'000;
// A sum that holds an amount that is none, or ran beyond what a qint64 holds.
constexpr qint64 kNoFen = std::numeric_limits<qint64>::min();
// A sum of fen as an amount: not a number for kNoFen and at kMostFen or beyond.
double fromFen(qint64 fen);
// Adds fen to sum; an amount that is none makes the sum kNoFen for good. False when it is.
bool add(qint64 &sum, std::optional<qint64> fen);

// The amount with exactly two decimals and '.', whatever the locale ("7.58", "5.00"); an empty text
// where rounded() gives nothing, so no bill ever shows "inf" or "nan".
QString text(double fee);
QString text(double fee, Rounding rule);
// What an amount due is called on paper: "应收金额", or with its rule, "应收金额(按0.5元取整)".
QString label(Rounding rule);

// The sum of the amounts due, each rounded first: what the customers were handed adds up, where
// rounding the sum of the fees could be a fen away from it. Not a number when any amount is none,
// so that text() shows nothing for it.
double total(const QList<double> &fees);
// The same, each amount rounded by the rule before it is added.
double total(const QList<double> &fees, Rounding rule);

} // namespace AmountDue
