#include <QProcess>
#include <QtTest>

// The built program run from a shell: what it prints and how it ends for the options a user or a
// packager's script tries first. A run that opened the main window instead would not end by itself.
class TestCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answersWithoutAWindow_data()
    {
        const QString version = QStringLiteral("Vantorel " VANTOREL_VERSION "\n");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // the whole standard output, or "" for none
        QTest::addColumn<QStringList>("errors"); // what standard error must say
        QTest::newRow("--version") << QStringList {"--version"} << 0 << version << QStringList {};
        QTest::newRow("-v") << QStringList {"-v"} << 0 << version << QStringList {};
        QTest::newRow("after Qt's own option")
            << QStringList {"-platform", "offscreen", "--version"} << 0 << version << QStringList {};
        QTest::newRow("after Qt's options with and without values")
            << QStringList {"-style=fusion", "--reverse", "-style", "fusion", "-v"} << 0 << version << QStringList {};
        QTest::newRow("unknown option") << QStringList {"--bogus"} << 1 << QString()
                                        << QStringList {"bogus", "--help", "--version"};
        QTest::newRow("stray argument") << QStringList {"report.txt"} << 1 << QString()
                                        << QStringList {"report.txt", "--help", "--version"};
    }

    void answersWithoutAWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QStringList, errors);
        QProcess program;
        program.start(QStringLiteral(VANTOREL_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        QCOMPARE(QString::fromUtf8(program.readAllStandardOutput().replace("\r\n", "\n")), output);
        // Standard error is not compared whole: Qt may note things about the session there.
        const QString said = QString::fromUtf8(program.readAllStandardError());
        for (const QString &part : errors)
            QVERIFY2(said.contains(part), qPrintable(said));
    }

    void helpListsTheOptionsInChinese()
    {
        QProcess program;
        program.start(QStringLiteral(VANTOREL_PROGRAM), {QStringLiteral("--help")});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
        const QString help = QString::fromUtf8(program.readAllStandardOutput());
        for (const char *part : {"-h, --help", "-v, --version", "显示本帮助后退出", "显示版本号后退出", "计时计费系统"})
            QVERIFY2(help.contains(QString::fromUtf8(part)), qPrintable(help));
    }

    // Over ssh or in a packaging script there is no display to open, and none is needed: not for
    // the help, not for the version, and not to say what is wrong with the command line.
    void answersWithNoDisplay_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("output"); // the start of standard output
        QTest::addColumn<QString>("errors"); // part of standard error
        QTest::newRow("--version") << "--version" << 0 << QByteArray("Vantorel " VANTOREL_VERSION "\n") << QString();
        QTest::newRow("--help") << "--help" << 0 << QByteArray("用法") << QString();
        QTest::newRow("unknown option") << "--bogus" << 1 << QByteArray() << QStringLiteral("用法");
    }
    void answersWithNoDisplay()
    {
        QFETCH(QString, argument);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, output);
        QFETCH(QString, errors);
        QProcessEnvironment env;
        for (const char *name : {"PATH", "HOME"})
            env.insert(QString::fromLatin1(name), qEnvironmentVariable(name));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(VANTOREL_PROGRAM), {argument});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        const QByteArray said = program.readAllStandardOutput().replace("\r\n", "\n");
        QVERIFY2(output.isEmpty() ? said.isEmpty() : said.startsWith(output), said.constData());
        QVERIFY(QString::fromUtf8(program.readAllStandardError()).contains(errors));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_CommandLine.moc"
