#include "../report/RecordingReportPrinter.h"
#include "FakeWallClock.h"
#include "MemorySettingsStore.h"
#include "RecordingLimitNotifier.h"
#include "WaitingPrompter.h"
#include "app/InstanceGuard.h"
#include "app/ItemListView.h"
#include "app/MainStatusBar.h"
#include "app/MainToolbar.h"
#include "app/Program.h"
#include "app/ToolbarButton.h"
#include "app/fClock.h"
#include "commands/CurrentItem.h"
#include "history/HistoryWindow.h"
#include "timing/DayLedger.h"
#include "timing/ItemJournal.h"
#include "timing/ModClock.h"
#include "timing/TimingClock.h"

#include <QAction>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

namespace {
class AloneGuard : public InstanceGuard {
public:
    bool anotherInstanceRunning() override { return false; }
};
} // namespace

// The assembled program: keys, buttons and menu entries of the real main window reach the
// commands, and act on the item the operator chose.
class TestProgramWiring : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_home;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_home.path().toLocal8Bit());
    }

    void keysButtonsAndEntriesReachTheCommands()
    {
        Program program;
        fClock &w = program.mainWindow();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTreeView *list = w.Lvw()->reportView();
        list->setFocus();

        // R: the style button's next view, from the stored report view to large icons.
        QTest::keyClick(list, Qt::Key_R);
        QCOMPARE(w.viewSettings().lngView, 0);
        QCOMPARE(w.Lvw()->shownView(), 0);

        // S twice: timing starts, then stops, with the captions the operator sees.
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_S);
        QVERIFY(w.Clock().isEnabled());
        QCOMPARE(w.Tbar()->button(Button::Start)->text(), QStringLiteral("终止 &S"));
        w.Tbar()->button(Button::Start)->click();
        QVERIFY(!w.Clock().isEnabled());
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("已终止计时:")));

        // Menu entries: a colour step and a depth-mode step redraw the frame.
        w.Tbar()->entry(Entry::R6)->trigger();
        QCOMPARE(w.viewSettings().lngLineColor, 0);
        w.Tbar()->entry(Entry::R5)->trigger();
        QCOMPARE(w.viewSettings().lngDepthMode, 5);
        w.Tbar()->entry(Entry::R4)->trigger();
        QCOMPARE(w.Lvw()->shownView(), 3);

        // M does nothing while there is no current item.
        program.state().add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, false},
                            QDateTime::currentDateTime());
        program.currentItem().set(0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_M);
        QCOMPARE(program.state().lngItems, 1);
        // T: the command asks for the history window, and the program opens it.
        QTest::keyClick(list, Qt::Key_T);
        const auto *history = w.findChild<HistoryWindow *>();
        QVERIFY(history && history->isVisible());
        w.hide();
    }

    // The operator clicks PC4, prints the list with P, then presses M and answers after a pause
    // while the clock ticks: PC4, and only PC4, is ended, reported and removed. The letters must
    // not move the current item on the way.
    void commandLettersActOnTheClickedItem_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("adding"); // X1 added after the click: the highlighted row, which M acts on
        QTest::newRow("否: only removed") << int(Prompter::Answer::No) << false;
        QTest::newRow("是: ended, reported, removed") << int(Prompter::Answer::Yes) << false;
        QTest::newRow("否 after an add: X1 removed") << int(Prompter::Answer::No) << true;
    }
    void commandLettersActOnTheClickedItem()
    {
        QFETCH(int, answer);
        QFETCH(bool, adding);
        Program::Outside outside;
        auto *prompter = new WaitingPrompter(300);
        prompter->answers.enqueue(Prompter::Answer(answer));
        outside.prompter.reset(prompter);
        outside.store = std::make_unique<MemorySettingsStore>();
        outside.clock = std::make_unique<FakeWallClock>();
        outside.guard = std::make_unique<AloneGuard>();
        QList<RecordingReportPrinter *> printers;
        outside.printer = [&printers](QWidget *) {
            auto p = std::make_unique<RecordingReportPrinter>();
            printers << p.get();
            return p;
        };
        Program program(std::move(outside));
        fClock &w = program.mainWindow();
        for (const char *name : {"PC2", "PC4", "PC5"})
            program.state().add(NewItem {QString::fromLatin1(name), QStringLiteral("5*C/60"), 0, true},
                                QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
        w.setClockEnabled(true);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTreeView *list = w.Lvw()->reportView();
        list->setFocus();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
        QCOMPARE(program.currentItem().position(), 2);
        if (adding)
            program.state().add(NewItem {QStringLiteral("X1"), QStringLiteral("C"), 0, false}, {});
        QCOMPARE(program.state().cName.value(w.Lvw()->highlightedRow()), QLatin1String(adding ? "X1" : "PC4"));

        QTest::keyClick(list, Qt::Key_P);
        QCOMPARE(program.currentItem().position(), w.Lvw()->highlightedRow());
        QTest::keyClick(list, Qt::Key_M);
        QCOMPARE(prompter->asked.size(), 1);
        QCOMPARE(program.state().lngItems, 2 + int(adding));
        QCOMPARE(program.state().cName.value(1), QStringLiteral("PC2"));
        QCOMPARE(program.state().cName.value(2), adding ? QStringLiteral("PC4") : QStringLiteral("PC5"));
        QVERIFY(program.state().cRunning.value(1) && program.state().cRunning.value(2));
        if (Prompter::Answer(answer) == Prompter::Answer::Yes) {
            QCOMPARE(printers.size(), 1);
            QCOMPARE(printers.first()->last().firstBlock.value(1).toString(), QStringLiteral("PC4"));
        }
        w.setClockEnabled(false);
        w.hide();
    }

    // Without the mouse: N, a name, Enter, Esc, then L and 30 minutes. A wall clock set two hours
    // forward reaches nothing; the thirtieth minute really timed tells once, without a box.
    void aLimitIsSetWithKeysAndToldOnce()
    {
        Program::Outside outside;
        auto *store = new MemorySettingsStore;
        store->set(QStringLiteral("Max"), QStringLiteral("1"));
        store->set(QStringLiteral("1"), QStringLiteral("5*C/60"));
        outside.store.reset(store);
        auto *clock = new FakeWallClock;
        outside.clock.reset(clock);
        auto *prompter = new WaitingPrompter(0);
        outside.prompter.reset(prompter);
        outside.guard = std::make_unique<AloneGuard>();
        auto *notifier = new RecordingLimitNotifier;
        outside.notifier.reset(notifier);
        Program program(std::move(outside));
        fClock &w = program.mainWindow();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const auto typeIntoDialog = [](const QString &text, bool thenEsc) {
            QTimer::singleShot(0, [text, thenEsc] {
                QTRY_VERIFY(QApplication::activeModalWidget() && QApplication::activeModalWidget()->focusWidget());
                QWidget *dialog = QApplication::activeModalWidget();
                QTest::keyClicks(dialog->focusWidget(), text);
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
                if (thenEsc)
                    QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
            });
        };
        typeIntoDialog(QStringLiteral("PC1"), true);
        w.Lvw()->reportView()->setFocus();
        QTest::keyClick(w.Lvw()->reportView(), Qt::Key_N);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        typeIntoDialog(QStringLiteral("30"), false);
        w.Lvw()->reportView()->setFocus();
        QTest::keyClick(w.Lvw()->reportView(), Qt::Key_L);
        QCOMPARE(program.state().lvwMain.at(1).limit.text(), QStringLiteral("30 分钟"));

        clock->step(2 * 3600);
        w.Clock().wake();
        clock->advanceSecs(30 * 60);
        w.Clock().wake();
        w.Clock().wake();
        QCOMPARE(notifier->texts, QStringList {QStringLiteral("PC1 已到限额(12:30)")});
        QCOMPARE(w.Sbar()->panelText(1), notifier->texts.first());
        QTest::mouseClick(w.Sbar(), Qt::LeftButton, {}, QPoint(8, w.Sbar()->height() / 2)); // on panel 1: acknowledged
        QCOMPARE(w.Sbar()->panelText(1), QString::fromUtf16(StatusPanel::kKeysHint));
        QVERIFY(prompter->asked.isEmpty());
        // J moves the current item's customer to the name typed.
        typeIntoDialog(QStringLiteral("PC9"), false);
        w.Lvw()->reportView()->setFocus();
        QTest::keyClick(w.Lvw()->reportView(), Qt::Key_J);
        QCOMPARE(program.state().lvwMain.at(1).name, QStringLiteral("PC9"));
        w.hide();
    }

    // The journal of a run whose power went at 10:20, PC1 timing since 10:00, offered at 11:00.
    // An end asked for while the question is up (-1) leaves the journal to ask again. Written with
    // the clocks read, and offered after a reboot 2 h ago: the 40 dark minutes cannot be known.
    void aJournalLeftBehindIsOfferedWithItsStop_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("running"); // PC1 is back and still timing
        QTest::addColumn<int>("booked"); // entries in the day's ledger, each of PC1's 20 minutes
        QTest::addColumn<bool>("rebooted");
        QTest::newRow("是: timing through the gap") << int(Prompter::Answer::Yes) << true << 0 << false;
        QTest::newRow("ended where the program stopped") << int(Prompter::Answer::Choice) << false << 1 << false;
        QTest::newRow("否: booked as it stood") << int(Prompter::Answer::No) << false << 2 << false;
        QTest::newRow("是 after a reboot, gap unknown") << int(Prompter::Answer::Yes) << false << 1 << true;
        // Last: an end leaves the application's event loops ending from then on.
        QTest::newRow("an end signal while asked") << -1 << false << 0 << false;
    }
    void aJournalLeftBehindIsOfferedWithItsStop()
    {
        QFETCH(int, answer);
        QFETCH(bool, running);
        QFETCH(int, booked);
        QFETCH(bool, rebooted);
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
#ifdef Q_OS_WIN // where XDG_DATA_HOME means nothing, the test program's data folder is emptied
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
#endif
        const QDateTime ten(QDate(2026, 12, 7), QTime(10, 0));
        const QString path = ItemJournal::defaultPath();
        {
            FakeWallClock was(ten);
            ItemJournal journal(path, rebooted ? &was : nullptr);
            ModClock s;
            journal.follow(s);
            s.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, was.moment());
            was.advanceSecs(20 * 60);
            journal.alive(was.now());
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        file.close();

        Program::Outside outside;
        auto *prompter = new WaitingPrompter(300);
        prompter->answers.enqueue(answer < 0 ? Prompter::Answer::No : Prompter::Answer(answer));
        outside.prompter.reset(prompter);
        outside.store = std::make_unique<MemorySettingsStore>();
        auto clock = std::make_unique<FakeWallClock>(ten.addSecs(3600));
        if (rebooted)
            clock->reboot(QStringLiteral("boot-2"), 2 * 3600);
        outside.clock = std::move(clock);
        outside.guard = std::make_unique<AloneGuard>();
        Program program(std::move(outside));
        QTimer signal;
        connect(&signal, &QTimer::timeout, [&] {
            if (!prompter->asked.isEmpty() && answer < 0)
                program.endAsConfirmed();
        });
        signal.start(20);
        QVERIFY(program.start());
        QTRY_COMPARE(prompter->asked.size(), 1);
        QVERIFY(prompter->asked[0].text.startsWith(QStringLiteral("程序于 10:20 意外中断。")));
        QCOMPARE(prompter->asked[0].title, QStringLiteral("恢复并截止于中断时刻"));
        QCOMPARE(prompter->asked[0].text.contains(QStringLiteral("无法得知中断了多长时间")), rebooted);
        if (answer < 0) {
            // The end goes on as Yes to the exit question: the window closes, and the journal is
            // left for the next start as it was, followed by nothing.
            QTRY_VERIFY(!program.mainWindow().isVisible());
            QTest::qWait(2 * prompter->pauseMs);
            QVERIFY(!program.journal());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), written);
        } else {
            QTRY_VERIFY(program.journal());
        }
        QCOMPARE(program.state().lngItems, answer == int(Prompter::Answer::No) || answer < 0 ? 0 : 1);
        QCOMPARE(program.state().lngItems > 0 && program.state().cRunning.value(1), running);
        const std::vector<LedgerEntry> day = DayLedger(DayLedger::defaultFolder()).read(ten.date()).entries;
        QCOMPARE(int(day.size()), booked);
        for (const LedgerEntry &e : day)
            QVERIFY(e.minutes == 20 && e.end == ten.addSecs(20 * 60));
        QCOMPARE(QFile::exists(path + QStringLiteral(".bak")), answer == int(Prompter::Answer::No));
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_MAIN(TestProgramWiring)
#include "tst_ProgramWiring.moc"
