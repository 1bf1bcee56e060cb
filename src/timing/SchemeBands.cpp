#include "timing/SchemeBands.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kDay = 24 * 60;

// "8:00" or "08:00" followed by a blank.
const QRegularExpression &bandPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})\\s+(\\S.*?)\\s*$"));
    return pattern;
}
} // namespace

bool SchemeBands::looksBanded(const QString &text)
{
    static const QRegularExpression start(QStringLiteral("^\\s*\\d{1,2}:\\d{2}(\\s|$)"));
    return start.match(text).hasMatch();
}

std::optional<SchemeBands> SchemeBands::of(QList<Band> bands)
{
    if (bands.isEmpty())
        return std::nullopt;
    std::sort(bands.begin(), bands.end(), [](const Band &a, const Band &b) { return a.start < b.start; });
    for (qsizetype i = 0; i < bands.size(); ++i) {
        if (bands[i].start < 0 || bands[i].start >= kDay || bands[i].formula.trimmed().isEmpty())
            return std::nullopt;
        if (i > 0 && bands[i].start == bands[i - 1].start)
            return std::nullopt;
    }
    SchemeBands s;
    s.m_bands = std::move(bands);
    return s;
}

std::optional<SchemeBands> SchemeBands::parse(const QString &text)
{
    if (!looksBanded(text))
        return std::nullopt;
    QList<Band> bands;
    for (const QString &part : text.split(u';')) {
        const QRegularExpressionMatch m = bandPattern().match(part);
        if (!m.hasMatch())
            return std::nullopt;
        const int hour = m.captured(1).toInt();
        const int minute = m.captured(2).toInt();
        if (hour > 23 || minute > 59)
            return std::nullopt;
        bands.append({hour * 60 + minute, m.captured(3)});
    }
    return of(std::move(bands));
}

QString SchemeBands::startText(int start)
{
    return QStringLiteral("%1:%2").arg(start / 60, 2, 10, QLatin1Char('0')).arg(start % 60, 2, 10, QLatin1Char('0'));
}

QString SchemeBands::text() const
{
    QStringList parts;
    for (const Band &band : m_bands)
        parts << startText(band.start) + u' ' + band.formula;
    return parts.join(QStringLiteral("; "));
}

int SchemeBands::bandAt(int minuteOfDay) const
{
    minuteOfDay = ((minuteOfDay % kDay) + kDay) % kDay;
    // Before the first start the last band of the day before is still in force.
    int band = count() - 1;
    for (int i = 0; i < count() && m_bands[i].start <= minuteOfDay; ++i)
        band = i;
    return band;
}

void SchemeBands::spread(int from, double minutes, QList<double> &perBand) const
{
    if (perBand.size() < count())
        perBand.resize(count(), 0.0);
    if (minutes <= 0)
        return;
    // Whole days put each band's length in it.
    if (const double days = std::floor(minutes / kDay); days > 0) {
        for (int i = 0; i < count(); ++i) {
            const int end = i + 1 < count() ? m_bands[i + 1].start : m_bands[0].start + kDay;
            perBand[i] += days * double(end - m_bands[i].start);
        }
        minutes -= days * kDay;
    }
    int at = ((from % kDay) + kDay) % kDay;
    while (minutes > 0) {
        const int band = bandAt(at);
        // The band runs to the next band's start, or past midnight to the first one's.
        int end = band + 1 < count() ? m_bands[band + 1].start : m_bands[0].start;
        if (end <= at)
            end += kDay;
        const double taken = std::min(minutes, double(end - at));
        perBand[band] += taken;
        minutes -= taken;
        at = end % kDay;
    }
}
