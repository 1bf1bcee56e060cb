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
QByteArray Encode(const QStringList &fields);

// The fields of an undamaged line (without its newline), or nothing.
std::optional<QStringList> Decode(const QByteArray &line);

// An instant as a field: with the local offset it was taken in, so that it reads back as the same
// time of day, and with milliseconds, which keep the order of changes made within one second.
QString InstantField(const QDateTime &at);
// Invalid when the text is not such a field.
QDateTime Instant(const QString &field);

// A number as a field, exactly: it reads back as the same double.
QString NumberField(double value);
// Nothing when the text is not a number.
std::optional<double> Number(const QString &field);

} // namespace ChecksummedLine
