// The main list's repaint at a new minute, timed alone: ten thousand running items in the report
// view, each minute's refresh done outside the timing, then the repaint it asks for (the painting
// and the copy to the window). The counter painted_px is the area repainted each minute.
#include "app/ItemListView.h"
#include "timing/ClockTick.h"
#include "timing/ModClock.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTreeView>

#include <benchmark/benchmark.h>

namespace {
// Notes the viewport's paints: the repaint asked for is done once one has come through.
class PaintWatch : public QObject {
public:
    bool painted = false;
    qint64 area = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted = true;
            for (const QRect &r : static_cast<QPaintEvent *>(event)->region())
                area += qint64(r.width()) * r.height();
        }
        return false;
    }
};

void BM_MinutePaint(benchmark::State &st)
{
    ModClock state;
    const QDateTime local(QDate(2026, 12, 7), QTime(9, 0));
    const QDateTime start = local.toOffsetFromUtc(local.offsetFromUtc());
    const char *const schemes[] = {"5*C/60", "3*C/60", "INT((C+29)/30)*2.5"};
    for (int i = 0; i < st.range(0); ++i)
        state.add(NewItem {QStringLiteral("PC%1").arg(i + 1), QString::fromLatin1(schemes[i % 3]), double(i % 50), true},
                  start.addSecs(-(i % 3600)));
    // As large as the list shows in the main window at its designed size, scrolled to the middle.
    ItemListView list(state.lvwMain, 15);
    list.resize(612, 355);
    list.show();
    list.reveal(int(st.range(0) / 2));
    PaintWatch watch;
    list.reportView()->viewport()->installEventFilter(&watch);
    ClockTick tick(state);
    int minute = 0;
    const auto repaint = [&] {
        watch.painted = false;
        while (!watch.painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    };
    tick.tick(start);
    repaint();
    watch.area = 0;
    for (auto _ : st) {
        st.PauseTiming();
        tick.tick(start.addSecs(60 * ++minute));
        st.ResumeTiming();
        repaint();
    }
    st.counters["painted_px"] = benchmark::Counter(double(watch.area) / double(st.iterations()));
}
BENCHMARK(BM_MinutePaint)->Arg(10000)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window system's pause before a repaint would be timed with it.
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
