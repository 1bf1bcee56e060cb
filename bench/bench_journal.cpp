// What keeping the items across a crash costs each change (wall-clock time per operation: the
// disk write waits, so CPU time would hide it). Argument 0 runs without a journal, 1 with one. The
// journal lives in a folder made in the current directory, which should be on the disk the
// program's data folder is on (a memory file system would make the disk writes look free).
#include "timing/ItemJournal.h"
#include "timing/ModClock.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const QDateTime kMorning(QDate(2026, 12, 7), QTime(9, 0), QTimeZone(8 * 3600));

struct Journaled {
    QTemporaryDir dir {QDir::current().filePath(QStringLiteral("bench_journal-XXXXXX"))};
    ModClock state;
    std::unique_ptr<ItemJournal> journal;

    explicit Journaled(bool withJournal)
    {
        if (withJournal) {
            journal = std::make_unique<ItemJournal>(dir.filePath(QStringLiteral("items.journal")));
            journal->follow(state);
        }
    }
};

void label(benchmark::State &st)
{
    st.SetLabel(st.range(0) ? "journal" : "no journal");
}

// The new-items dialog's OK: one item added, started.
void BM_AddItem(benchmark::State &st)
{
    Journaled j(st.range(0) != 0);
    int n = 0;
    for (auto _ : st)
        j.state.add(NewItem {QStringLiteral("PC%1").arg(++n), QStringLiteral("5*C/60"), 0, true}, kMorning.addSecs(n));
    st.SetItemsProcessed(st.iterations());
    label(st);
}
BENCHMARK(BM_AddItem)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The start and end entries of the start button on one item: two changes per iteration.
void BM_StartThenEnd(benchmark::State &st)
{
    Journaled j(st.range(0) != 0);
    j.state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, false}, kMorning);
    qint64 s = 0;
    for (auto _ : st) {
        j.state.startTiming(1, kMorning.addSecs(++s));
        j.state.endTiming(1, kMorning.addSecs(++s));
    }
    st.SetItemsProcessed(st.iterations() * 2);
    label(st);
}
BENCHMARK(BM_StartThenEnd)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The start button over a hundred items: start all, then stop all; two changes per iteration,
// each one journal line however many items it touches.
void BM_StartAllStopAll100(benchmark::State &st)
{
    Journaled j(st.range(0) != 0);
    for (int i = 1; i <= 100; ++i)
        j.state.add(NewItem {QStringLiteral("PC%1").arg(i), QStringLiteral("5*C/60"), 0, false}, kMorning);
    qint64 s = 0;
    for (auto _ : st) {
        j.state.setAll(true, kMorning.addSecs(++s));
        j.state.setAll(false, kMorning.addSecs(++s));
    }
    st.SetItemsProcessed(st.iterations() * 2);
    label(st);
}
BENCHMARK(BM_StartAllStopAll100)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Restoring at start-up a busy day's journal: a hundred items with twenty sessions each.
void BM_RestoreBusyDay(benchmark::State &st)
{
    QTemporaryDir dir(QDir::current().filePath(QStringLiteral("bench_journal-XXXXXX")));
    const QString path = dir.filePath(QStringLiteral("items.journal"));
    {
        ModClock day;
        ItemJournal journal(path);
        journal.follow(day);
        qint64 s = 0;
        for (int i = 1; i <= 100; ++i)
            day.add(NewItem {QStringLiteral("PC%1").arg(i), QStringLiteral("5*C/60"), 0, false}, kMorning);
        for (int session = 0; session < 20; ++session) {
            for (int i = 1; i <= 100; ++i) {
                day.startTiming(i, kMorning.addSecs(s += 7));
                day.endTiming(i, kMorning.addSecs(s += 300));
            }
        }
    }
    for (auto _ : st) {
        ModClock restored;
        benchmark::DoNotOptimize(ItemJournal(path).restore(restored, kMorning.addDays(1)));
    }
    st.SetLabel("4100 lines");
}
BENCHMARK(BM_RestoreBusyDay)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
