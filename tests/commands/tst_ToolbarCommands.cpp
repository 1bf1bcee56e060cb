// The toolbar buttons, their menu entries and the letter keys, against a fake main window.

#include "ClockTick.h"
#include "CommandFixture.h"
#include "TimeText.h"

#include <QTest>

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
        f.commands.KeyPress(u'N');
        QCOMPARE(f.host.calls, QStringList{QStringLiteral("ShowNewItemsDialog")});
        // What the dialog does when the operator types PC1 and presses Enter.
        QCOMPARE(f.add(QStringLiteral("PC1"), true), 1);
        f.host.SetClockEnabled(true);

        f.clock.advanceSecs(90 * 60);
        ClockTick tick(f.state);
        QVERIFY(tick.Tick(f.clock.now()).refreshed);
        QCOMPARE(f.state.lvwMain.Text(1, ItemRowModel::ColMinutes), QStringLiteral("90"));
        QCOMPARE(f.state.lvwMain.Text(1, ItemRowModel::ColResult), QStringLiteral("7.5"));

        f.host.ItemClick(1);
        f.prompter.answers << Answer::Yes;
        f.commands.KeyPress(u'M');

        QCOMPARE(f.prompter.asked.size(), 1);
        const ScriptedPrompter::Asked &q = f.prompter.asked.first();
        QCOMPARE(q.text, QStringLiteral("打印并结束该项计时吗? \r 按‘取消’将取消操作，‘是’将打印并结束计时，"
                                         "‘否’将仅仅移除该项计时。"));
        QCOMPARE(q.buttons, Prompter::Buttons::YesNoCancel);
        QCOMPARE(q.icon, Prompter::Icon::Question);
        QCOMPARE(q.defaultButton, 3);

        QVERIFY(f.printer);
        QVERIFY(f.printer->calls.contains(QStringLiteral("SetPreview(true)")));
        QVERIFY(!f.printer->calls.join(u' ').contains(QStringLiteral("PrintReport")));
        QCOMPARE(f.printer->firstBlock.value(1).toString(), QStringLiteral("PC1"));
        QCOMPARE(f.printer->firstBlock.last().toString(), QStringLiteral("已结束计时"));
        // One booked session, 10:00 to 11:30, is the report's last (and only) row.
        QCOMPARE(f.printer->cells.size(), 3);
        QCOMPARE(f.printer->cells.at(0).toTime(), QTime(10, 0));
        QCOMPARE(f.printer->cells.at(1).toTime(), QTime(11, 30));
        QCOMPARE(f.printer->cells.at(2).toDouble(), 90.0);

        QCOMPARE(f.state.lngItems, 0);
        QCOMPARE(f.state.lvwMain.Count(), 0);
        QVERIFY(f.state.IsConsistent());
        QCOMPARE(f.state.lngAdded, 1);
        QVERIFY(!f.state.itmSelected.isValid());
        QCOMPARE(f.host.panels.value(3), QStringLiteral("0"));
        QCOMPARE(f.host.listToolTip, QString());
        QVERIFY(!f.host.ButtonEnabled(4));
        for (const char *id : {"S1", "S2", "V1", "P1"})
            QVERIFY2(!f.host.EntryEnabled(QString::fromLatin1(id)), id);
        QVERIFY(f.host.EntryEnabled(QStringLiteral("V2")));

        QCOMPARE(f.history.Count(), 1);
        QCOMPARE(f.history.Newest(0).name, QStringLiteral("PC1"));
        QCOMPARE(f.history.Newest(0).minutes, 90.0);
        QCOMPARE(f.history.Newest(0).lastFee, QStringLiteral("7.5"));
        QVERIFY(f.history.Newest(0).ended);
    }

    void removingTheOnlyItemLeavesNothingToReport()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.host.ItemClick(1);
        f.prompter.answers << Answer::No;
        f.commands.ButtonClick(4);
        QCOMPARE(f.state.lngItems, 0);
        QCOMPARE(f.host.panels.value(3), QStringLiteral("0"));
        f.commands.ButtonClick(10);
        f.commands.ButtonClick(12);
        f.commands.KeyPress(u'v');
        f.commands.KeyPress(u'P');
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
        f.host.ItemClick(2);
        f.prompter.answers << answer;
        f.commands.ButtonClick(4);

        QCOMPARE(f.state.lngItems, itemsLeft);
        QVERIFY(f.state.IsConsistent());
        QCOMPARE(f.reports.objReport() != nullptr, reported);
        QCOMPARE(f.history.Count(), answer == Answer::Cancel ? 0 : 1);
        QCOMPARE(f.host.ButtonEnabled(4), answer == Answer::Cancel);
        if (answer == Answer::Cancel) {
            QCOMPARE(f.state.SelectedPos(), 2);
            QVERIFY(f.state.cRunning.Item(2));
            return;
        }
        QCOMPARE(f.names(), QStringList{QStringLiteral("PC1")});
        QCOMPARE(f.host.panels.value(3), QStringLiteral("1"));
        const RemovedItem &gone = f.history.Newest(0);
        QCOMPARE(gone.record.cEnd.Count(), bookedSessions);
        QCOMPARE(gone.minutes, 25.0); // the time used, booked or not
        if (reported) {
            QCOMPARE(f.printer->firstBlock.last().toString(), QStringLiteral("已结束计时"));
            QCOMPARE(f.printer->cells.last().toDouble(), 25.0);
        }
    }

    void removingTheMiddleItemMovesTheLastOneDown()
    {
        CommandFixture f;
        for (const char *name : {"A", "B", "C"})
            f.add(QString::fromLatin1(name), false);
        f.host.ItemClick(2);
        f.prompter.answers << Answer::No;
        f.commands.ButtonClick(4);
        QCOMPARE(f.names(), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
        QCOMPARE(f.state.cName.Item(2), QStringLiteral("C"));
        QVERIFY(f.state.IsConsistent());
        QCOMPARE(f.history.Newest(0).name, QStringLiteral("B"));
        // The name is free again.
        QCOMPARE(f.add(QStringLiteral("b"), false), 3);
    }

    void removeNeedsACurrentItem()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.state.itmSelected = QPersistentModelIndex();
        f.commands.ButtonClick(4);
        QVERIFY(f.prompter.asked.isEmpty());
        QCOMPARE(f.state.lngItems, 1);
    }

    void keyMDoesNothingAfterARemoval()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.add(QStringLiteral("PC2"), false);
        f.host.ItemClick(1);
        f.prompter.answers << Answer::No;
        f.commands.KeyPress(u'm');
        QCOMPARE(f.prompter.asked.size(), 1);
        f.commands.KeyPress(u'm');
        f.commands.KeyPress(u'M');
        QCOMPARE(f.prompter.asked.size(), 1);
        QCOMPARE(f.state.lngItems, 1);
        f.host.ItemClick(1);
        f.commands.KeyPress(u'M'); // answered with the default, Cancel
        QCOMPARE(f.prompter.asked.size(), 2);
        QCOMPARE(f.state.lngItems, 1);
    }

    void keys_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<int>("button");
        const QList<std::pair<char, int>> table{{'A', 14}, {'F', 6},  {'H', 20}, {'N', 2}, {'P', 12},
                                                {'R', 16}, {'S', 8},  {'T', 18}, {'V', 10}};
        for (const auto &[letter, button] : table) {
            QTest::newRow(QByteArray(1, letter).constData()) << QChar(letter) << button;
            const char lower = char(letter - 'A' + 'a');
            QTest::newRow(QByteArray(1, lower).constData()) << QChar(lower) << button;
        }
        QTest::newRow("x") << QChar(u'x') << 0;
        QTest::newRow("digit") << QChar(u'4') << 0;
        QTest::newRow("space") << QChar(u' ') << 0;
        QTest::newRow("long s") << QChar(u'\u017F') << 0;      // upper-cases to S
        QTest::newRow("fullwidth N") << QChar(u'\uFF2E') << 0;
        QTest::newRow("M while disabled") << QChar(u'M') << 0;
    }
    void keys()
    {
        QFETCH(QChar, key);
        QFETCH(int, button);
        CommandFixture f;
        QCOMPARE(f.commands.ButtonForKey(key), button);
        // The keys of the buttons that open a window, pressed for real.
        const QMap<int, QString> opens{{2, "ShowNewItemsDialog"}, {14, "ShowSchemeDialog"},
                                       {18, "ShowHistory"}, {20, "ShowHelp"}};
        f.commands.KeyPress(key);
        if (opens.contains(button))
            QCOMPARE(f.host.calls, QStringList{opens.value(button)});
        if (button == 0)
            QVERIFY(f.host.calls.isEmpty() && f.prompter.asked.isEmpty());
    }

    void findIgnoresLetterCase()
    {
        CommandFixture f;
        for (const char *name : {"PC1", "PC2", "Pc3"})
            f.add(QString::fromLatin1(name), false);
        f.state.lvwMain.SetText(3, ItemRowModel::ColResult, QStringLiteral("2.5"));
        f.prompter.inputs << QStringLiteral("pC3");
        f.commands.KeyPress(u'f');

        QCOMPARE(f.prompter.asked.size(), 1);
        QVERIFY(f.prompter.asked.first().input);
        QCOMPARE(f.prompter.asked.first().text, QStringLiteral("请输入要查找的计时项目名称:"));
        QCOMPARE(f.prompter.asked.first().title, QStringLiteral("查找计时项目"));
        QCOMPARE(f.state.SelectedPos(), 3);
        QVERIFY(f.state.lvwMain.Bold(3));
        QCOMPARE(f.host.revealed, QList<int>{3});
        QVERIFY(f.host.ButtonEnabled(4));
        QVERIFY(f.host.EntryEnabled(QStringLiteral("S1")));
        QVERIFY(!f.host.EntryEnabled(QStringLiteral("S2")));
        QCOMPARE(f.host.listToolTip, QStringLiteral("所选项:Pc3 计算结果: 2.5"));
    }

    void findReportsAMissingName()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.prompter.inputs << QStringLiteral("PC") << QString();
        f.commands.ButtonClick(6);
        QCOMPARE(f.prompter.asked.size(), 2);
        QCOMPARE(f.prompter.asked.at(1).text, QStringLiteral("没有找到计时项目'PC'"));
        QCOMPARE(f.prompter.asked.at(1).icon, Prompter::Icon::Critical);
        QCOMPARE(f.prompter.asked.at(1).buttons, Prompter::Buttons::Ok);
        QVERIFY(!f.state.lvwMain.Bold(1));
        QVERIFY(f.host.revealed.isEmpty());
        // An empty answer, or a cancelled box, asks nothing more.
        f.commands.ButtonClick(6);
        QCOMPARE(f.prompter.asked.size(), 3);
        QVERIFY(f.host.revealed.isEmpty());
    }

    void onlyTheLastFoundRowIsBold()
    {
        CommandFixture f;
        for (const char *name : {"A", "B", "C"})
            f.add(QString::fromLatin1(name), false);
        f.prompter.inputs << QStringLiteral("a") << QStringLiteral("c") << QStringLiteral("b");
        f.commands.ButtonClick(6);
        f.host.ItemClick(2); // the operator clicks another row between two searches
        f.commands.ButtonClick(6);
        QVERIFY(!f.state.lvwMain.Bold(1));
        QVERIFY(!f.state.lvwMain.Bold(2));
        QVERIFY(f.state.lvwMain.Bold(3));

        // The mark follows its row when an earlier row goes.
        f.host.ItemClick(1);
        f.prompter.answers << Answer::No;
        f.commands.ButtonClick(4);
        QCOMPARE(f.commands.LastFoundPos(), 2);
        f.commands.ButtonClick(6);
        QVERIFY(f.state.lvwMain.Bold(1));
        QVERIFY(!f.state.lvwMain.Bold(2));
        QCOMPARE(f.commands.LastFoundPos(), 1);
    }

    void startStopAllTwice()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.add(QStringLiteral("PC2"), false);
        f.host.ItemClick(1);
        f.commands.KeyPress(u'S');
        QVERIFY(f.host.clock);
        QCOMPARE(f.host.captions.value(8), QStringLiteral("终止 &S"));
        QCOMPARE(f.host.tooltips.value(8), QStringLiteral("终止所有计时。"));
        QVERIFY(f.state.cRunning.Item(1) && f.state.cRunning.Item(2));
        QVERIFY(!f.host.EntryEnabled(QStringLiteral("S1")));
        QCOMPARE(f.host.caption, QStringLiteral("Vantorel"));

        f.clock.advanceSecs(600);
        f.commands.KeyPress(u's');
        QVERIFY(!f.host.clock);
        QCOMPARE(f.host.captions.value(8), QStringLiteral("开始 &S"));
        QCOMPARE(f.host.tooltips.value(8), QStringLiteral("开始所有计时。"));
        QCOMPARE(f.host.caption, QStringLiteral("已终止计时:") + TimeText::GeneralDateTime(f.clock.now()));
        QVERIFY(f.host.caption.startsWith(QStringLiteral("已终止计时:")));
        QCOMPARE(f.state.cTotal.Item(2), 10.0);
        QCOMPARE(f.state.SelectedPos(), 1);
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
        f.host.settings.lngView = stored;
        f.commands.KeyPress(u'r');
        QCOMPARE(f.host.settings.lngView, next);
        QCOMPARE(f.host.listView, next);
    }

    void viewEntries()
    {
        CommandFixture f;
        for (const char *id : {"R3", "R1", "R4", "R2", "r1", "R0", "R8"})
            f.commands.MenuClick(QString::fromLatin1(id));
        QCOMPARE(f.host.calls, (QStringList{"SetListView(2)", "SetListView(0)", "SetListView(3)",
                                            "SetListView(1)"}));
        QCOMPARE(f.host.settings.lngView, 1);
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
        f.host.settings.lngDepthMode = stored;
        f.commands.MenuClick(QStringLiteral("R5"));
        QCOMPARE(f.host.settings.lngDepthMode, next);
        QCOMPARE(f.host.calls, QStringList{QStringLiteral("doResize")});
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
        f.host.settings.lngLineColor = stored;
        f.host.settings.lngDepthColor = stored;
        f.commands.MenuClick(QStringLiteral("R6"));
        QCOMPARE(f.host.settings.lngLineColor, next);
        QCOMPARE(f.host.settings.lngDepthColor, stored);
        f.commands.MenuClick(QStringLiteral("R7"));
        QCOMPARE(f.host.settings.lngDepthColor, next);
        QCOMPARE(f.host.calls.count(QStringLiteral("doResize")), 2);
    }

    void startAndEndEntriesFlip()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.host.ItemClick(1);
        f.commands.MenuClick(QStringLiteral("S1"));
        QVERIFY(f.state.cRunning.Item(1));
        QVERIFY(!f.host.EntryEnabled(QStringLiteral("S1")));
        QVERIFY(f.host.EntryEnabled(QStringLiteral("S2")));
        f.clock.advanceSecs(120);
        f.commands.MenuClick(QStringLiteral("S2"));
        QCOMPARE(f.state.cTotal.Item(1), 2.0);
        QVERIFY(f.host.EntryEnabled(QStringLiteral("S1")));
        QVERIFY(!f.host.EntryEnabled(QStringLiteral("S2")));
    }

    void reportEntriesAndButtons()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        f.commands.MenuClick(QStringLiteral("V1"));
        QVERIFY(f.printer->calls.contains(QStringLiteral("BuildTable(0,0,null,0,0)")));
        f.printer->calls.clear();
        f.commands.MenuClick(QStringLiteral("P1"));
        QCOMPARE(f.printer->calls.last(), QStringLiteral("PrintReport(1)"));
        f.printer->calls.clear();
        f.commands.ButtonClick(10);
        QVERIFY(f.printer->calls.contains(QStringLiteral("SetSourceList")));
        QVERIFY(f.printer->calls.contains(QStringLiteral("SetPreview(true)")));
        QVERIFY(!f.printer->calls.contains(QStringLiteral("PrintReport(1)")));
        for (const char *id : {"V2", "P2"}) {
            f.printer->calls.clear();
            f.commands.MenuClick(QString::fromLatin1(id));
            QCOMPARE(f.printer->calls.contains(QStringLiteral("PrintReport(1)")), id[0] == 'P');
            QVERIFY(f.printer->calls.contains(QStringLiteral("SetSourceList")));
        }
        f.printer->calls.clear();
        f.commands.ButtonClick(12);
        QCOMPARE(f.printer->calls.last(), QStringLiteral("PrintReport(1)"));
    }

    void helpEntriesAndButtonOpenTheSameTopic()
    {
        CommandFixture f;
        f.commands.ButtonClick(20);
        f.commands.MenuClick(QStringLiteral("H1"));
        f.commands.MenuClick(QStringLiteral("H2"));
        QCOMPARE(f.host.calls, (QStringList{"ShowHelp", "ShowHelp", "ShowHelp"}));
        f.commands.MenuClick(QStringLiteral("H3"));
        QCOMPARE(f.host.calls.last(), QStringLiteral("ShowAbout"));
    }

    void unknownButtonsAndEntriesDoNothing()
    {
        CommandFixture f;
        f.add(QStringLiteral("PC1"), false);
        for (int pos : {0, 1, 3, 19, 21, 22, -2})
            f.commands.ButtonClick(pos);
        for (const char *id : {"", "s1", "S3", "H4", "V", "R"})
            f.commands.MenuClick(QString::fromLatin1(id));
        QVERIFY(f.host.calls.isEmpty());
        QVERIFY(f.prompter.asked.isEmpty());
        QVERIFY(!f.reports.objReport());
        QVERIFY(!f.state.cRunning.Item(1));
    }
};

QTEST_MAIN(TestToolbarCommands)
#include "tst_ToolbarCommands.moc"
