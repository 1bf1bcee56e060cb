#include "FakeWallClock.h"
#include "MemorySettingsStore.h"
#include "ReportFixtures.h"
#include "commands/TimingReports.h"
#include "history/LedgerDayView.h"
#include "report/ExportFolder.h"
#include "report/QtReportPrinter.h"
#include "report/ReportLayout.h"
#include "timing/DayLedger.h"
#include "timing/ExportSettings.h"
#include "timing/ReceiptSettings.h"
#include "timing/TimingOperations.h"

#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QToolBar>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {
const QDate kToday(2026, 12, 7);
const QDateTime kCreated(kToday, QTime(9, 0, 0));

class ScriptedAsker : public SaveFileAsker {
public:
    QStringList answers; // file names given in turn; an empty answer or none left cancels
    QStringList suggestions;
    QStringList failures;
    QString fileName(const Kind &, const QString &suggestion) override
    {
        suggestions << suggestion;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    void saveFailed(const Kind &, const QString &where) override { failures << where; }
};

// Files this process writes stop growing at the given size, as on a disk that has filled up.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes)
    {
#ifdef Q_OS_UNIX
        if (bytes <= 0 || ::getrlimit(RLIMIT_FSIZE, &m_old) != 0)
            return;
        ::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the process
        rlimit limited = m_old;
        limited.rlim_cur = rlim_t(bytes);
        m_set = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
#else
        Q_UNUSED(bytes);
#endif
    }
    ~FileSizeLimit()
    {
#ifdef Q_OS_UNIX
        if (m_set)
            ::setrlimit(RLIMIT_FSIZE, &m_old);
#endif
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
#ifdef Q_OS_UNIX
    rlimit m_old {};
    bool m_set = false;
#endif
};

// The real component on a machine without printers, answering file questions from a script.
struct Setup {
    ModClock state;
    FakeWallClock clock {QDateTime(kToday, QTime(14, 5, 30))};
    QStringList answers;
    ScriptedAsker *asker = nullptr;
    QList<ReportContent> previews;
    TimingReports reports {
        state, clock, [this]() -> std::unique_ptr<ReportPrinter> {
            auto a = std::make_unique<ScriptedAsker>();
            a->answers = answers;
            asker = a.get();
            auto p = std::make_unique<QtReportPrinter>(nullptr, std::move(a), [] { return QPrinterInfo(); });
            QObject::connect(p.get(), &QtReportPrinter::previewShown,
                             [this](QPrintPreviewDialog *, const ReportContent &c) { previews << c; });
            return p;
        }};
    QtReportPrinter &printer() { return *static_cast<QtReportPrinter *>(reports.objReport()); }

    void addSampleItems()
    {
        const int pos = ReportFixtures::addItem(
            state, QStringLiteral("PC1"), {{QTime(9, 10, 5), QTime(9, 40, 50)}, {QTime(10, 0, 0), QTime(10, 20, 59)}},
            kCreated);
        ReportFixtures::start(state, pos, QDateTime(kCreated.date(), QTime(13, 50, 20)));
        ReportFixtures::addItem(state, QStringLiteral("PC2"), {}, kCreated);
    }
};

QString pdfToText(const QString &file, int page = 0)
{
    QStringList args;
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << file << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    if (!p.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList flatten(const ReportContent &c)
{
    QStringList out {c.title};
    for (const auto &pair : c.firstBlock + c.secondBlock)
        out << pair.label << pair.value;
    out << c.headings;
    for (const auto &row : c.rows)
        for (const auto &cell : row)
            out << cell.text;
    return out;
}

void closePreviews()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QPrintPreviewDialog *>(w))
            w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

class TestQtReportPrinter : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    bool m_canReadPdf = false;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        // Times and dates below are compared in the Chinese locale's formats.
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        QVERIFY(m_dir.isValid());
        m_canReadPdf = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    }
    void cleanup() { closePreviews(); }

