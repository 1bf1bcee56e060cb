#include "DefaultLocale.h"
#include "FakeWallClock.h"
#include "MemorySettingsStore.h"
#include "ScriptedPrompter.h"
#include "app/InstanceGuard.h"
#include "app/ItemContextMenu.h"
#include "app/ItemListView.h"
#include "app/MainStatusBar.h"
#include "app/MainToolbar.h"
#include "app/Program.h"
#include "app/ToolbarButton.h"
#include "app/WindowState.h"
#include "app/fClock.h"
#include "commands/CommandActions.h"
#include "commands/CurrentItem.h"
#include "commands/HistoryLog.h"
#include "commands/TimingReports.h"
#include "commands/ToolbarCommands.h"
#include "commands/WindowPlacement.h"
#include "help/HelpDocument.h"
#include "help/HelpWindow.h"
#include "history/HistoryWindow.h"
#include "timing/IniSettingsStore.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/TimingClock.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

namespace {
struct Rig {
    ModClock state;
    MemorySettingsStore store;
    ScriptedPrompter prompter;
    FakeWallClock clock;
    TimingClock timing {clock, state};
    std::unique_ptr<fClock> window;
    void open() { window = std::make_unique<fClock>(state, store, prompter, timing); }

    // The commands on the window, as the program wires them, for what a click on a row changes.
    TimingReports reports {state, clock, [] { return nullptr; }};
    HistoryLog history;
    CurrentItem current {state.lvwMain};
    std::unique_ptr<ToolbarCommands> commands;
    void openWithCommands()
    {
        open();
        commands = std::make_unique<ToolbarCommands>(state, current, *window, *window->actions(), prompter, clock,
                                                     reports, history);
        window->setCommands(*commands);
    }
    bool entryEnabled(Entry e) const { return window->Tbar()->entry(e)->isEnabled(); }
};

Program::Outside programWith(SettingsStore *store, Prompter *prompter)
{
    Program::Outside outside;
    outside.store.reset(store);
    outside.prompter.reset(prompter);
    outside.clock = std::make_unique<FakeWallClock>();
    return outside;
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartUsesTheDefaults()
    {
        Rig r;
        r.open();
        fClock &w = *r.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Vantorel"));
        QCOMPARE(w.viewSettings().lngView, 3);
        QCOMPARE(w.viewSettings().lngDepthMode, 4);
        QCOMPARE(w.viewSettings().lngDepthColor, 0);
        QCOMPARE(w.viewSettings().lngLineColor, 16777215);
        QCOMPARE(r.state.tariff.cFangAn.count(), 0);
        QVERIFY(r.prompter.asked.isEmpty());
        QVERIFY(r.store.log.isEmpty()); // reading writes nothing
        QCOMPARE(w.Lvw()->shownView(), 3);
        QVERIFY(!w.Clock().isEnabled());
        QCOMPARE(w.Clock().wakeInterval(), 1001); // timing off, the clock still wakes each second
        w.setClockEnabled(true);
        QCOMPARE(w.Clock().wakeInterval(), 10);
        QVERIFY(HelpDocument::locate().endsWith(QStringLiteral("/Vantorel.hlp")));
        QCOMPARE(w.size(), QSize(632, 453));
    }

    void toolbarStartsAsDesigned()
    {
        Rig r;
        r.open();
        MainToolbar *t = r.window->Tbar();
        const QStringList captions = {QStringLiteral("新增 &N"), QStringLiteral("移除 &M"), QStringLiteral("查找 &F"),
                                      QStringLiteral("开始 &S"), QStringLiteral("预览 &V"), QStringLiteral("打印 &P"),
                                      QStringLiteral("方案 &A"), QStringLiteral("风格 &R"), QStringLiteral("历史 &T"),
                                      QStringLiteral("帮助 &H")};
        // Left to right, every second place after the first is a gap.
        QList<ToolbarButton *> shown;
        for (QWidget *w : t->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (auto *b = qobject_cast<ToolbarButton *>(w))
                shown << b;
        QCOMPARE(shown.size(), captions.size());
        int menuEntries = 0;
        for (int i = 0; i < captions.size(); ++i) {
            ToolbarButton *b = shown[i];
            QCOMPARE(b, t->button(b->button()));
            QCOMPARE(b->text(), captions[i]);
            QCOMPARE(b->isEnabled(), b->button() != Button::Remove);
            QVERIFY(!b->icon().isNull());
            // The key that presses a button is the letter its caption underlines.
            QCOMPARE(CommandTable::forKey(captions[i].back()), std::optional(b->button()));
            if (b->menu())
                menuEntries += int(b->menu()->actions().size());
        }
        // The designed entries, then below a line in 风格's menu, the receipt and paper settings.
        QCOMPARE(menuEntries, 16 + 2);
        QCOMPARE(t->button(Button::Style)->menu()->actions().last(), r.window->actions()->receiptAction());
        for (const Entry e : {Entry::S1, Entry::S2, Entry::V1, Entry::P1})
            QVERIFY(!t->entry(e)->isEnabled());
        for (const Entry e : {Entry::V2, Entry::P2, Entry::R1, Entry::R5, Entry::R7, Entry::H1, Entry::H3})
            QVERIFY(t->entry(e)->isEnabled());
        QCOMPARE(t->entry(Entry::S2)->text(), QStringLiteral("终止所选项计时 &A"));
        QCOMPARE(t->button(Button::Start)->menu()->actions().first(), t->entry(Entry::S1));
        QCOMPARE(t->button(Button::Start)->popupMode(), QToolButton::MenuButtonPopup);
        QCOMPARE(t->button(Button::New)->popupMode(), QToolButton::DelayedPopup);

        // The buttons and entries trigger the actions the commands run on.
        QSignalSpy find(r.window->actions()->action(Button::Find), &QAction::triggered);
        QSignalSpy colour(r.window->actions()->action(Entry::R6), &QAction::triggered);
        t->button(Button::Find)->click();
        t->entry(Entry::R6)->trigger();
        QCOMPARE(find.size(), 1);
        QCOMPARE(colour.size(), 1);

        // The commands rename the start button through its action.
        r.window->actions()->action(Button::Start)->setText(QStringLiteral("终止"));
        QCOMPARE(t->button(Button::Start)->text(), QStringLiteral("终止"));
    }

    void statusBarPanels()
    {
        const DefaultLocale c(QLocale::c()); // times in 24-hour form, whatever the system's
        Rig r;
        r.open();
        MainStatusBar *s = r.window->Sbar();
        QCOMPARE(s->panelText(1), QStringLiteral("N 新增;F 查找;V 预览;A 方案;S 开始"));
        QCOMPARE(s->panelText(2), QStringLiteral("数量:"));
        QCOMPARE(s->panelText(4), QStringLiteral("总数量:"));
        QCOMPARE(s->panel(4)->toolTip(), QStringLiteral("总计时项数量"));
        QCOMPARE(s->panel(6)->toolTip(), QStringLiteral("当前系统时间"));
        QCOMPARE(s->panelText(7), QStringLiteral("10:00:00"));
        QCOMPARE(s->panel(1)->width(), 229); // 3440 twips
    }

    void storedViewSettings_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<int>("lngView");
        QTest::addColumn<int>("shown");
        QTest::newRow("icons") << "0" << 0 << 0;
        QTest::newRow("list") << "2" << 2 << 2;
        QTest::newRow("not a number reads 0") << "abc" << 0 << 0;
        QTest::newRow("out of range keeps report") << "7" << 7 << 7;
    }
    void storedViewSettings()
    {
        QFETCH(QString, view);
        QFETCH(int, lngView);
        QFETCH(int, shown);
        Rig r;
        r.store.set(QStringLiteral("VIEW"), view);
        r.store.set(QStringLiteral("DEPTHMODE"), QStringLiteral("9"));
        r.open();
        QCOMPARE(r.window->viewSettings().lngView, lngView);
        QCOMPARE(r.window->viewSettings().lngDepthMode, 9);
        QCOMPARE(r.window->Lvw()->shownView(), shown);
        const bool report = r.window->Lvw()->currentWidget() == r.window->Lvw()->reportView();
        QCOMPARE(report, shown < 0 || shown > 2);
    }

    void closingAskedNoKeepsTheWindowAndWritesNothing()
    {
        Rig r;
        r.open();
        r.window->show();
        r.prompter.answers.enqueue(Prompter::Answer::No);
        QVERIFY(!r.window->close());
        QVERIFY(r.window->isVisible());
        QVERIFY(r.store.log.isEmpty());
        QCOMPARE(r.prompter.asked.size(), 1);
        const ScriptedPrompter::Asked &a = r.prompter.asked.first();
        QCOMPARE(a.text, QStringLiteral("退出计时系统吗?"));
        QCOMPARE(a.buttons, Prompter::Buttons::YesNo);
        QCOMPARE(a.icon, Prompter::Icon::Question);
        QCOMPARE(a.defaultButton, 2);
    }

    // The program loads the schemes before the window opens, and at the window's unload writes
    // them after the view settings the window leaves in the store.
    void closingAskedYesWritesTheViewThenTheSchemes()
    {
        auto *store = new MemorySettingsStore;
        store->set(QStringLiteral("Max"), QStringLiteral("1"));
        store->set(QStringLiteral("1"), QStringLiteral("5*C/60"));
        auto *prompter = new ScriptedPrompter;
        Program program(programWith(store, prompter));
        fClock &w = program.mainWindow();
        QCOMPARE(program.state().tariff.cFangAn.count(), 1);
        w.viewSettings().lngView = 1;
        program.state().tariff.cFangAn.add(QStringLiteral("3*C/60"));
        prompter->answers.enqueue(Prompter::Answer::Yes);
        QVERIFY(w.close());
        QCOMPARE(store->log,
                 (QStringList {QStringLiteral("save DEPTHCOLOR=0"), QStringLiteral("save DEPTHMODE=4"),
                               QStringLiteral("save VIEW=1"), QStringLiteral("save LINECOLOR=16777215"),
                               QStringLiteral("delete 1"), QStringLiteral("save 1=5*C/60"),
                               QStringLiteral("save 2=3*C/60"), QStringLiteral("save Max=2")}));
    }

    void closingWritesTheRealSettingsFile()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Vantorel.ini"));
        auto *prompter = new ScriptedPrompter;
        Program program(programWith(new IniSettingsStore(ini), prompter));
        fClock &w = program.mainWindow();
        program.state().tariff.cFangAn.add(QStringLiteral("3*C/60"));
        prompter->answers.enqueue(Prompter::Answer::Yes);
        QVERIFY(w.close());
        QFile f(ini);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes, QByteArray("[SET]\n1=3*C/60\nDEPTHCOLOR=0\nDEPTHMODE=4\nLINECOLOR=16777215\nMax=1\nVIEW=3\n"));
    }

    void frameIsDrawnIntoTheRetainedImage()
    {
        Rig r;
        r.open();
        r.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.window.get()));
        const QImage img = r.window->surface().toImage();
        const QRect list = r.window->Lvw()->geometry();
        // Stored defaults: a black outline two pixels outside the list, a white shadow beyond it.
        QCOMPARE(img.pixelColor(list.left() - 2, list.center().y()), QColor(Qt::black));
        QCOMPARE(img.pixelColor(list.center().x(), list.top() - 2), QColor(Qt::black));
        QCOMPARE(img.pixelColor(list.right() + 5, list.center().y()), QColor(Qt::white));
    }

    void clickingARowEnablesTheItemCommands()
    {
        Rig r;
        r.openWithCommands();
        r.state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, r.clock.now());
        // The list's click, as the operator's mouse gives it.
        Q_EMIT r.window->Lvw()->itemClicked(1);
        QVERIFY(r.window->Tbar()->button(Button::Remove)->isEnabled());
        QVERIFY(!r.entryEnabled(Entry::S1));
        QVERIFY(r.entryEnabled(Entry::S2));
        QVERIFY(r.entryEnabled(Entry::V1));
        QVERIFY(r.entryEnabled(Entry::P1));
        QCOMPARE(r.window->Lvw()->listToolTip(), QStringLiteral("所选项:PC1 计算结果: 0 应收金额: 0.00"));
        // and follows the item's result at each refresh
        r.clock.advanceSecs(60 * 60);
        r.timing.wake();
        QCOMPARE(r.window->Lvw()->listToolTip(), QStringLiteral("所选项:PC1 计算结果: 5 应收金额: 5.00"));
    }

    void arrowKeysMoveTheCurrentItem()
    {
        Rig r;
        r.openWithCommands();
        r.state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("C"), 0, false}, r.clock.now());
        r.state.add(NewItem {QStringLiteral("PC2"), QStringLiteral("C"), 0, true}, r.clock.now());
        r.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.window.get()));
        QTreeView *tree = r.window->Lvw()->reportView();
        r.window->revealRow(1); // as a search does
        r.commands->itemClick(1);
        QCOMPARE(r.current.position(), 1);
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Down);
        QCOMPARE(r.current.position(), 2);
        QVERIFY(r.entryEnabled(Entry::S2));
        QCOMPARE(r.window->Lvw()->listToolTip(), QStringLiteral("所选项:PC2 计算结果: 0 应收金额: 0.00"));
    }

    // With one row the key moves nothing and must still choose it, for M and the menu to act on.
    void keysChooseTheOnlyRow()
    {
        Rig r;
        r.openWithCommands();
        r.state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("C"), 0, false}, r.clock.now());
        QTreeView *tree = r.window->Lvw()->reportView();
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_Up}) {
            r.current.set(0);
            tree->selectionModel()->clear();
            tree->selectionModel()->setCurrentIndex(tree->model()->index(0, 0), QItemSelectionModel::NoUpdate);
            QTest::keyClick(tree, key);
            QVERIFY(r.current.position() == 1 && r.window->itemMenu()->actions().last()->isEnabled()); // 移除 &M
        }
    }

    void removingARowLeavesNoRowHighlighted()
    {
        Rig r;
        r.open();
        r.state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("C"), 0, true}, r.clock.now());
        r.state.add(NewItem {QStringLiteral("PC2"), QStringLiteral("C"), 0, true}, r.clock.now());
        r.window->revealRow(2);
        QVERIFY(r.window->Lvw()->reportView()->selectionModel()->hasSelection());
        r.state.remove(2);
        QVERIFY(!r.window->Lvw()->reportView()->selectionModel()->hasSelection());
        QVERIFY(!r.window->Lvw()->reportView()->selectionModel()->currentIndex().isValid());
    }

    void tickRewritesTheCaptionAndRows()
    {
        const DefaultLocale chinese(QLocale(QStringLiteral("zh_CN")));
        Rig r;
        r.open();
        r.state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, r.clock.now());
        r.clock.advanceSecs(90 * 60);
        r.window->setClockEnabled(true);
        r.timing.wake();
        QCOMPARE(r.window->windowTitle(), QStringLiteral("正在计时...2026/12/7 11:30:00"));
        QCOMPARE(r.state.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("90"));
        QCOMPARE(r.state.lvwMain.text(1, ItemRowModel::ColResult), QStringLiteral("7.5"));
    }

    // A command letter is the command's alone: the list's type-ahead must not move the current
    // item under it (M would then remove another customer). Taking the focus chooses no row
    // either; only a click or a navigation key does.
    void onlyClicksAndNavigationKeysChooseTheCurrentItem()
    {
        Rig r;
        r.openWithCommands();
        for (const char *name : {"PC2", "PC4", "PC5"})
            r.state.add(NewItem {QString::fromLatin1(name), QStringLiteral("C"), 0, false}, r.clock.now());
        QString typed;
        r.window->setKeyCommand([&typed](QChar ch) {
            typed += ch;
            return ch == u'p' || ch == u'm';
        });
        r.window->show();
        r.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(r.window.get()));
        QTreeView *tree = r.window->Lvw()->reportView();
        tree->setFocus(); // Qt makes row 1 its current index here
        QCOMPARE(r.current.position(), 3);

        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(tree->model()->index(1, 0)).center());
        QCOMPARE(r.current.position(), 2);
        QTest::keyClick(tree, Qt::Key_P);
        QTest::keyClick(tree, Qt::Key_M);
        QTest::keyClick(tree, Qt::Key_X); // no command, and no search either
        QCOMPARE(typed, QStringLiteral("pmx"));
        QCOMPARE(r.current.position(), 2);
        QCOMPARE(tree->currentIndex().row(), 1);

        QTest::keyClick(tree, Qt::Key_Down);
        QCOMPARE(r.current.position(), 3);
        QTest::keyClick(tree, Qt::Key_Home);
        QCOMPARE(r.current.position(), 1);
        QApplication::setActiveWindow(nullptr); // as a box just closed may leave it
        QTest::keyClick(tree, Qt::Key_M);
        QCOMPARE(typed, QStringLiteral("pmxm"));
    }

    // An item started on its own while the clock is off still has its minutes and fee brought up
    // to date every minute.
    void itemStartedAloneIsRefreshed()
    {
        const DefaultLocale c(QLocale::c()); // times in 24-hour form, whatever the system's
        Rig r;
        r.open();
        r.state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 30, false}, r.clock.now());
        r.state.startTiming(1, r.clock.now()); // as its start entry does
        QVERIFY(!r.timing.isEnabled());
        // The wall clock may run ahead of the timers (a sped-up or stepped clock): the next wake
        // still brings the row up to date, whether or not anything is painted.
        r.clock.advanceSecs(90 * 60);
        r.timing.wake();
        QCOMPARE(r.window->Sbar()->panelText(7), QStringLiteral("11:30:00"));
        QCOMPARE(r.state.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("120"));
        QCOMPARE(r.state.lvwMain.text(1, ItemRowModel::ColResult), QStringLiteral("10"));
        QCOMPARE(r.window->windowTitle(), QStringLiteral("Vantorel")); // the clock's caption is not borrowed
    }
    // The clock set 2 h forward while an item is timed: the row and the bill count the 6 s that passed.
    void aClockSetForwardBillsRealTime()
    {
        Rig r;
        r.openWithCommands();
        r.state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("C"), 0, false}, r.clock.now());
        r.commands->keyPress(u'S');
        r.clock.step(2 * 3600);
        r.clock.advanceSecs(6);
        r.timing.wake(); // as the clock-step watcher wakes it
        QCOMPARE(r.state.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("0"));
        r.commands->keyPress(u'S');
        QCOMPARE(r.state.cTotal.item(1), 0.0);
    }

    // The clock wakes only just after each change of the second (and at once when the system clock
    // is set) instead of every 10 ms. Over three minutes that cross a minute's edge, midnight and a
    // clock set forward, the window shows the same captions, rows, tooltip and status-bar time, in
    // the same order and within 10 ms of when a window ticked every 10 ms shows them, and the same
    // minutes are booked when timing ends.
    void clockWakesOnlyWhenSomethingChanges()
    {
        const DefaultLocale chinese(QLocale(QStringLiteral("zh_CN")));
        const QDateTime start(QDate(2026, 12, 7), QTime(23, 58, 30, 250));
        constexpr qint64 kStepAt = 130437, kStepBy = 197110, kRunMs = 180000;
        // Wall time after t ms of elapsed time: the clock is set forward once on the way.
        const auto wall = [&](qint64 t) { return start.addMSecs(t + (t >= kStepAt ? kStepBy : 0)); };
        struct Seen {
            qint64 t;
            QString what;
        };
        struct Run {
            Rig r;
            QList<Seen> seen;
            int wakes = 0;
            void look(qint64 t)
            {
                QString what = r.window->windowTitle() + u'|' + r.window->Lvw()->listToolTip() + u'|'
                    + r.window->Sbar()->panelText(7);
                for (int i = 1; i <= r.state.lvwMain.count(); ++i)
                    what += u'|' + r.state.lvwMain.text(i, ItemRowModel::ColMinutes) + u'/'
                        + r.state.lvwMain.text(i, ItemRowModel::ColResult);
                if (seen.isEmpty() || seen.last().what != what)
                    seen.append({t, what});
            }
        };
        Run ticked, woken;
        for (Run *run : {&ticked, &woken}) {
            Rig &r = run->r;
            r.clock.set(start);
            r.open();
            r.state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 30, true}, start.addSecs(-3725));
            r.state.add(NewItem {QStringLiteral("PC2"), QStringLiteral("INT((C+29)/30)*2.5"), 0, true},
                        start.addSecs(-59));
            r.state.add(NewItem {QStringLiteral("PC3"), QStringLiteral("C"), 12, false}, start);
            r.window->setClockEnabled(true);
            run->look(0);
        }
        // Every 10 ms, as the clock used to tick.
        for (qint64 t = 10; t <= kRunMs; t += 10) {
            ticked.r.clock.set(wall(t));
            ticked.r.timing.wake();
            ++ticked.wakes;
            ticked.look(t);
        }
        // Only when the armed timer would fire, or when the system clock is set.
        bool stepped = false;
        for (qint64 t = 10; t <= kRunMs;) {
            woken.r.clock.set(wall(t));
            woken.r.timing.wake();
            ++woken.wakes;
            woken.look(t);
            QVERIFY(woken.r.timing.isEnabled());
            const qint64 next = t + woken.r.timing.wakeInterval();
            if (!stepped && next > kStepAt) {
                stepped = true;
                t = kStepAt;
                woken.r.clock.set(wall(t));
                woken.r.timing.wake();
                ++woken.wakes;
                woken.look(t);
                t += woken.r.timing.wakeInterval();
            } else {
                t = next;
            }
        }
        QVERIFY2(woken.wakes <= kRunMs / 1000 + 3, qPrintable(QString::number(woken.wakes)));
        QVERIFY(ticked.seen.size() > kRunMs / 1000); // every second showed, rows refreshed too
        for (qsizetype i = 0; i < std::min(ticked.seen.size(), woken.seen.size()); ++i) {
            QCOMPARE(woken.seen[i].what, ticked.seen[i].what);
            QVERIFY2(qAbs(woken.seen[i].t - ticked.seen[i].t) < 10,
                     qPrintable(QStringLiteral("%1 at %2 ms, not %3 ms")
                                    .arg(ticked.seen[i].what)
                                    .arg(woken.seen[i].t)
                                    .arg(ticked.seen[i].t)));
        }
        QCOMPARE(woken.seen.size(), ticked.seen.size());
        for (Run *run : {&ticked, &woken}) {
            run->r.state.setAll(false, wall(kRunMs));
            run->r.window->setClockEnabled(false);
        }
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(woken.r.state.cTotal.item(i), ticked.r.state.cTotal.item(i));
        QVERIFY(woken.r.state.cTotal.item(1) > 30 + 60); // the session was booked
    }

    // F1 opens the help as H does and Ctrl+Q asks the exit question as the close button does.
    // None of the usual keys is taken for a letter command, and none acts while a box of the
    // window's own is up, where the operator is typing.
    void usualKeys()
    {
        Rig r;
        r.openWithCommands();
        QStringList opened;
        connect(r.commands.get(), &ToolbarCommands::helpRequested, [&opened] { opened << QStringLiteral("help"); });
        QString typed;
        r.window->setKeyCommand([&typed](QChar ch) {
            typed += ch;
            return false;
        });
        r.window->show();
        r.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(r.window.get()));
        QTreeView *tree = r.window->Lvw()->reportView();
        QCOMPARE(QApplication::focusWidget(), tree); // the list, not a toolbar button, has the focus

        QTest::keyClick(tree, Qt::Key_F1);
        QCOMPARE(opened, QStringList {QStringLiteral("help")});
        r.prompter.answers.enqueue(Prompter::Answer::No);
        QTest::keyClick(tree, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(r.prompter.asked.size(), 1);
        QCOMPARE(r.prompter.asked.first().text, QStringLiteral("退出计时系统吗?"));
        QTest::keyClick(tree, Qt::Key_Escape);
        QVERIFY(r.window->isVisible());
        // The Menu key, as the platform turns it into a context-menu event, and Shift+F10.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0), tree->mapToGlobal(QPoint(0, 0)));
        QApplication::sendEvent(tree, &menuKey);
        QCOMPARE(QApplication::activePopupWidget(), r.window->itemMenu());
        r.window->itemMenu()->close();
        QTest::keyClick(tree, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(QApplication::activePopupWidget(), r.window->itemMenu());
        r.window->itemMenu()->close();
        QCOMPARE(typed, QString());

        QDialog box(r.window.get());
        box.setModal(true);
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QTest::keyClick(&box, Qt::Key_F1);
        QTest::keyClick(&box, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(r.prompter.asked.size(), 1);
    }

    // Esc closes the help and history windows, as it closes a dialog; the main window stays.
    void escapeClosesTheHelpAndHistoryWindows()
    {
        Rig r;
        r.open();
        r.window->show();
        HelpWindow help(r.window.get());
        HistoryWindow history(
            r.history, r.clock, [] { return nullptr; }, r.window.get());
        for (QWidget *w : {static_cast<QWidget *>(&help), static_cast<QWidget *>(&history)}) {
            w->show();
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_Escape);
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        }
        QVERIFY(r.window->isVisible());
    }

    // Tab goes from the list through every enabled toolbar button and back; on a drop-down button
    // Alt+Down and F4 open its menu.
    void toolbarFromTheKeyboard()
    {
        Rig r;
        r.openWithCommands();
        r.window->show();
        r.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(r.window.get()));
        QTreeView *tree = r.window->Lvw()->reportView();
        QList<Button> reached;
        QTest::keyClick(tree, Qt::Key_Tab);
        while (auto *b = qobject_cast<ToolbarButton *>(QApplication::focusWidget())) {
            reached << b->button();
            QTest::keyClick(b, Qt::Key_Tab);
            if (reached.size() > 20)
                break;
        }
        QCOMPARE(reached,
                 (QList<Button> {Button::New, Button::Find, Button::Start, Button::Preview, Button::Print,
                                 Button::Scheme, Button::Style, Button::History, Button::Help}));
        QCOMPARE(QApplication::focusWidget(), tree);

        ToolbarButton *start = r.window->Tbar()->button(Button::Start);
        for (const auto &[key, modifiers] : {std::pair {Qt::Key_Down, Qt::AltModifier}, {Qt::Key_F4, Qt::NoModifier}}) {
            QWidget *popup = nullptr;
            QTimer::singleShot(0, start, [&popup] {
                popup = QApplication::activePopupWidget();
                if (popup)
                    popup->close();
            });
            QTest::keyClick(start, key, modifiers);
            QCOMPARE(popup, start->menu());
        }
    }

    // However small the window is made, every toolbar button shows, and the list keeps clear of
    // both bars.
    // The window comes back as the operator left it; a state file spoilt by hand or by a crash
    // gives the designed window, value by value, and never a window off every screen.
    void layoutSurvivesARestart_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: the one the first window wrote
        QTest::addColumn<bool>("kept");
        QTest::newRow("as left") << QByteArray() << true;
        QTest::newRow("letters") << QByteArray("[Main]\ngeometry=a,b,c,d\ncolumns=x\n[History]\nsize=,\n") << false;
        QTest::newRow("no size") << QByteArray("[Main]\ngeometry=10,10,0,-4\n[History]\nsize=0,0\n") << false;
        QTest::newRow("too large") << QByteArray("[Main]\ngeometry=0,0,99999,400\ncolumns=1,2\n") << false;
        QTest::newRow("binary") << QByteArrayLiteral("\0\xff[Main\ngeometry=1,2,3") << false;
    }

    void layoutSurvivesARestart()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, kept);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("window-state.ini"));
        Rig first;
        first.open();
        const QRect designed = first.window->geometry();
        const QList<int> designedColumns = first.window->Lvw()->columnWidths();
        first.window->setGeometry(QRect(designed.topLeft() + QPoint(7, 5), designed.size() + QSize(40, 30)));
        QList<int> widened = designedColumns;
        widened[3] += 50;
        first.window->Lvw()->setColumnWidths(widened);
        WindowState left;
        first.window->keepLayout(left);
        left.history = QSize(700, 500);
        QVERIFY(left.write(path));
        if (!file.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(file);
        }

        const WindowState read = WindowState::read(path);
        Rig next;
        next.open();
        next.window->restoreLayout(read);
        QCOMPARE(next.window->geometry(), kept ? left.main : designed);
        // A place on a monitor since unplugged: the size is kept, the window comes to the screen.
        WindowState unplugged = read;
        unplugged.main = QRect(-20000, 9000, 640, 400);
        next.window->restoreLayout(unplugged);
        QCOMPARE(next.window->size(), unplugged.main.size());
        QVERIFY(QGuiApplication::screenAt(next.window->geometry().center()));
        // A size no screen has, saved on a larger one or written by hand, is cut to the screen.
        WindowState huge = read;
        huge.main = QRect(300, 200, 32000, 32000);
        next.window->restoreLayout(huge);
        QVERIFY(next.window->screen()->availableGeometry().contains(next.window->geometry()));
        HistoryWindow history(next.history, next.clock, [] { return nullptr; }, next.window.get());
        history.resize(32000, 32000);
        centreOn(history, *next.window);
        QVERIFY(next.window->screen()->availableGeometry().contains(history.frameGeometry()));
        QCOMPARE(next.window->Lvw()->columnWidths(), kept ? widened : designedColumns);
        QCOMPARE(read.history, kept ? left.history : QSize());
    }

    void squeezedWindowKeepsItsBarsApart()
    {
        Rig r;
        r.open();
        fClock &w = *r.window;
        w.resize(100, 100);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect help = r.window->Tbar()->button(Button::Help)->geometry();
        QVERIFY(r.window->Tbar()->button(Button::Help)->isVisible());
        QVERIFY(help.right() < w.Tbar()->width());
        QVERIFY(w.Tbar()->geometry().bottom() < w.Lvw()->geometry().top());
        QVERIFY(w.Lvw()->geometry().bottom() < w.Sbar()->geometry().top());
        QVERIFY(w.Lvw()->height() >= 60);
    }

    void statusBarPanelsKeepTheirDesignedWidths_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("designed size") << 0;
        QTest::newRow("200 pixels wide") << 200;
    }
    void statusBarPanelsKeepTheirDesignedWidths()
    {
        QFETCH(int, width);
        Rig r;
        r.open();
        fClock &w = *r.window;
        if (width)
            w.resize(width, w.height());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const double twipsPerPixel = 1440.0 / w.logicalDpiX();
        const int designedTwips[] = {3440, 600, 1440, 801, 1440, 601, 1440};
        // The panels need more than the window's width: the row is cut at the right edge, and no
        // panel is squeezed or drawn over its neighbour.
        MainStatusBar *s = w.Sbar();
        QCOMPARE(s->geometry().right(), w.width() - 1);
        int previousRight = -1;
        for (int i = 1; i <= 7; ++i) {
            const QLabel *p = s->panel(i);
            const QRect g(p->mapTo(s, QPoint(0, 0)), p->size());
            QCOMPARE(g.width(), qRound(designedTwips[i - 1] / twipsPerPixel));
            QVERIFY2(g.left() > previousRight,
                     qPrintable(QStringLiteral("panel %1 starts at %2, panel %3 ends at %4")
                                    .arg(i)
                                    .arg(g.left())
                                    .arg(i - 1)
                                    .arg(previousRight)));
            previousRight = g.right();
        }
    }

    void namesShowWholeInTheIconAndListViews_data()
    {
        QTest::addColumn<int>("view");
        QTest::newRow("large icons") << 0;
        QTest::newRow("small icons") << 1;
        QTest::newRow("list") << 2;
    }
    void namesShowWholeInTheIconAndListViews()
    {
        QFETCH(int, view);
        Rig r;
        r.open();
        // Names of different lengths, the shortest last: a view that measured one row for all of
        // them would cut the longer ones to "…".
        const QStringList names = {QStringLiteral("一二三四五六七八"), QStringLiteral("一号机"), QStringLiteral("PC1")};
        for (const QString &name : names)
            r.state.add(NewItem {name, QStringLiteral("C"), 0, false}, r.clock.now());
        r.window->viewSettings().lngView = view;
        r.window->Lvw()->setView(view);
        r.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.window.get()));
        QListView *v = r.window->Lvw()->iconView();
        QCOMPARE(r.window->Lvw()->currentWidget(), v);
        // Measured with the font the list really got, whichever Chinese font stands in for SimSun.
        const QFontMetrics fm(v->font());
        QList<QRect> shown;
        for (int row = 0; row < names.size(); ++row) {
            const QString &name = names[row];
            const QModelIndex i = v->model()->index(row, 0);
            const QRect rect = v->visualRect(i);
            // The item gets all the room its delegate asks for, so the delegate elides nothing...
            const QSize wanted = v->sizeHintForIndex(i);
            QVERIFY2(rect.width() >= wanted.width() && rect.height() >= wanted.height(),
                     qPrintable(QStringLiteral("%1: %2x%3 shown, %4x%5 wanted")
                                    .arg(name)
                                    .arg(rect.width())
                                    .arg(rect.height())
                                    .arg(wanted.width())
                                    .arg(wanted.height())));
            // ...and by the plain font metrics the name fits: on one line beside the small icon, or
            // wrapped under the large one.
            if (view == 0) {
                const QRect text =
                    fm.boundingRect(QRect(0, 0, rect.width(), 1000), Qt::AlignHCenter | Qt::TextWrapAnywhere, name);
                QVERIFY2(text.height() + v->iconSize().height() <= rect.height(), qPrintable(name));
            } else {
                QCOMPARE(fm.elidedText(name, Qt::ElideRight, rect.width() - v->iconSize().width()), name);
            }
            for (const QRect &other : std::as_const(shown))
                QVERIFY2(!rect.intersects(other), qPrintable(name));
            shown.append(rect);
        }
        // Rows in one state show the one picture drawn for it: a picture made anew for each row
        // painted filled the pixmap cache with copies, some 30 KB for each item added.
        const auto picture = [&](int row) {
            const QVariant d = v->model()->index(row, 0).data(Qt::DecorationRole);
            return view == 0 ? qvariant_cast<QPixmap>(d).cacheKey() : qvariant_cast<QIcon>(d).cacheKey();
        };
        QCOMPARE(picture(0), picture(2));
        QCOMPARE(picture(1), picture(1));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
