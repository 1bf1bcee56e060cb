#include "app/AppSetup.h"
#include "app/LockFileInstanceGuard.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#include <tlhelp32.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

// This test runs itself as second processes: a copy that takes the lock, and the real program.
namespace {
// <path> <fallback>: on a line of input says alone or running, and holds the lock until its input
// closes. A line with a steady-clock time in nanoseconds waits for that instant first, so that
// two copies take the lock at the same moment.
const char kTakeLock[] = "--take-lock";
const char kRunProgram[] = "--run-program"; // [--ask-first]: says shown or asking once the main window is up

int takeLock(const char *path, const char *fallback)
{
    std::string line;
    std::getline(std::cin, line);
    if (const long long at = std::atoll(line.c_str()); at > 0)
        std::this_thread::sleep_until(std::chrono::steady_clock::time_point(std::chrono::nanoseconds(at)));
    LockFileInstanceGuard guard(QFile::decodeName(path), QFile::decodeName(fallback));
    std::cout << (guard.anotherInstanceRunning() ? "running" : "alone") << std::endl;
    while (std::getline(std::cin, line)) { }
    return 0;
}

// Tells the test when the program is where the operator would be: the main window up, or the
// exit question open on it.
class ProgramObserver : public QObject {
public:
    explicit ProgramObserver(bool askFirst) : m_askFirst(askFirst) { }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto *w = static_cast<QWidget *>(watched);
        if (w->objectName() == QLatin1String("fClock") && !m_shown) {
            m_shown = true;
            if (m_askFirst)
                QTimer::singleShot(0, w, [w] { w->close(); });
            else
                say("shown");
        } else if (qobject_cast<QMessageBox *>(w)) {
            say("asking");
        }
        return false;
    }

private:
    static void say(const char *what)
    {
        std::printf("%s\n", what);
        std::fflush(stdout);
    }
    bool m_askFirst;
    bool m_shown = false;
};

int runProgram(int argc, char *argv[])
{
    const bool askFirst = argc > 2 && qstrcmp(argv[2], "--ask-first") == 0;
    QApplication app(argc, argv);
#ifdef Q_OS_WIN
    // Windows keeps the settings in the user's registry whatever the environment says: in Qt's
    // test mode the program uses a key of the tests' own, as it does its folders.
    QStandardPaths::setTestModeEnabled(true);
#endif
    ProgramObserver observer(askFirst);
    app.installEventFilter(&observer);
    return runProgram(app);
}

QString readLine(QProcess &p)
{
    QDeadlineTimer deadline(10000);
    while (!p.canReadLine() && p.state() != QProcess::NotRunning && !deadline.hasExpired())
        p.waitForReadyRead(100);
    return QString::fromUtf8(p.readLine()).trimmed();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

#ifdef Q_OS_WIN
const QString kTestSettings = QStringLiteral("HKEY_CURRENT_USER\\Software\\qttest\\Vantorel\\Vantorel");

// Windows tells a program the session is ending by asking each of its threads' windows; the
// program's event loop sees the same message posted to its threads.
bool endSession(qint64 pid)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 thread { };
    thread.dwSize = sizeof thread;
    bool posted = false;
    for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread))
        if (thread.th32OwnerProcessID == DWORD(pid))
            posted = PostThreadMessageW(thread.th32ThreadID, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) || posted;
    CloseHandle(snapshot);
    return posted;
}
#endif

// The settings as the program keeps them, each key under its own name, whatever its section.
QMap<QString, QString> settingsIn(const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    QSettings registry(kTestSettings, QSettings::NativeFormat);
    QMap<QString, QString> values;
    for (const QString &key : registry.allKeys())
        values.insert(key.section(u'/', -1), registry.value(key).toString());
#else
    QFile f(path);
    QMap<QString, QString> values;
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return values;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            values.insert(line.left(eq), line.mid(eq + 1));
    }
#endif
    return values;
}
} // namespace