    void printedItemReportBecomesAPdfWithoutAPrinter()
    {
        Setup s;
        s.addSampleItems();
        s.answers = {path(QStringLiteral("item.pdf"))};
        s.reports.ReportItem(s.state.lvwMain.at(1), false);
        QVERIFY(!QFile::exists(path(QStringLiteral("item.pdf")))); // presented once the command is done
        QCoreApplication::processEvents();

        QVERIFY(QFile::exists(path(QStringLiteral("item.pdf"))));
        QCOMPARE(s.asker->suggestions.size(), 1);
        QVERIFY(s.asker->suggestions[0].endsWith(QStringLiteral("/PC1_2026-12-07_1405.pdf")));
        QVERIFY(s.asker->failures.isEmpty());
        QVERIFY(s.previews.isEmpty());
        if (!m_canReadPdf)
            QSKIP("pdftotext (poppler-utils) is needed to read the PDF back");
        const QString text = pdfToText(path(QStringLiteral("item.pdf")));
        QCOMPARE(text.count(u'\f'), 1);
        for (const char16_t *expected : {u"计时账单", u"名称:", u"PC1", u"状态:", u"截止至:14:05(仍在计时...)",
                                         u"计时次数:", u"合计耗时:", u"结果:", u"开始时间", u"结束时间", u"时间",
                                         u"09:10:05", u"09:40:50", u"10:20:59", u"13:50:20", u"14:05", u"第1页/共1页"})
            QVERIFY2(QString(text).remove(u' ').contains(QString::fromUtf16(expected)),
                     qPrintable(QString::fromUtf16(expected)));
    }

    // On a roll the paper is the roll's width and as long as the report; the bill's lines and the
    // list's narrow table keep every text on it.
    void rollPaperFitsItsWidth_data()
    {
        QTest::addColumn<bool>("list");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("expected");
        const QStringList bill = {"店内小票", "计时账单",  "名称:", "PC1",   "方案:",
                                  "5*C/60",   "应收金额:", "实收:", "找零:", "09:10:05–09:40:50",
                                  "30"};
        QTest::newRow("bill, 80 mm") << false << 80 << bill;
        QTest::newRow("bill, 58 mm") << false << 58 << bill;
        QTest::newRow("list, 58 mm") << true << 58 << QStringList {"计时项清单", "应收金额:", "4.17", "合计"};
    }
    void rollPaperFitsItsWidth()
    {
        QFETCH(bool, list);
        QFETCH(int, width);
        QFETCH(QStringList, expected);
        Setup s;
        s.addSampleItems();
        auto receipt = std::make_shared<ReceiptSettings>();
        receipt->shopName = QStringLiteral("店内小票");
        receipt->rollWidth.fill(width);
        s.reports.setReceipt(receipt);
        const QString file = path(QStringLiteral("roll%1%2.pdf").arg(width).arg(list));
        s.answers = {file};
        list ? s.reports.ReportAll(false) : s.reports.ReportItem(s.state.lvwMain.at(1), false, 20.0);
        QCoreApplication::processEvents();
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        // One page, as wide as the roll in points, and longer than it is wide.
        const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
        const QString bytes = QString::fromLatin1(pdf.readAll());
        QCOMPARE(bytes.count(box), 1);
        const QRegularExpressionMatch size = box.match(bytes);
        QVERIFY(qAbs(size.captured(1).toDouble() - width * 72 / 25.4) < 1);
        // As long as its content, and never shorter than the roll is wide.
        QVERIFY(size.captured(2).toDouble() >= size.captured(1).toDouble() - 0.5);
        if (!m_canReadPdf)
            QSKIP("pdftotext (poppler-utils) is needed to read the PDF back");
        const QString text = pdfToText(file).remove(u' ');
        for (const QString &wanted : expected)
            QVERIFY2(text.contains(wanted), qPrintable(wanted));
    }

