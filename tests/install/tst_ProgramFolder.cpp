// The install puts only a link to the program on PATH and the help file in share/vantorel/; this
// checks that a program started through such a link is told the real folder, and that the help file
// is found where the install puts it, or beside the program as in a build tree.

#include "help/HelpDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

// Set in the environment of the copy started below: print the program folder and stop.
const char printFolderVariable[] = "VANTOREL_TEST_PRINT_PROGRAM_FOLDER";
// Likewise: print the help file the program would open, and stop.
const char printHelpFileVariable[] = "VANTOREL_TEST_PRINT_HELP_FILE";

} // namespace

class tst_ProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void linkOnPathLeadsToTheProgramFolder();
    void helpFileIsFound_data();
    void helpFileIsFound();
};

void tst_ProgramFolder::linkOnPathLeadsToTheProgramFolder()
{
    // The installed shape: prefix/lib/vantorel/vantorel and prefix/bin/vantorel, a relative link.
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QDir root(prefix.path());
    QVERIFY(root.mkpath(QStringLiteral("lib/vantorel")));
    QVERIFY(root.mkpath(QStringLiteral("bin")));
    const QString program = root.filePath(QStringLiteral("lib/vantorel/vantorel"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
    QVERIFY(QFile::link(QStringLiteral("../lib/vantorel/vantorel"), root.filePath(QStringLiteral("bin/vantorel"))));

    // Started by name through PATH, as the menu entry and a shell start it.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), root.filePath(QStringLiteral("bin")));
    env.insert(QLatin1String(printFolderVariable), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec vantorel")});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);

    const QString folder = QString::fromUtf8(child.readAllStandardOutput());
    QCOMPARE(QFileInfo(folder).canonicalFilePath(), QFileInfo(program).canonicalPath());
}

void tst_ProgramFolder::helpFileIsFound_data()
{
    QTest::addColumn<bool>("installed"); // in prefix/share/vantorel/
    QTest::addColumn<bool>("beside"); // in prefix/lib/vantorel/, beside the program
    QTest::addColumn<QString>("expected");
    QTest::newRow("installed") << true << false << "share/vantorel/Vantorel.hlp";
    QTest::newRow("beside the program, as in a build tree") << true << true << "lib/vantorel/Vantorel.hlp";
    // The help command then names the file it could not open.
    QTest::newRow("nowhere") << false << false << "lib/vantorel/Vantorel.hlp";
}

void tst_ProgramFolder::helpFileIsFound()
{
    QFETCH(bool, installed);
    QFETCH(bool, beside);
    QFETCH(QString, expected);
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QDir root(prefix.path());
    QVERIFY(root.mkpath(QStringLiteral("lib/vantorel")));
    QVERIFY(root.mkpath(QStringLiteral("share/vantorel")));
    const QString program = root.filePath(QStringLiteral("lib/vantorel/vantorel"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
    for (const auto &[wanted, path] :
         {std::pair {installed, "share/vantorel/Vantorel.hlp"}, std::pair {beside, "lib/vantorel/Vantorel.hlp"}}) {
        QFile help(root.filePath(QString::fromLatin1(path)));
        QVERIFY(!wanted || help.open(QIODevice::WriteOnly));
    }

    // The data folders as a desktop session gives them, with the prefix's share/ among them.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_DATA_DIRS"), root.filePath(QStringLiteral("share")) + QStringLiteral(":/usr/share"));
    env.insert(QLatin1String(printHelpFileVariable), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(program);
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()), root.filePath(expected));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(printFolderVariable)) {
        QTextStream(stdout) << QCoreApplication::applicationDirPath();
        return 0;
    }
    if (qEnvironmentVariableIsSet(printHelpFileVariable)) {
        QTextStream(stdout) << HelpDocument::locate();
        return 0;
    }
    tst_ProgramFolder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ProgramFolder.moc"
