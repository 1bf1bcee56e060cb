// Not a benchmark: opens the period view on the ledgers of a folder, offscreen, and tells how long
// the read took and the longest the event loop went without turning meanwhile, so that a day of
// millions of lines can be checked for a window that stays responsive (run it under
// /usr/bin/time -v for the peak memory).
#include "history/LedgerPeriodView.h"
#include "report/SaveFileAsker.h"
#include "timing/DayLedger.h"
#include "timing/WallClock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {
struct NoAsker : SaveFileAsker {
    QString fileName(const Kind &, const QString &) override { return {}; }
    void saveFailed(const Kind &, const QString &) override { }
};
struct FixedClock : WallClock {
    QDateTime at;
    QDateTime now() const override { return at; }
    qint64 elapsedMs() const override { return 0; }
    QString bootId() const override { return {}; }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QDate first = QDate::fromString(args.value(2), Qt::ISODate);
    const QDate last = args.size() > 3 ? QDate::fromString(args[3], Qt::ISODate) : first;
    if (args.size() < 3 || !first.isValid() || !last.isValid()) {
        std::fprintf(stderr, "usage: ledger_view_read <ledger folder> <first day> [last day]\n");
        return 1;
    }
    DayLedger ledger(args[1]);
    FixedClock clock;
    clock.at = QDateTime(last.addDays(1), QTime(12, 0));
    LedgerPeriodView view(ledger, clock, std::make_unique<NoAsker>());
    view.show();
    QElapsedTimer read;
    QElapsedTimer sinceTurn;
    qint64 longestStall = 0;
    int turns = 0;
    QTimer turn;
    turn.setInterval(10);
    QObject::connect(&turn, &QTimer::timeout, [&] {
        longestStall = std::max(longestStall, sinceTurn.restart());
        ++turns;
        if (!view.reading())
            app.quit();
    });
    read.start();
    sinceTurn.start();
    view.showPeriod(first == last ? LedgerPeriodView::Day : LedgerPeriodView::Range, first, last);
    turn.start();
    app.exec();
    const PeriodTakings &p = view.takings();
    std::printf("read in %lld ms, event loop turned %d times, longest stall %lld ms\n"
                "%d lines, %d skipped, %d unreadable days, %lld items, %d sessions, %.2f minutes\n",
                read.elapsed(), turns, longestStall, p.lines, p.skipped, p.unreadable, qlonglong(p.items.size()),
                p.sessions(), p.minutes());
    return 0;
}
