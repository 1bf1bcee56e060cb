// How long the reports take to build: the all-items report of a long list, from the rows to the
// pages of a PDF file, and each stage on its own.
#include "commands/TimingReports.h"
#include "report/QtReportPrinter.h"
#include "report/ReportContent.h"
#include "report/ReportLayout.h"
#include "timing/ModClock.h"
#include "timing/WallClock.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
// Fonts and printers need an application object; the benchmark library owns main().
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_report";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

class FixedClock : public WallClock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 7), QTime(14, 5, 30)); }
    qint64 elapsedMs() const override { return 0; }
    QString bootId() const override { return {}; }
};

// A list of n items, every other one running, with the texts a day of use leaves in the rows.
void fill(ModClock &state, int n)
{
    const QDateTime created(QDate(2026, 12, 7), QTime(8, 0, 0));
    for (int i = 0; i < n; ++i) {
        const QDateTime addedAt = created.addSecs(i * 7);
        const int pos = state.add(
            NewItem {QStringLiteral("PC%1").arg(i + 1), QStringLiteral("5*C/60+2"), double(i % 90), i % 2 == 0},
            addedAt);
        state.showMinutes(pos, i % 600 + 0.25, addedAt.time());
    }
}

class NullPrinter : public ReportPrinter {
public:
    void present(const ReportDocument &) override { }
};

// Answers the no-printer question with one file, so printing ends in that PDF.
class FileAsker : public SaveFileAsker {
public:
    explicit FileAsker(QString file) : m_file(std::move(file)) { }
    QString fileName(const Kind &, const QString &) override { return m_file; }
    void saveFailed(const Kind &, const QString &) override { }

private:
    QString m_file;
};

std::unique_ptr<QtReportPrinter> component(const QString &file)
{
    return std::make_unique<QtReportPrinter>(nullptr, std::make_unique<FileAsker>(file), [] { return QPrinterInfo(); });
}

void pdfPrinter(QPrinter &printer, const QString &file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
}
} // namespace

// Composing the content, the list's texts included, and handing it over (the component does
// nothing with it).
static void BM_ReportAllCompose(benchmark::State &st)
{
    ModClock state;
    fill(state, int(st.range(0)));
    FixedClock clock;
    TimingReports reports(state, clock, [] { return std::make_unique<NullPrinter>(); });
    for (auto _ : st)
        reports.ReportAll(true);
}
BENCHMARK(BM_ReportAllCompose)->Arg(1000);

// Copying the list's texts into the report when it runs, and turning them into the cells the
// layout measures.
static void BM_ReportAllSnapshot(benchmark::State &st)
{
    ModClock state;
    fill(state, int(st.range(0)));
    for (auto _ : st) {
        ReportDocument document;
        document.setTable(state.lvwMain);
        const ReportContent content = ReportContent::from(document);
        benchmark::DoNotOptimize(content.rows.size());
    }
}
BENCHMARK(BM_ReportAllSnapshot)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Measuring every cell and breaking the table into pages.
static void BM_ReportAllLayout(benchmark::State &st)
{
    ensureApplication();
    ModClock state;
    fill(state, int(st.range(0)));
    QTemporaryDir dir;
    FixedClock clock;
    TimingReports reports(state, clock, [&] { return component(QString()); });
    reports.ReportAll(false);
    const ReportLayout layout(static_cast<QtReportPrinter *>(reports.objReport())->content());
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, dir.filePath(QStringLiteral("layout.pdf")));
    int pages = 0;
    for (auto _ : st)
        pages = layout.pageCount(&printer);
    st.counters["pages"] = pages;
}
BENCHMARK(BM_ReportAllLayout)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The whole printed report on a machine without a printer: the calls, the snapshot, the layout
// and every page painted into the PDF file the operator named.
static void BM_ReportAllToPdf(benchmark::State &st)
{
    ensureApplication();
    ModClock state;
    fill(state, int(st.range(0)));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("all.pdf"));
    FixedClock clock;
    TimingReports reports(state, clock, [&] { return component(file); });
    for (auto _ : st) {
        QFile::remove(file);
        reports.ReportAll(false);
        static_cast<QtReportPrinter *>(reports.objReport())->presentPending();
        if (!QFile::exists(file))
            st.SkipWithError("the PDF was not written");
    }
    st.counters["bytes"] = double(QFileInfo(file).size());
}
BENCHMARK(BM_ReportAllToPdf)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