    // A takings table on a roll: its words may wrap, its names and amounts never do ("14." over "00"
    // reads as two amounts, "PC0" over "3" as another machine).
    void aRollKeepsEveryAmountWhole_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("80 mm") << 80;
        QTest::newRow("58 mm") << 58;
    }
    void aRollKeepsEveryAmountWhole()
    {
        QFETCH(int, width);
        ReportDocument d;
        d.title = QStringLiteral("交班结算");
        d.preview = false;
        d.rollWidth = width;
        d.headings = {"项名称", "计时方案", "状态", "移除时间", "耗时累计(分钟)", "机时", "商品", "应收金额"};
        d.cells = {"PC03", "5*C/60", "结束并打印", "11:09:08", 168.0, "14.00", "3.50", "17.50",
                   "PC09", "5*C/60", "计时中",     "",         226.0, "18.83", "0.00", "18.83",
                   "合计", "",       "",           "",         394.0, "32.83", "3.50", "36.33"};
        auto asker = std::make_unique<ScriptedAsker>();
        const QString file = path(QStringLiteral("takings%1.pdf").arg(width));
        asker->answers = {file};
        QtReportPrinter printer(nullptr, std::move(asker), [] { return QPrinterInfo(); });
        printer.present(d);
        printer.presentPending();
        if (!m_canReadPdf)
            QSKIP("pdftotext (poppler-utils) is needed to read the PDF back");
        const QString text = pdfToText(file);
        for (const char *amount : {"PC03", "14.00", "17.50", "18.83", "32.83", "36.33", "394"})
            QVERIFY2(text.contains(QLatin1String(amount)), amount);
    }

    void allItemsReportShowsTheListAsItStands()
    {
        Setup s;
        s.addSampleItems();
        s.answers = {path(QStringLiteral("all.pdf"))};
        // The minute refresh has shown 37.8 minutes on PC1, and the fee for them.
        s.state.showMinutes(1, 37.8, QTime(14, 5));
        s.reports.ReportAll(false);
        QCoreApplication::processEvents();
        QVERIFY(QFile::exists(path(QStringLiteral("all.pdf"))));
        if (!m_canReadPdf)
            QSKIP("pdftotext (poppler-utils) is needed to read the PDF back");

        const QString text = pdfToText(path(QStringLiteral("all.pdf")));
        for (const char16_t *expected : {u"计时项清单", u"日期:", u"2026/12/7", u"当前数量:", u"累计数量", u"项名称",
                                         u"最近开始", u"截止时间", u"计时次数", u"耗时累计(分钟)", u"计时方案", u"结果",
                                         u"PC1", u"PC2", u"5*C/60", u"37.8", u"3.15", u"13:50:20"})
            QVERIFY2(text.contains(QString::fromUtf16(expected)), qPrintable(QString::fromUtf16(expected)));
    }

    void longReportRepeatsTheHeadingOnEveryPage()
    {
        Setup s;
        QList<ReportFixtures::Session> sessions;
        for (int k = 0; k < 200; ++k) {
            const QTime start = QTime(0, 0, 7).addSecs(k * 420);
            sessions.append({start, start.addSecs(300)});
        }
        ReportFixtures::addItem(s.state, QStringLiteral("PC1"), sessions, kCreated);
        s.reports.ReportItem(s.state.lvwMain.at(1), true);
        QCoreApplication::processEvents();
        const QString file = path(QStringLiteral("long.pdf"));
        QVERIFY(s.printer().writePdfFile(file));
        if (!m_canReadPdf)
            QSKIP("pdftotext (poppler-utils) is needed to read the PDF back");

        // A4 with 15 mm margins holds about 37 rows of 10-point text.
        const int pages = pdfToText(file).count(u'\f');
        QCOMPARE(pages, 6);
        for (int page = 1; page <= pages; ++page) {
            // pdftotext drops the spaces between Chinese glyphs and digits
            const QString text = pdfToText(file, page).remove(u' ');
            QVERIFY2(text.contains(QStringLiteral("开始时间")), qPrintable(QString::number(page)));
            QVERIFY(text.contains(ReportLayout::pageFooter(page, pages).remove(u' ')));
        }
        QVERIFY(pdfToText(file, 1).contains(QStringLiteral("00:00:07")));
        QVERIFY(pdfToText(file, pages).contains(sessions.last().first.toString(QStringLiteral("HH:mm:ss"))));
    }

    void documentIsShownAsGiven()
    {
        ReportDocument d;
        d.title = TimingReports::title();
        d.firstBlock = {QStringLiteral("名称:"), QStringLiteral("PC1")};
        d.secondBlock = {QStringLiteral("计时次数:1")};
        d.headings = {QStringLiteral("开始时间")};
        d.cells = {QTime(9, 0, 0)};
        d.styleCode = 4;
        QList<ReportContent> shown;
        QtReportPrinter p(nullptr, std::make_unique<ScriptedAsker>());
        connect(&p, &QtReportPrinter::previewShown, this,
                [&](QPrintPreviewDialog *, const ReportContent &c) { shown << c; });

        p.present(d);
        QCoreApplication::processEvents();
        p.present(d);
        QCoreApplication::processEvents();

        QCOMPARE(shown.size(), 2);
        QCOMPARE(flatten(shown[1]), flatten(shown[0]));
        QCOMPARE(flatten(shown[0]),
                 (QStringList {TimingReports::title(), QStringLiteral("名称:"), QStringLiteral("PC1"),
                               QStringLiteral("计时次数:"), QStringLiteral("1"), QStringLiteral("开始时间"),
                               QStringLiteral("09:00:00")}));
    }

    void eachReportOpensOnePreviewWithItsOwnCopy()
    {
        Setup s;
        s.addSampleItems();
        s.reports.ReportItem(s.state.lvwMain.at(1), true);
        s.reports.ReportAll(true);
        s.state.remove(1); // as the remove command does right after previewing
        QCOMPARE(s.previews.size(), 1);
        QCoreApplication::processEvents();

        QCOMPARE(s.previews.size(), 2);
        QCOMPARE(s.previews[0].firstBlock[0].value, QStringLiteral("PC1"));
        QCOMPARE(s.previews[0].rows.size(), 3);
        QCOMPARE(s.previews[1].headings.size(), ItemRowModel::ColumnCount);
        // The list when the report ran, not after the removal, and its total line.
        QCOMPARE(s.previews[1].rows.size(), 3);
        int windows = 0;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *d = qobject_cast<QPrintPreviewDialog *>(w);
            if (!d || !d->isVisible())
                continue;
            ++windows;
            QVERIFY(d->testAttribute(Qt::WA_DeleteOnClose));
            QCOMPARE(d->findChild<QPrintPreviewWidget *>()->pageCount(), 1); // it has laid the report out
        }
        QCOMPARE(windows, 2);
        QVERIFY(s.asker->suggestions.isEmpty());
    }

    void previewSavesAPdfOnRequest()
    {
        Setup s;
        s.addSampleItems();
        s.answers = {path(QStringLiteral("from-preview.pdf"))};
        QPrintPreviewDialog *shown = nullptr;
        s.reports.ReportItem(s.state.lvwMain.at(1), true);
        connect(&s.printer(), &QtReportPrinter::previewShown, this,
                [&](QPrintPreviewDialog *d, const ReportContent &) { shown = d; });
        QCoreApplication::processEvents();
        QVERIFY(shown);
        QAction *save = nullptr;
        for (QAction *a : shown->findChild<QToolBar *>()->actions())
            if (a->text() == QStringLiteral("保存为 PDF"))
                save = a;
        QVERIFY(save);
        save->trigger();
        QVERIFY(QFile::exists(path(QStringLiteral("from-preview.pdf"))));
        QCOMPARE(s.asker->suggestions.size(), 1);
        // Asked again, it suggests the item's name and minute in the folder just used.
        save->trigger();
        QCOMPARE(s.asker->suggestions.value(1), path(QStringLiteral("PC1_2026-12-07_1405.pdf")));
    }

    // The offscreen screen is smaller than the preview's usual size: the window stays on it, title
    // bar included, and shows the whole page.
    void previewFitsTheScreen()
    {
        Setup s;
        s.addSampleItems();
        QPrintPreviewDialog *shown = nullptr;
        s.reports.ReportItem(s.state.lvwMain.at(1), true);
        connect(&s.printer(), &QtReportPrinter::previewShown, this,
                [&](QPrintPreviewDialog *d, const ReportContent &) { shown = d; });
        QCoreApplication::processEvents();
        QVERIFY(shown);
        const QRect area = shown->screen()->availableGeometry();
        QVERIFY2(area.height() < 980, "the screen has room: the test shows nothing");
        QVERIFY(area.contains(shown->geometry()));
        QVERIFY(shown->height() <= area.height() - 30);
        QCOMPARE(shown->findChild<QPrintPreviewWidget *>()->zoomMode(), QPrintPreviewWidget::FitInView);
    }

    void laterReportsKeepEarlierSettings()
    {
        Setup s;
        s.addSampleItems();
        s.reports.ReportAll(true);
        s.reports.ReportItem(s.state.lvwMain.at(1), true);
        QCoreApplication::processEvents();
        QVERIFY(s.printer().listFlag());
        QCOMPARE(s.printer().styleCode(), 4);
        QVERIFY(s.printer().preview());
        QCOMPARE(s.previews.size(), 2);
    }

    // A tall picture is held to 40 % of the page's height and centred; the rows it displaces go to a
    // second page.
    void chartGoesAboveTheTable()
    {
        ReportDocument d;
        d.title = QStringLiteral("时段收入");
        d.headings = {QStringLiteral("日期"), QStringLiteral("应收金额")};
        for (int k = 0; k < 30; ++k)
            d.cells << QDate(2026, 12, 1).addDays(k) << k * 1.5;
        const QString file = path(QStringLiteral("chart.pdf"));
        {
            QPdfWriter pdf(file);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
            QCOMPARE(ReportLayout(ReportContent::from(d)).pageCount(&pdf), 1);
            d.chart = QImage(100, 1000, QImage::Format_RGB32);
            d.chart.fill(Qt::blue);
            const ReportLayout layout(ReportContent::from(d));
            QCOMPARE(layout.pageCount(&pdf), 2);
            QVERIFY(layout.paint(&pdf));
        }
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is needed to look at the PDF");
        QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                                   {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-singlefile"),
                                    QStringLiteral("-png"), file, path(QStringLiteral("chart"))}),
                 0);
        const QImage page(path(QStringLiteral("chart.png")));
        const int y = page.height() * 60 / 297; // 60 mm down an A4 page, within the picture
        const auto blue = [&](int x) { return page.pixelColor(x, y).blue() > 200 && page.pixelColor(x, y).red() < 50; };
        QVERIFY(blue(page.width() / 2));
        QVERIFY(!blue(page.width() / 5));
    }

    // Every export is first offered where the last one went, a day's CSV as a report's PDF, and
    // the next run offers that folder again, until it is gone.
    void exportsShareOneRememberedFolder()
    {
        MemorySettingsStore store;
        const auto kept = [&store] {
            return std::make_shared<ExportFolder>([&store] { return ExportSettings::folder(store); },
                                                  [&store](const QString &f) { ExportSettings::setFolder(store, f); });
        };
        const std::shared_ptr<ExportFolder> folder = kept();
        const QString csvFolder = path(QStringLiteral("csv"));
        const QString pdfFolder = path(QStringLiteral("pdf"));
        QVERIFY(QDir().mkpath(csvFolder) && QDir().mkpath(pdfFolder));
        DayLedger ledger(path(QStringLiteral("ledger")));
        FakeWallClock clock {QDateTime(kToday, QTime(14, 5, 30))};
        ledger.left(QStringLiteral("PC1"), QStringLiteral("C"), true, 60, 5, QDateTime(kToday, QTime(9, 0)));
        const auto exportDay = [&](const std::shared_ptr<ExportFolder> &where, const QString &answer) {
            auto asker = std::make_unique<ScriptedAsker>();
            asker->answers = {answer};
            ScriptedAsker *asked = asker.get();
            LedgerDayView view(ledger, nullptr, clock, std::move(asker), where);
            if (!QTest::qWaitFor([&view] { return !view.reading(); }))
                return QString();
            view.exportDay();
            return asked->suggestions.value(0);
        };
        QVERIFY(exportDay(folder, csvFolder + QStringLiteral("/day.csv")).endsWith(QStringLiteral("/账目_2026-12-07_1405.csv")));
        QCOMPARE(QDir::fromNativeSeparators(ExportSettings::folder(store)), csvFolder);

        auto pdfAsker = std::make_unique<ScriptedAsker>();
        pdfAsker->answers = {pdfFolder + QStringLiteral("/day.pdf")};
        ScriptedAsker *asked = pdfAsker.get();
        QtReportPrinter printer(nullptr, std::move(pdfAsker), [] { return QPrinterInfo(); }, folder);
        ReportDocument day;
        day.fileName = QStringLiteral("账目_2026-12-07_1405");
        day.preview = false;
        printer.present(day);
        printer.presentPending();
        QCOMPARE(asked->suggestions.value(0), csvFolder + QStringLiteral("/账目_2026-12-07_1405.pdf"));
        QVERIFY(QFile::exists(pdfFolder + QStringLiteral("/day.pdf")));

        QCOMPARE(exportDay(kept(), QString()), pdfFolder + QStringLiteral("/账目_2026-12-07_1405.csv"));
        QVERIFY(QDir(pdfFolder).removeRecursively());
        QVERIFY(kept()->folder() != pdfFolder);
    }

    void noPrinterAndNoUsableFile_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("failures");
        QTest::addColumn<bool>("written");
        QTest::addColumn<qint64>("diskRoom"); // bytes a file may grow to; 0 for no limit
        QTest::newRow("cancelled") << QStringList() << 1 << 0 << false << 0LL;
        QTest::newRow("unwritable, then cancelled")
            << QStringList {QStringLiteral("/nonexistent/dir/r.pdf")} << 2 << 1 << false << 0LL;
        QTest::newRow("unwritable, then good")
            << QStringList {QStringLiteral("/nonexistent/dir/r.pdf"), QStringLiteral("retry.pdf")} << 2 << 1 << true
            << 0LL;
