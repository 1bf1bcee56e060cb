#include "GeneratedLedgers.h"

#include "timing/DayLedger.h"

#include <QDateTime>

#include <random>
#include <vector>

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
            ledger.booked(QStringLiteral("PC%1").arg(machine + 1), QStringLiteral("5*C/60"), start,
                          start.addSecs(booked * 60), booked);
            minutes[size_t(machine)] += booked;
        }
        const QDateTime closing(day, QTime(23, 59, 30));
        for (int m = 0; m < kMachines; ++m)
            ledger.leftAtExit(QStringLiteral("PC%1").arg(m + 1), QStringLiteral("5*C/60"), minutes[size_t(m)],
                              5 * minutes[size_t(m)] / 60, closing);
    }
}
