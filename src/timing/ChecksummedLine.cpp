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

std::optional<QStringList> decode(const QByteArray &line)
{
    const qsizetype tab = line.lastIndexOf('\t');
    if (tab < 0 || line.mid(tab + 1) != checksum(QByteArrayView(line).first(tab)))
        return std::nullopt;
    QStringList fields;
    for (const QString &raw : QString::fromUtf8(line.first(tab)).split(u'\t')) {
        const std::optional<QString> field = unescaped(raw);
        if (!field)
            return std::nullopt;
        fields << *field;
    }
    return fields;
}

QString instantField(const QDateTime &at)
{
    return at.toOffsetFromUtc(at.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QDateTime instant(const QString &field)
{
    return QDateTime::fromString(field, Qt::ISODateWithMs);
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
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> number(const QString &field, double lowest, double highest)
{
    const std::optional<double> value = number(field);
    return value && *value >= lowest && *value <= highest ? value : std::nullopt;
}

} // namespace ChecksummedLine
