#include "FakeWallClock.h"
#include "MemorySettingsStore.h"
#include "ScriptedPrompter.h"
#include "WaitingPrompter.h"
#include "app/InstanceGuard.h"
#include "app/LockFileInstanceGuard.h"
#include "app/Program.h"
#include "app/fClock.h"
#include "app/fSplash.h"
#include "dialogs/SchemeStorePrompts.h"
#include "timing/IniSettingsStore.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/TimingClock.h"

#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>

namespace {
class FakeGuard : public InstanceGuard {
public:
    bool running = false;
    int asked = 0;
    bool anotherInstanceRunning() override
    {
        ++asked;
        return running;
    }
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

// The start-up as the program wires it: the splash loads a real main window, whose settings are
// read from the store, and is discarded when it closes. Each box stays up for 1.2 s, long
// enough for two of the splash's ticks to run behind it.
struct StartUpRig {
    FakeGuard guard;
    ModClock state;
    MemorySettingsStore store;
    WaitingPrompter prompter {1200};
    FakeWallClock clock;
    TimingClock timing {clock, state};
    std::unique_ptr<fClock> main;
    int built = 0;
    QPointer<fSplash> splash;
    StartUpRig()
    {
        fSplash::MainWindowHooks hooks;
        hooks.load = [this] { mainWindow(); };
        hooks.show = [this] { mainWindow().show(); };
        splash = new fSplash(std::move(hooks), guard, prompter);
        splash->setAttribute(Qt::WA_DeleteOnClose);
    }
    ~StartUpRig() { delete splash; }
    fClock &mainWindow()
    {
        if (!main) {
            ++built;
            SchemeStorePrompts::LoadFangAn(state.tariff, store, prompter);
            main = std::make_unique<fClock>(state, store, prompter, timing);
        }
        return *main;
    }
};
} // namespace

class TestSplash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void versionText()
    {
        QCOMPARE(versionCaption(1, 0, 4), QStringLiteral("Ver 1.04"));
        QCOMPARE(versionCaption(2, 1, 15), QStringLiteral("Ver 2.115"));
    }

