// The install puts only a link to the program on PATH and keeps the help file beside the real
// program; this checks that a program started through such a link is told the real folder.

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

} // namespace

class tst_ProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void linkOnPathLeadsToTheProgramFolder();
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

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(printFolderVariable)) {
        QTextStream(stdout) << QCoreApplication::applicationDirPath();
        return 0;
    }
    tst_ProgramFolder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ProgramFolder.moc"
