#pragma once
// How times and numbers become text on the list, in captions and in reports.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

#include <optional>

namespace TimeText {

// Formats follow the default locale, which is the system's unless a test pins another.
// The locale's long time of day (with seconds) without a time-zone name, e.g. 13:05:09 in zh_CN.
QString longTimeFormat(const QLocale &locale = QLocale());
QString longTime(const QTime &t, const QLocale &locale = QLocale());

// The locale's short date followed by its long time, the "general" date-and-time of captions.
QString generalDateTime(const QDateTime &dt, const QLocale &locale = QLocale());

// "hh:mm", the clock minute that refreshes and whole-minute arithmetic work with.
QString hourMinute(const QTime &t);

// At most 15 significant digits, no trailing zeros, no grouping, always '.', upper-case exponent;
// -0 reads 0. Independent of the locale, since formulas are parsed from this text.
QString generalNumber(double value);

// Rounds to at most two decimals, half away from zero, after trimming to 15 significant digits so
// that 12.345 (stored as 12.34499...) still rounds to 12.35.
double roundMinutes(double minutes);
// The same rounding as a whole number of hundredths (1234 for 12.345), which sums without binary
// noise; nothing for a value that is no number or whose hundredths a double no longer holds (1e13).
std::optional<qint64> hundredths(double value);

// Whole minutes from start to end: the minute boundaries crossed between the two instants, counted
// in UTC so that midnight and daylight-saving changes count what really elapsed. 10:05:59 to
// 10:06:01 is 1, 10:05:01 to 10:05:59 is 0. A clock set back never makes it negative.
qint64 wholeMinutes(const QDateTime &start, const QDateTime &end);

} // namespace TimeText
