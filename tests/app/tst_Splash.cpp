#include "InstanceGuard.h"
#include "LockFileInstanceGuard.h"
#include "ScriptedPrompter.h"
#include "fSplash.h"

#include <QLabel>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
class FakeGuard : public InstanceGuard {
public:
    bool running = false;
    int asked = 0;
    bool AnotherInstanceRunning() override { ++asked; return running; }
};

struct Rig {
    FakeGuard guard;
    ScriptedPrompter prompter;
    QStringList events; // what happened to the main window, in order
    std::unique_ptr<fSplash> splash;
    Rig()
    {
        fSplash::MainWindowHooks hooks;
        hooks.load = [this] { events << QStringLiteral("load"); };
        hooks.show = [this] { events << QStringLiteral("show"); };
        splash = std::make_unique<fSplash>(std::move(hooks), guard, prompter);
    }
};
} // namespace

class TestSplash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void versionText()
    {
        QCOMPARE(VersionText(1, 0, 4), QStringLiteral("Ver 1.04"));
        QCOMPARE(VersionText(2, 1, 15), QStringLiteral("Ver 2.115"));
    }

    void handsOverInTwoTicks()
    {
        Rig r;
        QVERIFY(r.splash->Form_Load());
        QVERIFY(r.splash->isVisible());
        QVERIFY(r.splash->Timer1()->isActive());
        QCOMPARE(r.splash->Timer1()->interval(), 500);
        QCOMPARE(r.events, QStringList{QStringLiteral("load")});
        QVERIFY(r.splash->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(r.splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(r.splash->size(), QSize(378, 256));

        r.splash->Timer1_Timer();
        QCOMPARE(r.events, (QStringList{QStringLiteral("load"), QStringLiteral("show")}));
        QVERIFY(r.splash->isVisible());
        QCOMPARE(r.splash->intTick(), qint16(1));
        r.splash->Timer1_Timer();
        QVERIFY(!r.splash->isVisible());
        QVERIFY(!r.splash->Timer1()->isActive());
        QCOMPARE(r.events.count(QStringLiteral("show")), 1);
    }

    void raisedTexts()
    {
        Rig r;
        r.splash->Form_Load();
        QLabel *face = r.splash->lblTitle(0);
        QCOMPARE(face->text(), QStringLiteral("欢迎使用Vantorel"));
        QCOMPARE(face->geometry(), QRect(60, 55, 286, 36));
        QCOMPARE(r.splash->lblTitle(1)->geometry(), QRect(61, 56, 286, 36));
        QCOMPARE(r.splash->lblTitle(2)->geometry(), QRect(59, 54, 286, 36));
        QCOMPARE(face->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(r.splash->lblVer(0)->text(), QStringLiteral("Ver 1.04"));
        QCOMPARE(r.splash->lblVer(0)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(r.splash->Image1()->geometry(), QRect(20, 20, 32, 32));
    }

    void earlyKeyOrClickStillReachesTheMainWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("escape") << int(Qt::Key_Escape) << true;
        QTest::newRow("letter") << int(Qt::Key_A) << true;
        QTest::newRow("enter") << int(Qt::Key_Return) << true;
        QTest::newRow("arrow") << int(Qt::Key_Left) << false;
        QTest::newRow("function key") << int(Qt::Key_F5) << false;
    }
    void earlyKeyOrClickStillReachesTheMainWindow()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        Rig r;
        r.splash->Form_Load();
        QTest::keyClick(r.splash.get(), Qt::Key(key));
        QCOMPARE(r.splash->isVisible(), !closes);
        QCOMPARE(r.events.contains(QStringLiteral("show")), closes);
    }

    void clicksOnTheTextsDoNothing()
    {
        Rig r;
        r.splash->Form_Load();
        QTest::mouseClick(r.splash->lblTitle(0), Qt::LeftButton);
        QTest::mouseClick(r.splash->Image1(), Qt::LeftButton);
        QVERIFY(r.splash->isVisible());
        QTest::mouseClick(r.splash.get(), Qt::LeftButton, {}, QPoint(10, 240));
        QVERIFY(!r.splash->isVisible());
    }

    void secondInstanceYesQuitsBeforeTheMainWindowShows()
    {
        Rig r;
        r.guard.running = true;
        r.prompter.answers.enqueue(Prompter::Answer::Yes);
        QVERIFY(!r.splash->Form_Load());
        QVERIFY(!r.splash->isVisible());
        QCOMPARE(r.events, QStringList{QStringLiteral("load")});
        QCOMPARE(r.prompter.asked.size(), 1);
        QCOMPARE(r.prompter.asked[0].text, QStringLiteral("程序已经运行,退出本次启动吗?"));
        QCOMPARE(r.prompter.asked[0].buttons, Prompter::Buttons::YesNo);
        QCOMPARE(r.prompter.asked[0].icon, Prompter::Icon::Question);
    }

    void secondInstanceNoGoesOnToTheMainWindow()
    {
        Rig r;
        r.guard.running = true;
        r.prompter.answers.enqueue(Prompter::Answer::No);
        QVERIFY(r.splash->Form_Load());
        QVERIFY(!r.splash->isVisible());
        QCOMPARE(r.events, (QStringList{QStringLiteral("load"), QStringLiteral("show")}));
    }

    void aboutStaysUntilDismissedAndTouchesNoMainWindow()
    {
        Rig r;
        r.splash->setAboutMode();
        QVERIFY(r.splash->Form_Load());
        r.splash->Timer1()->stop();
        QVERIFY(r.splash->isVisible());
        QTest::keyClick(r.splash.get(), Qt::Key_Down);
        QVERIFY(r.splash->isVisible());
        QTest::keyClick(r.splash.get(), Qt::Key_Escape);
        QVERIFY(!r.splash->isVisible());
        QVERIFY(!r.events.contains(QStringLiteral("show")));
    }

    void lockFileTellsASecondCopyAndIgnoresAStaleOne()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("v.lock"));
        LockFileInstanceGuard first(path);
        QVERIFY(!first.AnotherInstanceRunning());
        LockFileInstanceGuard second(path);
        QVERIFY(second.AnotherInstanceRunning());
        QVERIFY(second.AnotherInstanceRunning()); // asked once per process, answer kept

        // A lock left by a process that is gone (pid 999999 is not running) does not count.
        const QString stale = dir.filePath(QStringLiteral("stale.lock"));
        QFile f(stale);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("999999\nvantorel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        f.close();
        LockFileInstanceGuard after(stale);
        QVERIFY(!after.AnotherInstanceRunning());
    }
};

QTEST_MAIN(TestSplash)
#include "tst_Splash.moc"
