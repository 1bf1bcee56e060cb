// The clock tick's cost: a minute's refresh of many running items, and the ordinary tick that only
// rewrites the caption (one a second while timing is on, and any early wake's repeat).
#include "timing/ClockTick.h"
#include "timing/ModClock.h"

#include <QApplication>
#include <QTreeView>

#include <benchmark/benchmark.h>

namespace {
const char *const kSchemes[] = {"5*C/60", "3*C/60", "MAX(5, 5*C/60)", "INT((C+29)/30)*2.5", "C\\60*4+2"};
// The same formulas priced by the hour: a cheap morning, a dear evening and a capped night.
const char *const kBandedSchemes[] = {"08:00 4*C/60; 18:00 5*C/60; 23:00 MIN(15,3*C/60)",
                                      "08:00 3*C/60; 18:00 4*C/60; 23:00 MIN(12,2*C/60)",
                                      "08:00 MAX(5, 5*C/60); 18:00 6*C/60; 23:00 MIN(15,3*C/60)",
                                      "08:00 INT((C+29)/30)*2.5; 18:00 INT((C+29)/30)*3; 23:00 MIN(15,C/20)",
                                      "08:00 C\\60*4+2; 18:00 C\\60*5+2; 23:00 MIN(15,C\\60*3)"};

// Instants as the program's clock and journal make them: with their offset from UTC fixed. A
// local-time instant would ask the time-zone database on every conversion, which the program never does.
QDateTime programInstant(const QDate &date, const QTime &time)
{
    const QDateTime local(date, time);
    return local.toOffsetFromUtc(local.offsetFromUtc());
}

// limits: every item has one, by minutes or by money in turn, far enough ahead that none is
// reached while measuring (a reached one is told once, and ended: no more work afterwards).
void fill(ModClock &state, int items, const QDateTime &start, bool limits = false, bool banded = false)
{
    for (int i = 0; i < items; ++i) {
        const QDateTime at = start.addSecs(-(i % 3600));
        const char *scheme = banded ? kBandedSchemes[i % 5] : kSchemes[i % 5];
        state.add(NewItem {QStringLiteral("PC%1").arg(i), QString::fromLatin1(scheme), double(i % 50), true}, at);
        if (limits)
            state.setLimit(i + 1, i % 2 ? ItemLimit::Kind::Money : ItemLimit::Kind::Minutes, i % 2 ? 1e6 : 1e7,
                           i % 4 < 2, at);
    }
}

void BM_MinuteRefresh(benchmark::State &st)
{
    ModClock state;
    // 17:00: the evening band begins within the first hour measured.
    const QDateTime start = programInstant(QDate(2026, 12, 7), QTime(17, 0));
    fill(state, int(st.range(0)), start, st.range(2) != 0, st.range(3) != 0);
    // With a report view attached, as in the program, so that the views' share is counted.
    std::unique_ptr<QTreeView> view;
    if (st.range(1)) {
        view = std::make_unique<QTreeView>();
        view->setModel(&state.lvwMain);
        view->resize(632, 400);
    }
    ClockTick tick(state);
    int minute = 0;
    for (auto _ : st) {
        tick.tick(start.addSecs(60 * (++minute)));
        QCoreApplication::processEvents();
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}
// Arguments: items, a report view attached, every item with a limit, every scheme priced by the hour.
BENCHMARK(BM_MinuteRefresh)
    ->Args({10000, 0, 0, 0})
    ->Args({10000, 0, 0, 1})
    ->Args({10000, 1, 0, 0})
    ->Args({10000, 0, 1, 0})
    ->Args({10000, 1, 1, 0})
    ->Args({10000, 0, 1, 1})
    ->Unit(benchmark::kMillisecond);

void BM_CaptionTick(benchmark::State &st)
{
    ModClock state;
    const QDateTime start = programInstant(QDate(2026, 12, 7), QTime(9, 0));
    fill(state, 100, start);
    ClockTick tick(state);
    tick.tick(start);
    qint64 ms = 0;
    for (auto _ : st) {
        // Same minute every time: only the caption (and the current item's tooltip) is built.
        ms = (ms + 10) % 59000;
        benchmark::DoNotOptimize(tick.tick(start.addMSecs(ms)));
    }
}
BENCHMARK(BM_CaptionTick)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
