#pragma once
// A scheme whose price changes with the hour of the day: a list of bands, each a start time and a
// formula in C, that together cover the whole day.

#include <QList>
#include <QString>
#include <QTime>

#include <optional>

// Written as one line, "08:00 4*C/60; 18:00 6*C/60; 23:00 MIN(15,3*C/60)": a formula never
// begins with a time, so a plain formula can never be taken for bands. The band that starts last
// in the day runs on past midnight up to the first start, so any list of bands covers the day.
class SchemeBands {
public:
    struct Band {
        int start = 0; // minutes after midnight
        QString formula;
        bool operator==(const Band &) const = default;
    };

    // The bands a text writes, in the order of their starts; nothing when the text is a plain
    // formula or no list of bands this program writes (two bands at one time, a time that is none).
    static std::optional<SchemeBands> parse(const QString &text);
    // Whether the text is meant as bands (begins with a time), readable or not.
    static bool looksBanded(const QString &text);
    // The bands in the order of their starts, or nothing for none, or for two at one time.
    static std::optional<SchemeBands> of(QList<Band> bands);

    const QList<Band> &bands() const { return m_bands; }
    int count() const { return int(m_bands.size()); }
    QString text() const;
    // "08:00"
    static QString startText(int start);

    // The band in force at the minute of the day.
    int bandAt(int minuteOfDay) const;
    int bandAt(const QTime &time) const { return bandAt(time.hour() * 60 + time.minute()); }
    // Adds to perBand (one entry per band) the minutes timed from the start of the minute of the
    // day from on, as the wall clock moves: each in the band in force during it. Whole days are
    // counted a day at a time.
    void spread(int from, double minutes, QList<double> &perBand) const;

    bool operator==(const SchemeBands &) const = default;

private:
    QList<Band> m_bands;
};
