#include "GeneratedLedgers.h"

#include "timing/DayLedger.h"

#include <QDateTime>

#include <algorithm>
#include <random>
#include <vector>

namespace {
const QString kScheme = QStringLiteral("5*C/60");
const QString kCafeScheme = QStringLiteral("5*C/60+1");
} // namespace

void writeLedgers(const QString &folder, const QDate &first, int days, int sessionsPerDay)
{
    constexpr int kMachines = 30;
    DayLedger ledger(folder);
    for (int d = 0; d < days; ++d) {
        const QDate day = first.addDays(d);
        std::mt19937 random(unsigned(day.toJulianDay()));
        std::uniform_int_distribution<int> startMinute(8 * 60, 22 * 60);
        std::uniform_int_distribution<int> length(15, 150);
        std::vector<double> minutes(kMachines, 0);
        const DayLedger::Batch batch(&ledger);
        for (int s = 0; s < sessionsPerDay; ++s) {
            const int machine = s % kMachines;
            const QDateTime start = day.startOfDay().addSecs(startMinute(random) * 60);
            const int booked = std::min(length(random), int(start.secsTo(day.addDays(1).startOfDay()) / 60) - 1);
            ledger.booked(QStringLiteral("PC%1").arg(machine + 1), kScheme, start, start.addSecs(booked * 60), booked);
            minutes[size_t(machine)] += booked;
        }
        const QDateTime closing(day, QTime(23, 59, 30));
        for (int m = 0; m < kMachines; ++m)
            ledger.leftAtExit(QStringLiteral("PC%1").arg(m + 1), kScheme, minutes[size_t(m)],
                              5 * minutes[size_t(m)] / 60, closing);
    }
}

void writeCafeLedgers(const QString &folder, const QDate &first, int days, int seats, int sessionsPerDay)
{
    DayLedger ledger(folder);
    for (int d = 0; d < days; ++d) {
        const QDate day = first.addDays(d);
        std::mt19937 random(unsigned(day.toJulianDay()));
        std::uniform_int_distribution<int> length(10, 240);
        std::uniform_int_distribution<int> pause(0, 20);
        const QDateTime opening(day, QTime(8, 0));
        const QDateTime closing(day, QTime(23, 59));
        // When each seat is free again: the next customer takes the one free soonest.
        std::vector<QDateTime> freeAt(size_t(seats), opening);
        const DayLedger::Batch batch(&ledger);
        for (int s = 0; s < sessionsPerDay; ++s) {
            const auto seat = std::min_element(freeAt.begin(), freeAt.end());
            const QDateTime start = std::min(seat->addSecs(pause(random) * 60), closing.addSecs(-120));
            const int minutes = std::min<int>(length(random), int(start.secsTo(closing) / 60));
            const QDateTime end = start.addSecs(minutes * 60 + 17);
            const QString name = QStringLiteral("PC%1").arg(seat - freeAt.begin() + 1);
            ledger.booked(name, kCafeScheme, start, end, minutes);
            ledger.left(name, kCafeScheme, true, minutes, 5.0 * minutes / 60 + 1, end);
            *seat = end;
        }
    }
}
