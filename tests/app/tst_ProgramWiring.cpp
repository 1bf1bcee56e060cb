#include "../report/RecordingReportPrinter.h"
#include "FakeWallClock.h"
#include "MemorySettingsStore.h"
#include "WaitingPrompter.h"
#include "app/InstanceGuard.h"
#include "app/ItemListView.h"
#include "app/MainToolbar.h"
#include "app/Program.h"
#include "app/ToolbarButton.h"
#include "app/fClock.h"
#include "timing/ModClock.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

namespace {
class AloneGuard : public InstanceGuard {
public:
    bool AnotherInstanceRunning() override { return false; }
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
        QVERIFY(w.Clock()->isActive());
        QCOMPARE(w.Tbar()->button(Button::Start)->text(), QStringLiteral("终止 &S"));
        w.Tbar()->button(Button::Start)->click();
        QVERIFY(!w.Clock()->isActive());
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("已终止计时:")));

        // Menu entries: a colour step and a depth-mode step redraw the frame.
        w.Tbar()->entry(Entry::R6)->trigger();
        QCOMPARE(w.viewSettings().lngLineColor, 0);
        w.Tbar()->entry(Entry::R5)->trigger();
        QCOMPARE(w.viewSettings().lngDepthMode, 5);
        w.Tbar()->entry(Entry::R4)->trigger();
        QCOMPARE(w.Lvw()->shownView(), 3);

        // M does nothing while there is no current item.
        program.state().AddItem(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, false},
                                QDateTime::currentDateTime());
        program.state().itmSelected = QPersistentModelIndex();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_M);
        QCOMPARE(program.state().lngItems, 1);
        w.hide();
    }

    // The operator clicks PC4, prints the list with P, then presses M and answers after a pause
    // while the clock ticks: PC4, and only PC4, is ended, reported and removed. The letters must
    // not move the current item on the way.
    void commandLettersActOnTheClickedItem_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("否: only removed") << int(Prompter::Answer::No);
        QTest::newRow("是: ended, reported, removed") << int(Prompter::Answer::Yes);
    }
    void commandLettersActOnTheClickedItem()
    {
        QFETCH(int, answer);
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
            program.state().AddItem(NewItem {QString::fromLatin1(name), QStringLiteral("5*C/60"), 0, true},
                                    QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
        w.SetClockEnabled(true);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTreeView *list = w.Lvw()->reportView();
        list->setFocus();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
        QCOMPARE(program.state().SelectedPos(), 2);

        QTest::keyClick(list, Qt::Key_P);
        QCOMPARE(program.state().SelectedPos(), 2);
        QTest::keyClick(list, Qt::Key_M);
        QCOMPARE(prompter->asked.size(), 1);
        QCOMPARE(program.state().lngItems, 2);
        QCOMPARE(program.state().cName.Value(1), QStringLiteral("PC2"));
        QCOMPARE(program.state().cName.Value(2), QStringLiteral("PC5"));
        QVERIFY(program.state().cRunning.Value(1) && program.state().cRunning.Value(2));
        if (Prompter::Answer(answer) == Prompter::Answer::Yes) {
            QCOMPARE(printers.size(), 1);
            QCOMPARE(printers.first()->last().firstBlock.value(1).toString(), QStringLiteral("PC4"));
        }
        w.SetClockEnabled(false);
        w.hide();
    }
};

QTEST_MAIN(TestProgramWiring)
#include "tst_ProgramWiring.moc"