    void handsOverInTwoTicks()
    {
        Rig r;
        QVERIFY(r.splash->Form_Load());
        QVERIFY(r.splash->isVisible());
        QVERIFY(r.splash->Timer1()->isActive());
        QCOMPARE(r.splash->Timer1()->interval(), 500);
        QCOMPARE(r.events, QStringList {QStringLiteral("load")});
        QVERIFY(r.splash->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(r.splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(r.splash->size(), QSize(378, 256));

        r.splash->Timer1_Timer();
        QCOMPARE(r.events, (QStringList {QStringLiteral("load"), QStringLiteral("show")}));
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
        QCOMPARE(r.events, QStringList {QStringLiteral("load")});
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
        QCOMPARE(r.events, (QStringList {QStringLiteral("load"), QStringLiteral("show")}));
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

    void badSchemeWarnsOnceAndTheMainWindowStillTakesOver_data()
    {
        const QString warning = QStringLiteral("计时方案设置值错误\n已跳过1项计时方案设置。");
        QTest::addColumn<QString>("key2"); // a null text: no key 2 at all
        QTest::addColumn<bool>("secondCopy");
        QTest::addColumn<QStringList>("questions");
        QTest::newRow("key 2 missing") << QString() << false << QStringList {warning};
        QTest::newRow("entry 0") << QStringLiteral("0") << false << QStringList {warning};
        // The splash is closed before the question, while loading still runs.
        QTest::newRow("key 2 missing, second copy kept")
            << QString() << true << QStringList {warning, QStringLiteral("程序已经运行,退出本次启动吗?")};
    }
    void badSchemeWarnsOnceAndTheMainWindowStillTakesOver()
    {
        QFETCH(QString, key2);
        QFETCH(bool, secondCopy);
        QFETCH(QStringList, questions);
        StartUpRig r;
        r.guard.running = secondCopy;
        r.prompter.answers.enqueue(Prompter::Answer::Ok);
        r.prompter.answers.enqueue(Prompter::Answer::No);
        r.store.set(QStringLiteral("Max"), QStringLiteral("3"));
        r.store.set(QStringLiteral("1"), QStringLiteral("5*C/60"));
        if (!key2.isNull())
            r.store.set(QStringLiteral("2"), key2);
        r.store.set(QStringLiteral("3"), QStringLiteral("3*C/60"));

        QVERIFY(r.splash->Form_Load());
        QCOMPARE(r.built, 1);
        QStringList asked;
        for (const ScriptedPrompter::Asked &q : r.prompter.asked)
            asked << q.text;
        QCOMPARE(asked, questions);
        QVERIFY(r.splash);
        if (secondCopy) {
            // Closed before its first tick: the main window is shown at once.
            QVERIFY(r.main->isVisible());
        } else {
            // The ticks that ran behind the box did not hand over a window still being built.
            QCOMPARE(r.splash->intTick(), qint16(0));
            QVERIFY(!r.main->isVisible());
        }

        QTRY_VERIFY(r.main->isVisible());
        QTRY_VERIFY(r.splash.isNull());
        QVERIFY(r.main->isVisible());
        QCOMPARE(r.built, 1);
        QCOMPARE(r.prompter.asked.size(), questions.size());
        QCOMPARE(r.state.tariff.cFangAn.count(), 2);
        QCOMPARE(r.state.tariff.cFangAn.item(1), QStringLiteral("5*C/60"));
        QCOMPARE(r.state.tariff.cFangAn.item(2), QStringLiteral("3*C/60"));
    }

    // The assembled program with its real boxes: the warning opens over the topmost splash and
    // stays above it, instead of hiding beneath it while the splash looks frozen.
    void startUpWarningShowsAboveTheSplash()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
        IniSettingsStore settings;
        const QString app = QStringLiteral("Vantorel"), set = QStringLiteral("SET");
        settings.saveSetting(app, set, QStringLiteral("Max"), QStringLiteral("3"));
        settings.saveSetting(app, set, QStringLiteral("1"), QStringLiteral("5*C/60"));
        settings.saveSetting(app, set, QStringLiteral("3"), QStringLiteral("3*C/60"));
        QCOMPARE(settings.commit(), SettingsStore::CommitResult::Written);

        QStringList seen;
        QString owner;
        bool onTop = false;
        QTimer operatorAnswers;
        operatorAnswers.setInterval(50);
        connect(&operatorAnswers, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen << box->text();
            owner = box->parentWidget() ? box->parentWidget()->objectName() : QString();
            onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box->button(QMessageBox::Ok)->click();
        });
        operatorAnswers.start();

        Program program;
        QVERIFY(program.start());
        QCOMPARE(seen, QStringList {QStringLiteral("计时方案设置值错误\n已跳过1项计时方案设置。")});
        QCOMPARE(owner, QStringLiteral("fSplash"));
        QVERIFY(onTop);
        QTRY_VERIFY(program.mainWindow().isVisible());
        QCOMPARE(program.state().tariff.cFangAn.count(), 2);
        const auto splashUp = [] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            return std::any_of(windows.cbegin(), windows.cend(),
                               [](const QWidget *w) { return w->objectName() == QLatin1String("fSplash"); });
        };
        QTRY_VERIFY(!splashUp());
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_RUNTIME_DIR");
    }

    void lockFileTellsASecondCopyAndIgnoresAStaleOne()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("v.lock"));
        LockFileInstanceGuard first(path);
        QVERIFY(!first.anotherInstanceRunning());
        LockFileInstanceGuard second(path);
        QVERIFY(second.anotherInstanceRunning());
        QVERIFY(second.anotherInstanceRunning()); // asked once per process, answer kept

        // A lock left by a process that is gone (pid 999999 is not running) does not count.
        const QString stale = dir.filePath(QStringLiteral("stale.lock"));
        QFile f(stale);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("999999\nvantorel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        f.close();
        LockFileInstanceGuard after(stale);
        QVERIFY(!after.anotherInstanceRunning());
    }
};

QTEST_MAIN(TestSplash)
#include "tst_Splash.moc"
