#include "timing/ChecksummedLine.h"

#include <QLocale>
#include <QString>

#include <cmath>

namespace ChecksummedLine {

namespace {

QString escaped(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (const QChar c : field) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

std::optional<QString> unescaped(const QString &field)
{
    // Most fields hold no escape at all; they are taken as they are rather than copied a
    // character at a time, which a year of lines would feel.
    if (!field.contains(u'\\'))
        return field;
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field[i].unicode()) {
        case '\\': out += u'\\'; break;
        case 't': out += u'\t'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

QByteArray checksum(QByteArrayView payload)
{
    return QByteArray::number(qChecksum(payload), 16).rightJustified(4, '0');
}

// Whether written is the checksum() of payload, character for character, worked out without
// making the text of the checksum for every line read.
bool checksumMatches(QByteArrayView payload, QByteArrayView written)
{
    if (written.size() != 4)
        return false;
    uint value = 0;
    for (const char c : written) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0)
            return false;
        value = value * 16 + uint(digit);
    }
    return value == qChecksum(payload);
}

} // namespace

QByteArray encode(const QStringList &fields)
{
    QStringList parts;
    parts.reserve(fields.size());
    for (const QString &field : fields)
        parts << escaped(field);
    QByteArray line = parts.join(u'\t').toUtf8();
    line += '\t' + checksum(line) + '\n';
    return line;
}

std::optional<QStringList> decode(QByteArrayView line)
{
    const qsizetype tab = line.lastIndexOf('\t');
    if (tab < 0 || !checksumMatches(line.first(tab), line.sliced(tab + 1)))
        return std::nullopt;
    const QByteArrayView text = line.first(tab);
    QStringList fields;
    fields.reserve(10);
    for (qsizetype from = 0;;) {
        const qsizetype next = text.indexOf('\t', from);
        const QByteArrayView raw = text.sliced(from, (next < 0 ? text.size() : next) - from);
        const std::optional<QString> field = unescaped(QString::fromUtf8(raw));
        if (!field)
            return std::nullopt;
        fields << *field;
        if (next < 0)
            return fields;
        from = next + 1;
    }
}

QString instantField(const QDateTime &at)
{
    return at.toOffsetFromUtc(at.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

namespace {

// The digits at [from, from + count) as a number, or -1 when any is not a digit.
int digits(QStringView text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The instant in exactly the form instantField() writes, 2026-12-07T09:30:00.000+08:00 or with Z
// for UTC, read as Qt's parser reads it; invalid for any other text. Qt's parser takes a great many
// forms and costs ten times as much, which reading a year of ledgers would wait on.
QDateTime writtenInstant(QStringView f)
{
    const bool utc = f.size() == 24 && f[23] == u'Z';
    if (!utc && f.size() != 29)
        return QDateTime();
    if (f[4] != u'-' || f[7] != u'-' || f[10] != u'T' || f[13] != u':' || f[16] != u':' || f[19] != u'.')
        return QDateTime();
    const QDate date(digits(f, 0, 4), digits(f, 5, 2), digits(f, 8, 2));
    const QTime time(digits(f, 11, 2), digits(f, 14, 2), digits(f, 17, 2), digits(f, 20, 3));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    if (utc)
        return QDateTime(date, time, Qt::UTC);
    const int hours = digits(f, 24, 2);
    const int minutes = digits(f, 27, 2);
    if ((f[23] != u'+' && f[23] != u'-') || f[26] != u':' || hours < 0 || hours > 14 || minutes < 0 || minutes > 59)
        return QDateTime();
    const int offset = (hours * 60 + minutes) * 60;
    return QDateTime(date, time, Qt::OffsetFromUTC, f[23] == u'-' ? -offset : offset);
}

} // namespace

QDateTime instant(const QString &field)
{
    const QDateTime written = writtenInstant(field);
    return written.isValid() ? written : QDateTime::fromString(field, Qt::ISODateWithMs);
}

QDateTime instant(const QString &field, const QDateTime &earliest, const QDateTime &latest)
{
    const QDateTime at = instant(field);
    if (!at.isValid() || (earliest.isValid() && at < earliest) || (latest.isValid() && at > latest))
        return QDateTime();
    return at;
}

QString numberField(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> number(const QString &field)
{
    // Whole minutes are the most common number by far; up to nine digits they are exact as an int.
    if (field.size() < 10) {
        const int whole = field.isEmpty() ? -1 : digits(field, 0, field.size());
        if (whole >= 0)
            return double(whole);
    }
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> number(const QString &field, double lowest, double highest)
{
    const std::optional<double> value = number(field);
    return value && *value >= lowest && *value <= highest ? value : std::nullopt;
}

QString minutesListField(const QList<double> &minutes)
{
    QStringList fields;
    for (const double m : minutes)
        fields << numberField(m);
    return fields.join(u'|');
}

std::optional<QList<double>> minutesList(const QString &field)
{
    QList<double> minutes;
    for (const QString &part : field.split(u'|')) {
        // Minutes typed in before an add may be negative.
        const std::optional<double> m = number(part, -kMostMinutes, kMostMinutes);
        if (!m)
            return std::nullopt;
        minutes.append(*m);
    }
    return minutes;
}

} // namespace ChecksummedLine
