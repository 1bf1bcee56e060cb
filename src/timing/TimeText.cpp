#include "timing/TimeText.h"

#include <cmath>

namespace TimeText {

QString longTimeFormat(const QLocale &locale)
{
    // Qt's long format ends or starts with the zone ("t"); operators want the wall clock only.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar ch : format) {
        if (ch == u'\'')
            quoted = !quoted;
        if (!quoted && ch == u't')
            continue;
        out += ch;
    }
    return out.simplified();
}

QString longTime(const QTime &t, const QLocale &locale)
{
    // Asked for every second, for the caption and the status bar: the format is worked out again
    // only when the locale changes.
    thread_local QLocale lastLocale(QLocale::c());
    thread_local QString lastFormat = longTimeFormat(lastLocale);
    if (locale != lastLocale) {
        lastLocale = locale;
        lastFormat = longTimeFormat(locale);
    }
    return locale.toString(t, lastFormat);
}

QString generalDateTime(const QDateTime &dt, const QLocale &locale)
{
    return locale.toString(dt.date(), QLocale::ShortFormat) + u' ' + longTime(dt.time(), locale);
}

QString hourMinute(const QTime &t)
{
    return t.toString(QStringLiteral("hh:mm"));
}

QString generalNumber(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    // Whole minutes are the common case of every refresh; they need no digit generation.
    if (std::fabs(value) < 1e15 && std::trunc(value) == value)
        return QString::number(static_cast<qint64>(value));
    QString text = QString::number(value, 'g', 15);
    return text.replace(u'e', u'E');
}

std::optional<qint64> hundredths(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e13)
        return std::nullopt;
    if (std::trunc(value) == value)
        return qint64(value) * 100;
    // Each trim to 15 significant digits below moves the value by at most 5e-15 of it, the
    // product a little more: a value that far from a half needs no trimming to round as the
    // trimmed one does. Only the halves and what lies next to them (1.005, 12.345) go the long way.
    const double scaled = value * 100.0;
    const double fraction = scaled - std::floor(scaled);
    if (std::fabs(fraction - 0.5) > 1e-13 * std::max(1.0, std::fabs(scaled)))
        return qint64(std::round(scaled));
    // Trim twice: the product by 100 brings its own binary noise (-2.005 * 100 = -200.4999...).
    const double trimmed = QString::number(value, 'g', 15).toDouble();
    return qint64(std::round(QString::number(trimmed * 100.0, 'g', 15).toDouble()));
}

double roundMinutes(double minutes)
{
    if (!std::isfinite(minutes) || std::fabs(minutes) >= 1e13 || std::trunc(minutes) == minutes)
        return minutes == 0.0 ? 0.0 : minutes;
    return double(*hundredths(minutes)) / 100.0;
}

qint64 wholeMinutes(const QDateTime &start, const QDateTime &end)
{
    if (!start.isValid() || !end.isValid())
        return 0;
    // Floor division: instants before 1970 must not round towards zero.
    const auto minuteOf = [](qint64 secs) { return secs >= 0 ? secs / 60 : -((-secs + 59) / 60); };
    const qint64 minutes = minuteOf(end.toSecsSinceEpoch()) - minuteOf(start.toSecsSinceEpoch());
    return minutes > 0 ? minutes : 0;
}

} // namespace TimeText
