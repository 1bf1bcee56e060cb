// The help file as the build writes it, and the window that shows it.

#include "ScriptedPrompter.h"
#include "help/HelpDocument.h"
#include "help/HelpWindow.h"
#include "help/WindowHelpViewer.h"
#include "timing/ClockTick.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/SchemeFee.h"

#include <QDir>
#include <QListWidget>
#include <QSet>
#include <QTest>
#include <QTextBrowser>

namespace {

const QString kHelpFile = QStringLiteral(VANTOREL_HELP_FILE);

const char *const kSmallFile = R"(<html><head>
<meta name="vantorel-topic" content="2;keys;快捷键">
<meta name="vantorel-topic" content=" 1 ; contents ; 目录 ">
</head><body><a name="contents"></a>目录 <a href="#keys">keys</a><a name="keys"></a>N M</body></html>)";

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void pathIn_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/opt/vantorel"
                               << "/opt/vantorel/Vantorel.hlp";
        QTest::newRow("slash") << "/opt/vantorel/"
                               << "/opt/vantorel/Vantorel.hlp";
        QTest::newRow("backslash") << "C:\\Vantorel\\"
                                   << "C:\\Vantorel\\Vantorel.hlp";
        QTest::newRow("root") << "/"
                              << "/Vantorel.hlp";
    }
    void pathIn()
    {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        QCOMPARE(HelpDocument::pathIn(folder), path);
    }

    void topicTable()
    {
        const HelpDocument doc = HelpDocument::fromHtml(QString::fromUtf8(kSmallFile));
        QCOMPARE(doc.topics().size(), 2);
        QCOMPARE(doc.topics().at(1).anchor, QStringLiteral("contents"));
        QCOMPARE(doc.topics().at(1).title, QStringLiteral("目录"));
        QCOMPARE(doc.anchorFor(1), QStringLiteral("contents"));
        QCOMPARE(doc.anchorFor(2), QStringLiteral("keys"));
        QCOMPARE(doc.anchorFor(99), QStringLiteral("contents"));
        QCOMPARE(doc.linkTargets(), QStringList {QStringLiteral("keys")});
        QCOMPARE(HelpDocument::fromHtml(QStringLiteral("<p>no topics</p>")).anchorFor(1), QString());
    }

    // Every topic starts where the table says and every link inside the file leads somewhere.
    void builtFileHoldsTogether()
    {
        const std::optional<HelpDocument> doc = HelpDocument::load(kHelpFile);
        QVERIFY2(doc, qPrintable(kHelpFile));
        QCOMPARE(doc->anchorFor(HelpDocument::ContentsContext), QStringLiteral("contents"));
        const QStringList anchors = doc->anchorNames();
        QCOMPARE(QSet<QString>(anchors.begin(), anchors.end()).size(), anchors.size());
        QSet<int> contexts;
        for (const HelpTopic &t : doc->topics()) {
            QVERIFY2(anchors.contains(t.anchor), qPrintable(t.anchor));
            QVERIFY(!t.title.isEmpty());
            QVERIFY2(!contexts.contains(t.context), qPrintable(t.anchor));
            contexts.insert(t.context);
        }
        QVERIFY(doc->topics().size() >= 10);
        for (const QString &target : doc->linkTargets())
            QVERIFY2(anchors.contains(target), qPrintable(target));
        // The fee examples and every key the main window answers to.
        for (const char *text : {"5*C/60", "-INT(-C/30)*2.5", "MAX(2, 5*C/60)", "退出计时系统吗?"})
            QVERIFY2(doc->html().contains(QString::fromUtf8(text)), text);
        for (const QChar key : QStringLiteral("NMFSVPARTHL"))
            QVERIFY(doc->html().contains(QStringLiteral("<td>%1</td>").arg(key)));
        QVERIFY(!doc->html().contains(QStringLiteral("formula-reference -->")));
        const QString contents = doc->html().left(doc->html().indexOf(QStringLiteral("<h2")));
        QStringList listed {"limits", "history", "today", "period", "restore"}; // and every other topic
        for (const HelpTopic &t : doc->topics().mid(1)) // the first is the contents itself
            listed << t.anchor;
        for (const QString &anchor : listed)
            QVERIFY2(contents.contains(QStringLiteral("href=\"#") + anchor + u'"'), qPrintable(anchor));
        for (const char *outgrown : {"计时记录不会保存", "只在时钟运行时进行", "在程序退出时自动保存"})
            QVERIFY2(!doc->html().contains(QString::fromUtf8(outgrown)), outgrown);
    }

    // The fee examples in the help file give the fees it promises, and the scheme dialog, which
    // tries a formula at C = 1, accepts them.
    void feeExamples_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<double>("minutes");
        QTest::addColumn<double>("fee");
        QTest::newRow("per hour") << "5*C/60" << 90.0 << 7.5;
        QTest::newRow("3 per hour") << "3*C/60" << 40.0 << 2.0;
        QTest::newRow("started half hour") << "-INT(-C/30)*2.5" << 31.0 << 5.0;
        QTest::newRow("whole half hour") << "-INT(-C/30)*2.5" << 30.0 << 2.5;
        QTest::newRow("integer division") << "((C+29)\\30)*2.5" << 31.0 << 5.0;
        QTest::newRow("minimum charge") << "MAX(2, 5*C/60)" << 10.0 << 2.0;
        QTest::newRow("above the minimum") << "MAX(2, 5*C/60)" << 60.0 << 5.0;
        QTest::newRow("cap") << "MIN(30, 5*C/60)" << 600.0 << 30.0;
        QTest::newRow("started hour") << "-INT(-C/60)*4" << 61.0 << 8.0;
        QTest::newRow("tenths") << "ROUND(5*C/60*10)/10" << 50.0 << 4.2;
    }
    void feeExamples()
    {
        QFETCH(QString, formula);
        QFETCH(double, minutes);
        QFETCH(double, fee);
        ModClock state;
        QCOMPARE(valCalc(state.tariff.evaluator(), formula, minutes), fee);
        QVERIFY(valCalc(state.tariff.evaluator(), formula, 1) != 0);
        const std::optional<HelpDocument> doc = HelpDocument::load(kHelpFile);
        QVERIFY(doc && doc->html().contains(formula));
    }

    void integerDivisionBindsLooserThanMultiplication()
    {
        // The help file warns about this way of writing the half-hour fee.
        ModClock state;
        QCOMPARE(valCalc(state.tariff.evaluator(), QStringLiteral("(C+29)\\30*2.5"), 31), 0.0);
    }

    void missingFileIsReportedWithItsPath()
    {
        ScriptedPrompter prompter;
        WindowHelpViewer viewer(prompter);
        const QString path = QStringLiteral("/nonexistent/folder/Vantorel.hlp");
        viewer.showHelp(path, 1, nullptr);
        QCOMPARE(prompter.asked.size(), 1);
        QVERIFY(prompter.asked.first().text.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(prompter.asked.first().text, WindowHelpViewer::missingFileMessage(path));
        QCOMPARE(prompter.asked.first().icon, Prompter::Icon::Exclamation);
        QVERIFY(!viewer.window());
    }

    void windowOpensAtTheContextAndFollowsLinks()
    {
        ScriptedPrompter prompter;
        WindowHelpViewer viewer(prompter);
        QWidget owner;
        owner.setGeometry(200, 150, 400, 300);
        viewer.showHelp(kHelpFile, 1, &owner);
        QVERIFY(prompter.asked.isEmpty());
        HelpWindow *window = viewer.window();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        // Over the window the operator works in, wholly on the screen, not in its corner.
        QVERIFY((window->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <= 4);
        QCOMPARE(window->currentAnchor(), QStringLiteral("contents"));
        QCOMPARE(window->topics()->currentRow(), 0);
        QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("Vantorel 计时系统帮助")));

        // A link within the file, then back.
        emit window->browser()->anchorClicked(QUrl(QStringLiteral("#remove")));
        QCOMPARE(window->currentAnchor(), QStringLiteral("remove"));
        QCOMPARE(window->topics()->currentItem()->text(), QStringLiteral("移除计时项目"));
        window->browser()->backward();
        QCOMPARE(window->currentAnchor(), QStringLiteral("contents"));

        // A topic chosen from the list.
        QListWidget *topics = window->topics();
        const QList<QListWidgetItem *> keys = topics->findItems(QStringLiteral("快捷键"), Qt::MatchExactly);
        QCOMPARE(keys.size(), 1);
        emit topics->itemClicked(keys.first());
        QCOMPARE(window->currentAnchor(), QStringLiteral("keys"));

        // Asking again reuses the window, at the contents again.
        viewer.showHelp(kHelpFile, 1, &owner);
        QCOMPARE(viewer.window(), window);
        QCOMPARE(window->currentAnchor(), QStringLiteral("contents"));
        viewer.showHelp(kHelpFile, 13, &owner);
        QCOMPARE(window->currentAnchor(), QStringLiteral("keys"));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_Help.moc"