#ifdef Q_OS_UNIX
        // A disk that fills after 4 KB leaves no cut-off file behind, and says so.
        QTest::newRow("disk full, then cancelled") << QStringList {QStringLiteral("full.pdf")} << 2 << 1 << false
                                                   << 4096LL;
#endif
    }
    void noPrinterAndNoUsableFile()
    {
        QFETCH(QStringList, answers);
        QFETCH(int, questions);
        QFETCH(int, failures);
        QFETCH(bool, written);
        QFETCH(qint64, diskRoom);
        QFile::remove(path(QStringLiteral("retry.pdf")));
        Setup s;
        s.addSampleItems();
        for (QString &a : answers)
            if (!a.startsWith(u'/'))
                a = path(a);
        s.answers = answers;
        {
            const FileSizeLimit full(diskRoom);
            s.reports.ReportItem(s.state.lvwMain.at(1), false);
            QCoreApplication::processEvents();
        }
        QCOMPARE(s.asker->suggestions.size(), questions);
        QCOMPARE(s.asker->failures.size(), failures);
        if (failures > 0)
            QCOMPARE(s.asker->failures[0], answers[0]);
        QCOMPARE(QFile::exists(path(QStringLiteral("retry.pdf"))), written);
        QVERIFY(QDir(path(QString())).entryList({QStringLiteral("full.pdf*")}, QDir::Files | QDir::Hidden).isEmpty());
        QVERIFY(s.previews.isEmpty());
    }
};

QTEST_MAIN(TestQtReportPrinter)
#include "tst_QtReportPrinter.moc"
