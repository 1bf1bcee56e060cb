// Opening the history window's period view: a month and a year of busy days, read from the files
// every time as the view does (no cache), billed at closing time or customer by customer as a café is. The ledgers live in a folder made in the current
// directory, which should be on the disk the program's data folder is on.
#include "GeneratedLedgers.h"
#include "timing/DayLedger.h"
#include "timing/PeriodTakings.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QDate kFirst(2026, 1, 1);

// A year of busy days, written once: the benchmark library calls each benchmark several times.
QString yearFolder()
{
    static const QTemporaryDir dir(QDir::current().filePath(QStringLiteral("bench_period-XXXXXX")));
    static const bool written = (writeLedgers(dir.path(), kFirst, 365, 300), true);
    return written ? dir.path() : QString();
}

// A café's year: 20 seats, 150 customers a day, each with a session and a bill.
QString cafeFolder()
{
    static const QTemporaryDir dir(QDir::current().filePath(QStringLiteral("bench_period_cafe-XXXXXX")));
    static const bool written = (writeCafeLedgers(dir.path(), kFirst, 365, 20, 150), true);
    return written ? dir.path() : QString();
}

// Reads the first range(0) days of the folder's year, as the view does for that period.
void openPeriod(benchmark::State &st, const QString &folder, const std::string &perDay)
{
    const int days = int(st.range(0));
    const DayLedger ledger(folder);
    for (auto _ : st) {
        const PeriodTakings p = PeriodTakings::of(ledger, kFirst, kFirst.addDays(days - 1));
        benchmark::DoNotOptimize(p.due());
    }
    st.SetLabel(std::to_string(days) + " days x " + perDay);
}

void BM_OpenPeriod(benchmark::State &st)
{
    openPeriod(st, yearFolder(), "300 sessions");
}
BENCHMARK(BM_OpenPeriod)->Arg(31)->Arg(365)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_OpenCafePeriod(benchmark::State &st)
{
    openPeriod(st, cafeFolder(), "150 customers, each billed");
}
BENCHMARK(BM_OpenCafePeriod)->Arg(31)->Arg(365)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