// The program as one process among others: one copy at a time, and an end asked for from outside.
class TestProgramProcess : public QObject {
    Q_OBJECT
private:
    // A copy that takes the lock once told "go", and keeps it until its input closes.
    static std::unique_ptr<QProcess> startCopy(const QString &path, const QString &fallback)
    {
        auto p = std::make_unique<QProcess>();
        p->start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kTakeLock), path, fallback});
        p->waitForStarted();
        return p;
    }
    static QString release(QProcess &p)
    {
        p.closeWriteChannel();
        p.waitForFinished(5000);
        return QString::fromUtf8(p.readAllStandardError());
    }

private Q_SLOTS:
    void lockCountsOnlyALiveCopy_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("running");
        QTest::newRow("empty file") << "empty" << false;
        QTest::newRow("garbage in the file") << "garbage" << false;
        QTest::newRow("left by a copy that is gone") << "stale" << false;
        QTest::newRow("a folder in the file's place") << "folder" << false;
        QTest::newRow("a file in the folder's place") << "file parent" << false;
        QTest::newRow("a folder that cannot be written") << "read-only" << false;
        QTest::newRow("held by a running copy") << "held" << true;
    }

    void lockCountsOnlyALiveCopy()
    {
        QFETCH(QString, setup);
        QFETCH(bool, running);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString runDir = dir.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkpath(runDir));
        QString path = runDir + QStringLiteral("/vantorel.lock");
        const QString fallback = dir.filePath(QStringLiteral("tmp/vantorel.lock"));
        std::unique_ptr<QProcess> holder;

        if (setup == QLatin1String("empty")) {
            writeFile(path, {});
        } else if (setup == QLatin1String("garbage")) {
            writeFile(path, QByteArray("\x7f\x00\xff not a lock\n", 15));
        } else if (setup == QLatin1String("stale")) {
            const auto gone = startCopy(path, fallback);
            gone->write("go\n");
            QCOMPARE(readLine(*gone), QStringLiteral("alone"));
            release(*gone);
        } else if (setup == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
        } else if (setup == QLatin1String("file parent")) {
            writeFile(runDir + QStringLiteral("/file"), "x");
            path = runDir + QStringLiteral("/file/vantorel.lock");
        } else if (setup == QLatin1String("read-only")) {
#ifdef Q_OS_WIN
            QSKIP("a folder's read-only mark does not keep files out of it on Windows");
#else
            if (::geteuid() == 0)
                QSKIP("root writes into any folder; the file-in-the-folder's-place row covers this");
            QVERIFY(::chmod(QFile::encodeName(runDir).constData(), 0555) == 0);
#endif
        } else if (setup == QLatin1String("held")) {
            holder = startCopy(path, fallback);
            holder->write("go\n");
            QCOMPARE(readLine(*holder), QStringLiteral("alone"));
        }

        {
            LockFileInstanceGuard guard(path, fallback);
            QCOMPARE(guard.anotherInstanceRunning(), running);
            if (!running) {
                // Wherever this copy took the lock, the next copy finds it taken.
                const auto next = startCopy(path, fallback);
                next->write("go\n");
                QCOMPARE(readLine(*next), QStringLiteral("running"));
                release(*next);
            }
        }
        if (holder)
            release(*holder);
#ifdef Q_OS_UNIX
        ::chmod(QFile::encodeName(runDir).constData(), 0755);
