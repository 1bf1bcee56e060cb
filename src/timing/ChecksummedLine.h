#pragma once
// The line format of the files the program only ever appends to: fields separated by tabs and ended
// by a checksum of the line, so that a line cut off by a power cut or overwritten by junk is
// recognised and skipped on reading rather than misread.

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

#include <optional>

namespace ChecksummedLine {

// The fields as one line, newline included. Tabs, line breaks and backslashes inside a field are
// escaped: names and schemes are whatever the operator typed.
QByteArray encode(const QStringList &fields);

// The fields of an undamaged line (without its newline), or nothing.
std::optional<QStringList> decode(QByteArrayView line);

// An instant as a field: with the local offset it was taken in, so that it reads back as the same
// time of day, and with milliseconds, which keep the order of changes made within one second.
QString instantField(const QDateTime &at);
// Invalid when the text is not such a field.
QDateTime instant(const QString &field);
// The same, and invalid as well outside [earliest, latest]; an invalid bound is no bound. A file
// may hold anything, so an instant read back is only taken when it could have been written then.
QDateTime instant(const QString &field, const QDateTime &earliest, const QDateTime &latest);

// A number as a field, exactly: it reads back as the same double.
QString numberField(double value);
// Nothing when the text is not a finite number: the program never writes any other.
std::optional<double> number(const QString &field);
// The same, and nothing outside [lowest, highest].
std::optional<double> number(const QString &field, double lowest, double highest);

// Minutes of each band of a bill as one field, "90|360", and read back: nothing unless every one
// is a number of minutes.
QString minutesListField(const QList<double> &minutes);
std::optional<QList<double>> minutesList(const QString &field);

// More minutes than any bill can hold (about 190 years), and far fewer than nonsense: a number of
// minutes beyond it, either way, was not written by this program.
constexpr double kMostMinutes = 1e8;

} // namespace ChecksummedLine
