// The toolbar buttons, their menu entries and the letter keys, on the real main window.

#include "CommandFixture.h"
#include "RecordingLimitNotifier.h"
#include "app/ItemContextMenu.h"
#include "commands/LimitAlerts.h"
#include "timing/DayLedger.h"
#include "timing/ReceiptSettings.h"
#include "timing/TimeText.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <climits>

using Answer = Prompter::Answer;

class TestToolbarCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Start times and the stopped caption are compared as the operator's locale writes them.
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    }

    void itemIsTimedBilledEndedAndReportedThenGone()
    {
        CommandFixture f;
        f.commands.keyPress(u'N');
        QCOMPARE(f.opened, QStringList {QStringLiteral("new items")});
        // What the dialog does when the operator types PC1 and presses Enter.
        QCOMPARE(f.add(QStringLiteral("PC1"), true), 1);
        f.commands.clockStartedByAnItem();
        QCOMPARE(f.button(Button::Start)->text(), QStringLiteral("终止"));
        // The start button's tooltip stays; the item counts follow the list.
        QCOMPARE(f.button(Button::Start)->toolTip(), QStringLiteral("开始或终止所有计时项目计时"));
        QCOMPARE(f.panel(StatusPanel::Items), QStringLiteral("1"));
        QCOMPARE(f.panel(StatusPanel::Added), QStringLiteral("1"));

        f.clock.advanceSecs(90 * 60);
        f.window.Clock().wake();
        QCOMPARE(f.state.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("90"));
        QCOMPARE(f.state.lvwMain.text(1, ItemRowModel::ColResult), QStringLiteral("7.5"));

        f.commands.itemClick(1);
        f.prompter.answers << Answer::Yes;
        f.commands.keyPress(u'M');

        QCOMPARE(f.prompter.asked.size(), 1);
        const ScriptedPrompter::Asked &q = f.prompter.asked.first();
        QCOMPARE(q.text,
                 QStringLiteral("打印并结束该项计时吗? \rPC1\r 按‘取消’将取消操作，‘是’将打印并结束计时，"
                                "‘否’将仅仅移除该项计时。"));
        QCOMPARE(q.buttons, Prompter::Buttons::YesNoCancel);
        QCOMPARE(q.icon, Prompter::Icon::Question);
        QCOMPARE(q.defaultButton, 3);

        QVERIFY(f.printer);
        QCOMPARE(f.printer->documents.size(), 1);
        QVERIFY(f.printer->last().preview);
        QCOMPARE(f.printer->last().firstBlock.value(1).toString(), QStringLiteral("PC1"));
        QCOMPARE(f.printer->last().firstBlock.last().toString(), QStringLiteral("已结束计时"));
        // One booked session, 10:00 to 11:30, is the report's last (and only) row.
        QCOMPARE(f.printer->last().cells.size(), 3);
        QCOMPARE(f.printer->last().cells.at(0).toTime(), QTime(10, 0));
        QCOMPARE(f.printer->last().cells.at(1).toTime(), QTime(11, 30));
        QCOMPARE(f.printer->last().cells.at(2).toDouble(), 90.0);

        QCOMPARE(f.state.lngItems, 0);
        QCOMPARE(f.state.lvwMain.count(), 0);
        QCOMPARE(f.state.lngAdded, 1);
        QCOMPARE(f.current.position(), 0);
        QCOMPARE(f.panel(3), QStringLiteral("0"));
        QCOMPARE(f.listToolTip(), QString());
        QVERIFY(!f.enabled(Button::Remove));
        for (const Entry entry : {Entry::S1, Entry::S2, Entry::V1, Entry::P1})
            QVERIFY2(!f.enabled(entry), qPrintable(CommandTable::id(entry)));
        QVERIFY(f.enabled(Entry::V2));

        QCOMPARE(f.history.count(), 1);
        QCOMPARE(f.history.newest(0).item.name, QStringLiteral("PC1"));
        QCOMPARE(f.history.newest(0).minutes(), 90.0);
        QCOMPARE(f.history.newest(0).item.fee, 7.5);
        QVERIFY(f.history.newest(0).ended);
    }

    void removingTheOnlyItemLeavesNothingToReport()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.commands.itemClick(1);
        f.prompter.answers << Answer::No;
        f.commands.buttonClick(Button::Remove);
        QCOMPARE(f.state.lngItems, 0);
        QCOMPARE(f.panel(3), QStringLiteral("0"));
        f.button(Button::Preview)->click();
        f.button(Button::Print)->click();
        f.commands.keyPress(u'v');
        f.commands.keyPress(u'P');
        QVERIFY(!f.reports.objReport());
    }

    void removeRunningItem_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<int>("itemsLeft");
        QTest::addColumn<bool>("reported");
        QTest::addColumn<int>("bookedSessions");
        QTest::newRow("cancel") << Answer::Cancel << 2 << false << 0;
        QTest::newRow("no") << Answer::No << 1 << false << 0;
        QTest::newRow("yes") << Answer::Yes << 1 << true << 1;
    }
    void removeRunningItem()
    {
        QFETCH(Answer, answer);
        QFETCH(int, itemsLeft);
        QFETCH(bool, reported);
        QFETCH(int, bookedSessions);
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.add(QStringLiteral("PC2"), true);
        f.clock.advanceSecs(25 * 60);
        f.commands.itemClick(2);
        f.prompter.answers << answer;
        f.button(Button::Remove)->click();

        QCOMPARE(f.state.lngItems, itemsLeft);
        QCOMPARE(f.state.lvwMain.count(), itemsLeft);
        QCOMPARE(f.reports.objReport() != nullptr, reported);
        QCOMPARE(f.history.count(), answer == Answer::Cancel ? 0 : 1);
        QCOMPARE(f.enabled(Button::Remove), answer == Answer::Cancel);
        if (answer == Answer::Cancel) {
            QCOMPARE(f.current.position(), 2);
            QVERIFY(f.state.cRunning.item(2));
            return;
        }
        QCOMPARE(f.names(), QStringList {QStringLiteral("PC1")});
        QCOMPARE(f.panel(3), QStringLiteral("1"));
        const RemovedItem &gone = f.history.newest(0);
        QCOMPARE(gone.item.record.cEnd.count(), bookedSessions);
        QCOMPARE(gone.minutes(), 25.0); // the time used, booked or not
        if (reported) {
            QCOMPARE(f.printer->last().firstBlock.last().toString(), QStringLiteral("已结束计时"));
            QCOMPARE(f.printer->last().cells.last().toDouble(), 25.0);
        }
    }

    // Ending with 是 asks what the customer paid only when the option is on; the bill shows it
    // and the change, and a cancelled question bills as before.
    void settlingAsksWhatWasPaid_data()
    {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<int>("step");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QVariantList>("due");
        QTest::addColumn<QVariantList>("paid");
        const QVariantList fen = {QStringLiteral("应收金额:"), QStringLiteral("2.08")};
        QTest::newRow("not asked") << false << 1 << QStringList {QStringLiteral("20")} << 0 << fen << QVariantList {};
        QTest::newRow("paid 20") << true << 1 << QStringList {QStringLiteral("20")} << 1 << fen
                                 << QVariantList {"实收:", "20.00", "找零:", "17.92"};
        QTest::newRow("cancelled") << true << 1 << QStringList {} << 1 << fen << QVariantList {};
        QTest::newRow("too little, then 50元, by 0.5 元")
            << true << 50 << QStringList {QStringLiteral("1.99"), QStringLiteral("50元")} << 2
            << QVariantList {"应收金额(按0.5元取整):", "2.00"} << QVariantList {"实收:", "50.00", "找零:", "48.00"};
    }
    void settlingAsksWhatWasPaid()
    {
        QFETCH(bool, ask);
        QFETCH(int, step);
        QFETCH(QStringList, typed);
        QFETCH(int, questions);
        QFETCH(QVariantList, due);
        QFETCH(QVariantList, paid);
        CommandFixture f;
        auto receipt = std::make_shared<ReceiptSettings>();
        receipt->askPaid = ask;
        receipt->rounding = AmountDue::roundingFromStep(step);
        f.reports.setReceipt(receipt);
        f.add(QStringLiteral("PC1"), true);
        f.clock.advanceSecs(25 * 60); // 5*C/60: 2.0833
        f.commands.itemClick(1);
        f.prompter.answers << Answer::Yes;
        f.prompter.inputs.append(typed);
        f.button(Button::Remove)->click();

        const auto inputs = std::count_if(f.prompter.asked.cbegin(), f.prompter.asked.cend(),
                                          [](const ScriptedPrompter::Asked &a) { return a.input; });
        QCOMPARE(int(inputs), questions);
        QCOMPARE(f.state.lngItems, 0);
        const ReportDocument &bill = f.printer->last();
        QCOMPARE(bill.secondBlock.mid(4, 2), due);
        // What was paid follows what was due.
        QCOMPARE(bill.secondBlock.mid(6), paid);
    }

    // A day at the counter: three items, one removed with 是 and one with 否, the program started
    // again, one more item. The day's ledger holds every booked session and both removals, and the
    // day's bill adds up across the restart.
    void theDayIsKeptInTheLedgerAcrossARestart()
    {
        QTemporaryDir folder;
        const QDate day(2026, 12, 7);
        {
            DayLedger ledger(folder.path());
            CommandFixture f;
            ledger.follow(f.state);
            f.add(QStringLiteral("PC1"), true); // 10:00
            f.add(QStringLiteral("PC2"), true);
            f.add(QStringLiteral("PC3"), false, QStringLiteral("3*C/60"));
            f.clock.advanceSecs(30 * 60); // 10:30
            f.commands.itemClick(1);
            f.prompter.answers << Answer::Yes;
            f.commands.keyPress(u'M');
            f.clock.advanceSecs(15 * 60); // 10:45: PC2 goes while running, its session ending with it
            f.commands.itemClick(1);
            f.prompter.answers << Answer::No;
            f.commands.keyPress(u'M');
            f.commands.itemClick(1); // PC3 is timed for 20 minutes and stays on the list
            f.commands.menuClick(Entry::S1);
            f.clock.advanceSecs(20 * 60);
            f.commands.menuClick(Entry::S2);
        }
        {
            DayLedger ledger(folder.path());
            CommandFixture f;
            ledger.follow(f.state);
            f.clock.setTime(QTime(11, 10));
            f.add(QStringLiteral("PC1"), true, QStringLiteral("5*C/60"), 10);
            f.clock.advanceSecs(50 * 60);
            f.commands.itemClick(1);
            f.prompter.answers << Answer::Yes;
            f.commands.keyPress(u'M');
        }
        const LedgerDay d = DayLedger(folder.path()).read(day);
        QStringList lines;
        for (const LedgerEntry &e : d.entries)
            lines << QStringLiteral("%1 %2 %3 %4 %5 %6")
                         .arg(e.kind == LedgerEntry::Kind::Session ? QStringLiteral("session") : QStringLiteral("left"),
                              e.name, e.start.time().toString(QStringLiteral("hh:mm")),
                              e.end.time().toString(QStringLiteral("hh:mm")), TimeText::generalNumber(e.minutes))
                         .arg(e.kind == LedgerEntry::Kind::Left ? TimeText::generalNumber(e.fee)
                                      + (e.ended ? QStringLiteral(" 是") : QStringLiteral(" 否"))
                                                                : QString());
        QCOMPARE(
            lines,
            (QStringList {QStringLiteral("session PC1 10:00 10:30 30 "), QStringLiteral("left PC1  10:30 30 2.5 是"),
                          QStringLiteral("session PC2 10:00 10:45 45 "), QStringLiteral("left PC2  10:45 45 3.75 否"),
                          QStringLiteral("session PC3 10:45 11:05 20 "), QStringLiteral("session PC1 11:10 12:00 50 "),
                          QStringLiteral("left PC1  12:00 60 5 是")}));
        QCOMPARE(d.skipped, 0);
        QCOMPARE(d.itemsLeft(), 3);
        QCOMPARE(d.minutes(), 135.0);
        QCOMPARE(d.fees(), 11.25);
        QCOMPARE(QFileInfo(DayLedger(folder.path()).pathFor(day)).fileName(), QStringLiteral("2026-12-07.log"));
    }

    void removingTheMiddleItemMovesTheLastOneDown()
    {
        CommandFixture f;
        for (const char *name : {"A", "B", "C"})
            f.add(QString::fromLatin1(name), false);
        f.commands.itemClick(2);
        f.prompter.answers << Answer::No;
        f.commands.buttonClick(Button::Remove);
        QCOMPARE(f.names(), (QStringList {QStringLiteral("A"), QStringLiteral("C")}));
        QCOMPARE(f.state.lvwMain.text(2, ItemRowModel::ColName), QStringLiteral("C"));
        QCOMPARE(f.state.lvwMain.count(), 2);
        QCOMPARE(f.history.newest(0).item.name, QStringLiteral("B"));
        // The name is free again.
        QCOMPARE(f.add(QStringLiteral("b"), false), 3);
    }

    void removeNeedsACurrentItem()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.current.set(0);
        f.commands.buttonClick(Button::Remove);
        QVERIFY(f.prompter.asked.isEmpty());
        QCOMPARE(f.state.lngItems, 1);
    }

    void keyMDoesNothingAfterARemoval()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.add(QStringLiteral("PC2"), false);
        f.commands.itemClick(1);
        f.prompter.answers << Answer::No;
        f.commands.keyPress(u'm');
        QCOMPARE(f.prompter.asked.size(), 1);
        f.commands.keyPress(u'm');
        f.commands.keyPress(u'M');
        QCOMPARE(f.prompter.asked.size(), 1);
        QCOMPARE(f.state.lngItems, 1);
        f.commands.itemClick(1);
        f.commands.keyPress(u'M'); // answered with the default, Cancel
        QCOMPARE(f.prompter.asked.size(), 2);
        QCOMPARE(f.state.lngItems, 1);
    }

    void keys_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<std::optional<Button>>("button");
        const QList<std::pair<char, Button>> table {
            {'A', Button::Scheme}, {'F', Button::Find},    {'H', Button::Help},
            {'N', Button::New},    {'P', Button::Print},   {'R', Button::Style},
            {'S', Button::Start},  {'T', Button::History}, {'V', Button::Preview}};
        for (const auto &[letter, button] : table) {
            QTest::newRow(QByteArray(1, letter).constData()) << QChar(letter) << std::optional(button);
            const char lower = char(letter - 'A' + 'a');
            QTest::newRow(QByteArray(1, lower).constData()) << QChar(lower) << std::optional(button);
        }
        const std::optional<Button> none;
        QTest::newRow("x") << QChar(u'x') << none;
        QTest::newRow("digit") << QChar(u'4') << none;
        QTest::newRow("space") << QChar(u' ') << none;
        QTest::newRow("long s") << QChar(u'\u017F') << none; // upper-cases to S
        QTest::newRow("fullwidth N") << QChar(u'\uFF2E') << none;
        QTest::newRow("M while disabled") << QChar(u'M') << none;
    }
    void keys()
    {
        QFETCH(QChar, key);
        QFETCH(std::optional<Button>, button);
        CommandFixture f;
        QVERIFY(f.commands.buttonForKey(key) == button);
        // The keys of the buttons that open a window, pressed for real.
        const QMap<Button, QString> opens {{Button::New, "new items"},
                                           {Button::Scheme, "scheme"},
                                           {Button::History, "history"},
                                           {Button::Help, "help"}};
        QCOMPARE(f.commands.keyPress(key), button.has_value());
        if (button && opens.contains(*button))
            QCOMPARE(f.opened, QStringList {opens.value(*button)});
        if (!button)
            QVERIFY(f.opened.isEmpty() && f.prompter.asked.isEmpty());
    }

    // B is no button's: it hands the shift over whatever is highlighted.
    void handOverIsUnderB()
    {
        CommandFixture f;
        QVERIFY(f.commands.keyPress(u'b'));
        QCOMPARE(f.opened, QStringList {QStringLiteral("hand-over")});
    }

    void findIgnoresLetterCase()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.add(QStringLiteral("PC2"), false);
        f.add(QStringLiteral("Pc3"), false, QStringLiteral("5*C/60"), 30); // billed 2.5
        f.prompter.inputs << QStringLiteral("pC3");
        f.commands.keyPress(u'f');

        QCOMPARE(f.prompter.asked.size(), 1);
        QVERIFY(f.prompter.asked.first().input);
        QCOMPARE(f.prompter.asked.first().text, QStringLiteral("请输入要查找的计时项目名称:"));
        QCOMPARE(f.prompter.asked.first().title, QStringLiteral("查找计时项目"));
        QCOMPARE(f.current.position(), 3);
        QVERIFY(f.state.lvwMain.bold(3));
        QCOMPARE(f.selectedRow(), 3);
        QVERIFY(f.enabled(Button::Remove));
        QVERIFY(f.enabled(Entry::S1));
        QVERIFY(!f.enabled(Entry::S2));
        QVERIFY(f.enabled(Entry::V1) && f.enabled(Entry::P1));
        QCOMPARE(f.listToolTip(), QStringLiteral("所选项:Pc3 计算结果: 2.5 应收金额: 2.50"));
    }

    void findReportsAMissingName()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.current.set(0); // nothing highlighted, for a search that fails to be seen highlighting nothing
        f.prompter.inputs << QStringLiteral("PC") << QString();
        f.button(Button::Find)->click();
        QCOMPARE(f.prompter.asked.size(), 2);
        QCOMPARE(f.prompter.asked.at(1).text, QStringLiteral("没有找到计时项目'PC'"));
        QCOMPARE(f.prompter.asked.at(1).icon, Prompter::Icon::Critical);
        QCOMPARE(f.prompter.asked.at(1).buttons, Prompter::Buttons::Ok);
        QVERIFY(!f.state.lvwMain.bold(1));
        QCOMPARE(f.selectedRow(), 0);
        // An empty answer, or a cancelled box, asks nothing more.
        f.commands.buttonClick(Button::Find);
        QCOMPARE(f.prompter.asked.size(), 3);
        QCOMPARE(f.selectedRow(), 0);
    }

    void onlyTheLastFoundRowIsBold()
    {
        CommandFixture f;
        for (const char *name : {"A", "B", "C"})
            f.add(QString::fromLatin1(name), false);
        f.prompter.inputs << QStringLiteral("a") << QStringLiteral("c") << QStringLiteral("b");
        f.commands.buttonClick(Button::Find);
        f.commands.itemClick(2); // the operator clicks another row between two searches
        f.commands.buttonClick(Button::Find);
        QVERIFY(!f.state.lvwMain.bold(1));
        QVERIFY(!f.state.lvwMain.bold(2));
        QVERIFY(f.state.lvwMain.bold(3));

        // The mark follows its row when an earlier row goes.
        f.commands.itemClick(1);
        f.prompter.answers << Answer::No;
        f.commands.buttonClick(Button::Remove);
        QCOMPARE(f.commands.lastFoundPos(), 2);
        f.commands.buttonClick(Button::Find);
        QVERIFY(f.state.lvwMain.bold(1));
        QVERIFY(!f.state.lvwMain.bold(2));
        QCOMPARE(f.commands.lastFoundPos(), 1);
    }

    void startStopAllTwice()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.add(QStringLiteral("PC2"), false);
        f.commands.itemClick(1);
        f.commands.keyPress(u'S');
        QVERIFY(f.window.Clock().isEnabled());
        // The button shows the action's caption whole, the underlined letter included.
        QCOMPARE(f.button(Button::Start)->text(), QStringLiteral("终止 &S"));
        QCOMPARE(f.button(Button::Start)->toolTip(), QStringLiteral("终止所有计时。"));
        QVERIFY(f.state.cRunning.item(1) && f.state.cRunning.item(2));
        QVERIFY(!f.enabled(Entry::S1));
        QVERIFY(f.enabled(Entry::S2));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Vantorel"));

        f.clock.advanceSecs(600);
        f.button(Button::Start)->click();
        QVERIFY(!f.window.Clock().isEnabled());
        QCOMPARE(f.button(Button::Start)->text(), QStringLiteral("开始 &S"));
        QCOMPARE(f.button(Button::Start)->toolTip(), QStringLiteral("开始所有计时。"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("已终止计时:") + TimeText::generalDateTime(f.clock.now()));
        QVERIFY(f.window.windowTitle().startsWith(QStringLiteral("已终止计时:")));
        QVERIFY(f.enabled(Entry::S1));
        QVERIFY(!f.enabled(Entry::S2));
        QCOMPARE(f.state.cTotal.item(2), 10.0);
        QCOMPARE(f.current.position(), 1);
    }

    void styleButtonCyclesTheView_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("next");
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("1") << 1 << 2;
        QTest::newRow("2") << 2 << 3;
        QTest::newRow("3") << 3 << 0;
        QTest::newRow("9") << 9 << 0;
        QTest::newRow("-1") << -1 << 0;
    }
    void styleButtonCyclesTheView()
    {
        QFETCH(int, stored);
        QFETCH(int, next);
        CommandFixture f;
        f.window.viewSettings().lngView = stored;
        f.commands.keyPress(u'r');
        QCOMPARE(f.window.viewSettings().lngView, next);
        QCOMPARE(f.window.Lvw()->shownView(), next);
    }

    void viewEntries()
    {
        CommandFixture f;
        const QList<std::pair<Entry, int>> views {{Entry::R3, 2}, {Entry::R1, 0}, {Entry::R4, 3}, {Entry::R2, 1}};
        for (const auto &[entry, view] : views) {
            f.window.Tbar()->entry(entry)->trigger();
            QCOMPARE(f.window.Lvw()->shownView(), view);
            QCOMPARE(f.window.viewSettings().lngView, view);
        }
    }

    void depthModeCycle_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("next");
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("5") << 5 << 6;
        QTest::newRow("6") << 6 << 0;
        QTest::newRow("9") << 9 << 0;
        QTest::newRow("largest") << INT_MAX << 0;
        QTest::newRow("-3") << -3 << -2;
    }
    void depthModeCycle()
    {
        QFETCH(int, stored);
        QFETCH(int, next);
        CommandFixture f;
        f.window.viewSettings().lngDepthMode = stored;
        const qint64 frame = f.frameKey();
        f.commands.menuClick(Entry::R5);
        QCOMPARE(f.window.viewSettings().lngDepthMode, next);
        QVERIFY(f.frameKey() != frame); // drawn anew
    }

    void colorCycle_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("next");
        QTest::newRow("black") << 0 << 16711680;
        QTest::newRow("blue") << 16711680 << 16776960;
        QTest::newRow("cyan") << 16776960 << 65280;
        QTest::newRow("green") << 65280 << 16711935;
        QTest::newRow("magenta") << 16711935 << 255;
        QTest::newRow("red") << 255 << 16777215;
        QTest::newRow("white") << 16777215 << 0;
        QTest::newRow("outside the cycle") << 128 << 0;
    }
    void colorCycle()
    {
        QFETCH(int, stored);
        QFETCH(int, next);
        CommandFixture f;
        ViewSettings &settings = f.window.viewSettings();
        settings.lngLineColor = stored;
        settings.lngDepthColor = stored;
        const qint64 frame = f.frameKey();
        f.commands.menuClick(Entry::R6);
        QCOMPARE(settings.lngLineColor, next);
        QCOMPARE(settings.lngDepthColor, stored);
        const qint64 lineFrame = f.frameKey();
        QVERIFY(lineFrame != frame);
        f.commands.menuClick(Entry::R7);
        QCOMPARE(settings.lngDepthColor, next);
        QVERIFY(f.frameKey() != lineFrame);
    }

    void startAndEndEntriesFlip()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.commands.itemClick(1);
        f.window.Tbar()->entry(Entry::S1)->trigger();
        QVERIFY(f.state.cRunning.item(1));
        QVERIFY(!f.enabled(Entry::S1));
        QVERIFY(f.enabled(Entry::S2));
        f.clock.advanceSecs(120);
        f.window.Tbar()->entry(Entry::S2)->trigger();
        QCOMPARE(f.state.cTotal.item(1), 2.0);
        QVERIFY(f.enabled(Entry::S1));
        QVERIFY(!f.enabled(Entry::S2));
    }

    void reportEntriesAndButtons()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.commands.menuClick(Entry::V1);
        QVERIFY(!f.printer->last().listFlag); // the item's report
        f.printer->documents.clear();
        f.commands.menuClick(Entry::P1);
        QVERIFY(!f.printer->last().preview);
        f.printer->documents.clear();
        f.commands.buttonClick(Button::Preview);
        QVERIFY(f.printer->last().listFlag); // the list's report
        QVERIFY(f.printer->last().preview);
        for (const Entry entry : {Entry::V2, Entry::P2}) {
            f.printer->documents.clear();
            f.commands.menuClick(entry);
            QCOMPARE(!f.printer->last().preview, entry == Entry::P2);
            QVERIFY(f.printer->last().listFlag);
        }
        f.printer->documents.clear();
        f.commands.buttonClick(Button::Print);
        QVERIFY(!f.printer->last().preview);
    }

    void helpEntriesAndButtonOpenTheSameTopic()
    {
        CommandFixture f;
        f.button(Button::Help)->click();
        f.window.Tbar()->entry(Entry::H1)->trigger();
        f.window.Tbar()->entry(Entry::H2)->trigger();
        QCOMPARE(f.opened, (QStringList {"help", "help", "help"}));
        f.window.Tbar()->entry(Entry::H3)->trigger();
        QCOMPARE(f.opened.last(), QStringLiteral("about"));
    }

    // A right click on a row makes it current, as a left click does, and opens the list's menu,
    // whose entries are enabled exactly as their twins on the toolbar. A letter typed in the menu
    // chooses its entry there, and nothing on the toolbar.
    void contextMenuActsOnTheRowClicked_data()
    {
        QTest::addColumn<int>("row"); // 0: empty space below the rows
        // 开始, 终止, 预览, 打印, 设定限额, 添加商品, 换机, 移除
        QTest::addColumn<QList<bool>>("enabled");
        QTest::newRow("stopped item") << 1 << QList<bool> {true, false, true, true, true, true, true, true};
        QTest::newRow("running item") << 2 << QList<bool> {false, true, true, true, true, true, true, true};
        QTest::newRow("no item") << 0 << QList<bool> {false, false, false, false, false, false, false, false};
    }
    void contextMenuActsOnTheRowClicked()
    {
        QFETCH(int, row);
        QFETCH(QList<bool>, enabled);
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.add(QStringLiteral("PC2"), true);
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QTreeView *tree = f.window.Lvw()->reportView();
        const QRect last = tree->visualRect(tree->model()->index(1, 0));
        const QPoint at = row ? tree->visualRect(tree->model()->index(row - 1, 0)).center()
                              : QPoint(last.center().x(), last.bottom() + 20);
        QTest::mousePress(tree->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent asked(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
        QApplication::sendEvent(tree->viewport(), &asked);
        QTest::mouseRelease(tree->viewport(), Qt::RightButton, {}, at);

        ItemContextMenu *menu = f.window.itemMenu();
        QCOMPARE(QApplication::activePopupWidget(), menu);
        QCOMPARE(f.current.position(), row);
        QList<bool> shown;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                shown << a->isEnabled();
        QCOMPARE(shown, enabled);
        const QList<bool> twins {f.enabled(Entry::S1),
                                 f.enabled(Entry::S2),
                                 f.enabled(Entry::V1),
                                 f.enabled(Entry::P1),
                                 f.window.actions()->limitAction()->isEnabled(),
                                 f.window.actions()->goodsAction()->isEnabled(),
                                 f.window.actions()->moveAction()->isEnabled(),
                                 f.enabled(Button::Remove)};
        QCOMPARE(shown, twins);

        QTest::keyClick(menu, Qt::Key_V); // its preview entry, not the toolbar's V
        if (row == 0) {
            QVERIFY(!f.reports.objReport());
            menu->close();
            return;
        }
        QVERIFY(!menu->isVisible());
        QCOMPARE(f.printer->documents.size(), 1);
        QVERIFY(!f.printer->last().listFlag); // the item's own report
        QVERIFY(f.printer->last().preview);
        // The menu again, from the keyboard: ending the running item flips its twins.
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(QApplication::activePopupWidget(), menu);
        QTest::keyClick(menu, row == 1 ? Qt::Key_S : Qt::Key_A); // the letters of 开始's menu
        QCOMPARE(f.state.cRunning.item(row), row == 1);
        QCOMPARE(f.enabled(Entry::S1), row == 2);
        QCOMPARE(f.enabled(Entry::S2), row == 1);
        QCOMPARE(f.window.Tbar()->button(Button::Start)->text(), QStringLiteral("开始 &S")); // not start-all
    }

    // The row under the pointer tells its own bill and whole formula; the current item stays.
    void hoveringARowShowsItsOwnTooltip()
    {
        CommandFixture f;
        const QString kRound = QStringLiteral("ROUND(5*C/60*100)/100");
        f.add(QStringLiteral("PC1"), false, kRound, 30);
        f.add(QStringLiteral("PC2"), false);
        f.window.show();
        QTreeView *list = f.window.Lvw()->reportView();
        const QPoint at = list->visualRect(list->model()->index(0, ItemRowModel::ColScheme)).center();
        QHelpEvent hover(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &hover);
        QCOMPARE(QToolTip::text(), QStringLiteral("所选项:PC1 计算结果: 2.5 应收金额: 2.50\n计时方案: ") + kRound);
        QCOMPARE(f.selectedRow(), 2);
    }

    // Panel 1 keeps an alert until its item is ended, its limit changed or it is removed.
    void limitAlertStandsUntilAnswered()
    {
        CommandFixture f;
        RecordingLimitNotifier notifier;
        LimitAlerts alerts(f.state, f.window, notifier);
        for (const int n : {1, 2, 3})
            f.state.setLimit(f.add(QStringLiteral("PC%1").arg(n), true), ItemLimit::Kind::Minutes, 30, false,
                             f.clock.moment());
        f.clock.advanceSecs(31 * 60);
        f.state.refreshRunning(f.clock.moment(), f.clock.now().time());
        f.window.Tbar()->entry(Entry::S2)->trigger(); // PC3, the item added last
        f.state.setLimit(2, ItemLimit::Kind::Minutes, 120, false, f.clock.moment());
        QCOMPARE(f.panel(StatusPanel::Hint), QStringLiteral("PC1 已到限额(10:31)"));
        f.state.leave(1, LeaveHow::Removed, f.clock.moment());
        QCOMPARE(f.panel(StatusPanel::Hint), QString::fromUtf16(StatusPanel::kKeysHint));
        // So does moving the customer to another machine.
        f.state.setLimit(1, ItemLimit::Kind::Minutes, 1, false, f.clock.moment()); // PC2, past it already
        QCOMPARE(f.panel(StatusPanel::Hint), QStringLiteral("PC2 已到限额(10:31)"));
        QVERIFY(f.state.moveTo(1, QStringLiteral("PC9"), f.clock.moment()).isEmpty());
        QCOMPARE(f.panel(StatusPanel::Hint), QString::fromUtf16(StatusPanel::kKeysHint));
    }

    // Until a row is clicked or found, the commands on the current item are disabled and do
    // nothing, however they are reached.
    void itemCommandsWithoutACurrentItemDoNothing()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.current.set(0);
        f.button(Button::Remove)->click();
        for (const Entry entry : {Entry::S1, Entry::S2, Entry::V1, Entry::P1})
            f.window.Tbar()->entry(entry)->trigger();
        f.commands.buttonClick(Button::Remove);
        f.commands.menuClick(Entry::S1);
        f.commands.menuClick(Entry::S2);
        QVERIFY(f.opened.isEmpty());
        QVERIFY(f.prompter.asked.isEmpty());
        QVERIFY(!f.reports.objReport());
        QVERIFY(!f.state.cRunning.item(1));
        QCOMPARE(f.state.lngItems, 1);
    }
};

QTEST_MAIN(TestToolbarCommands)
#include "tst_ToolbarCommands.moc"