#endif
    }

    void twoCopiesStartingTogetherGiveOneQuestion()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("run/vantorel.lock"));
        const QString fallback = dir.filePath(QStringLiteral("tmp/vantorel.lock"));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        for (int round = 0; round < 10; ++round) {
            // Garbage in the file each time: a copy must not take it for a lock it may replace
            // while the other copy is taking it.
            writeFile(path, "garbage\n");
            const auto a = startCopy(path, fallback);
            const auto b = startCopy(path, fallback);
            const auto at = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
            const QByteArray line =
                QByteArray::number(qint64(std::chrono::nanoseconds(at.time_since_epoch()).count())) + '\n';
            a->write(line);
            b->write(line);
            a->waitForBytesWritten();
            b->waitForBytesWritten();
            QStringList answers = {readLine(*a), readLine(*b)};
            answers.sort();
            QCOMPARE(answers, QStringList({QStringLiteral("alone"), QStringLiteral("running")}));
            release(*a);
            release(*b);
        }
    }

    // A signal to end the process, or the session's end on Windows, with or without the exit
    // question up, leaves as Yes does: the view settings and the schemes are saved, and the process
    // ends normally.
    void endSignalSavesAsYesDoes_data()
    {
        QTest::addColumn<int>("signal"); // 0: the session ends
        QTest::addColumn<bool>("askFirst");
#ifdef Q_OS_WIN
        QTest::newRow("session end") << 0 << false;
        QTest::newRow("session end with the exit question up") << 0 << true;
#else
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGINT") << int(SIGINT) << false;
        QTest::newRow("SIGHUP") << int(SIGHUP) << false;
        QTest::newRow("SIGTERM with the exit question up") << int(SIGTERM) << true;
#endif
    }

    void endSignalSavesAsYesDoes()
    {
        QFETCH(int, signal);
        QFETCH(bool, askFirst);
#ifdef Q_OS_WIN
        QSettings registry(kTestSettings, QSettings::NativeFormat);
        registry.clear();
        registry.setValue(QStringLiteral("SET/Max"), QStringLiteral("1"));
        registry.setValue(QStringLiteral("SET/1"), QStringLiteral("5*C/60"));
#endif
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QString ini = home.filePath(QStringLiteral("config/Vantorel/Vantorel.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(ini).absolutePath()));
        writeFile(ini, "[SET]\nMax=1\n1=5*C/60\n");
        // Qt refuses a runtime folder others may read and falls back to one shared by every copy
        // on the machine, whose lock another running copy would hold.
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("run"))));
        QVERIFY(QFile::setPermissions(home.filePath(QStringLiteral("run")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), home.filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
        QProcess program;
        program.setProcessEnvironment(env);
        QStringList args = {QString::fromLatin1(kRunProgram)};
        if (askFirst)
            args << QStringLiteral("--ask-first");
        program.start(QCoreApplication::applicationFilePath(), args);
        QCOMPARE(readLine(program), askFirst ? QStringLiteral("asking") : QStringLiteral("shown"));

#ifdef Q_OS_WIN
        Q_UNUSED(signal);
        QVERIFY(endSession(program.processId()));
#else
        QVERIFY(::kill(pid_t(program.processId()), signal) == 0);
#endif
        QVERIFY2(program.waitForFinished(10000), program.readAllStandardError().constData());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.readAllStandardOutput(), QByteArray()); // no box on the way out

        const QMap<QString, QString> saved = settingsIn(ini);
        QCOMPARE(saved.value(QStringLiteral("DEPTHCOLOR")), QStringLiteral("0"));
        QCOMPARE(saved.value(QStringLiteral("DEPTHMODE")), QStringLiteral("4"));
        QCOMPARE(saved.value(QStringLiteral("VIEW")), QStringLiteral("3"));
        QCOMPARE(saved.value(QStringLiteral("LINECOLOR")), QStringLiteral("16777215"));
        QCOMPARE(saved.value(QStringLiteral("Max")), QStringLiteral("1"));
        QCOMPARE(saved.value(QStringLiteral("1")), QStringLiteral("5*C/60"));
    }
};

int main(int argc, char *argv[])
{
    // The copies this test starts must see SIGINT and SIGHUP as a program started from the desktop
    // does, even when the test itself runs in a background job or under nohup.
    std::signal(SIGINT, SIG_DFL);
#ifdef SIGHUP
    std::signal(SIGHUP, SIG_DFL);
#endif
    if (argc > 3 && qstrcmp(argv[1], kTakeLock) == 0)
        return takeLock(argv[2], argv[3]);
    if (argc > 1 && qstrcmp(argv[1], kRunProgram) == 0)
        return runProgram(argc, argv);
    QCoreApplication app(argc, argv);
    TestProgramProcess test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ProgramProcess.moc"
