// What an item costs in memory: the heap the shared state grows by per item, for ten thousand items
// freshly added and for the same number after a day of sessions, each brought up to date by a
// minute's refresh as the program would show them.
#include "timing/ClockTick.h"
#include "timing/ModClock.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

namespace {

// Bytes in use on the heap; malloc's own counters see every allocation, Qt's included. Large
// blocks (a long list's array) are mapped on their own and counted apart.
size_t heapInUse()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#else
    return 0;
#endif
}

// Adds n items, started, then gives each of them `sessions` finished sessions, and refreshes them
// all at a later minute. Returns the heap the state grew by.
size_t grow(int n, int sessions)
{
    const QString scheme = QStringLiteral("5*C/60"); // one text shared by every item, as the dialog's list gives it
    const QDateTime morning(QDate(2026, 12, 7), QTime(8, 0));
    const size_t before = heapInUse();
    auto state = std::make_unique<ModClock>();
    for (int i = 0; i < n; ++i)
        state->add(NewItem {QStringLiteral("PC%1").arg(i + 1), scheme, double(i % 90), true}, morning);
    QDateTime now = morning;
    for (int k = 0; k < sessions; ++k) {
        now = now.addSecs(17 * 60 + 5);
        for (int i = 1; i <= n; ++i) {
            state->endTiming(i, now);
            state->startTiming(i, now.addSecs(30));
        }
    }
    ClockTick tick(*state);
    tick.tick(now.addSecs(3600));
    const size_t after = heapInUse();
    benchmark::DoNotOptimize(state->lvwMain.count());
    return after - before;
}

void BM_BytesPerItem(benchmark::State &st)
{
    const int n = int(st.range(0));
    const int sessions = int(st.range(1));
    size_t bytes = 0;
    for (auto _ : st)
        bytes = grow(n, sessions);
    st.counters["bytes_per_item"] = double(bytes) / n;
    st.SetLabel(sessions ? "with sessions" : "just added");
}
BENCHMARK(BM_BytesPerItem)->Args({10000, 0})->Args({10000, 10})->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
