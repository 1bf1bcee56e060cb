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
    return locale.toString(t, longTimeFormat(locale));
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

double roundMinutes(double minutes)
{
    if (!std::isfinite(minutes) || std::fabs(minutes) >= 1e13 || std::trunc(minutes) == minutes)
        return minutes == 0.0 ? 0.0 : minutes;
    // Trim twice: the product by 100 brings its own binary noise (-2.005 * 100 = -200.4999...).
    const double trimmed = QString::number(minutes, 'g', 15).toDouble();
    const double hundredths = QString::number(trimmed * 100.0, 'g', 15).toDouble();
    const double rounded = std::round(hundredths) / 100.0;
    return rounded == 0.0 ? 0.0 : rounded;
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
