// The settings file is replaced as a whole or not at all: a full disk leaves the old file, and a
// process killed while it saves leaves either the old file or the new one.

#include "ScriptedPrompter.h"
#include "dialogs/SchemeStorePrompts.h"
#include "timing/IniSettingsStore.h"
#include "timing/ModClock.h"
#include "timing/ReceiptSettings.h"
#include "timing/SchemeStore.h"
#include "timing/Tariff.h"
#include "timing/ViewSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QStringList schemes(const ModClock &s)
{
    QStringList out;
    for (int i = 1; i <= s.tariff.cFangAn.count(); ++i)
        out << s.tariff.cFangAn.item(i);
    return out;
}

// Two lists of the size that took seconds to save when every key was written on its own.
QStringList schemeList(int round)
{
    QStringList out;
    for (int i = 1; i <= 300; ++i)
        out << QStringLiteral("%1*C/60+%2").arg(i).arg(round % 2 ? QStringLiteral("B") : QStringLiteral("A"));
    return out;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The child process: saves the two lists in turn, for ever, and says when the first is on disk.
int keepSaving(const QString &ini)
{
    IniSettingsStore store(ini);
    ModClock s;
    ScriptedPrompter p;
    SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
    for (int round = 0;; ++round) {
        s.tariff.cFangAn.clear();
        for (const QString &t : schemeList(round))
            s.tariff.cFangAn.add(t);
        SchemeStore::SaveFangAn(s.tariff, store);
        if (!SchemeStorePrompts::commit(store, p))
            return 1;
        if (round == 0) {
            std::fputs("saved\n", stdout);
            std::fflush(stdout);
        }
    }
}

} // namespace

class TestIniSettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The receipt settings come back as saved; what a hand-edited file holds that no till or roll
    // knows reads as the default.
    void receiptSettingsRoundTrip()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Vantorel.ini"));
        ReceiptSettings saved;
        saved.shopName = QStringLiteral("茶座 = 1号");
        saved.askPaid = true;
        saved.rounding = AmountDue::Rounding::HalfYuan;
        saved.rollWidth = {80, 0, 58, 80};
        {
            IniSettingsStore store(ini);
            saved.save(store);
            QCOMPARE(store.commit(), SettingsStore::CommitResult::Written);
        }
        IniSettingsStore store(ini);
        ReceiptSettings read;
        read.load(store);
        QCOMPARE(read.shopName, saved.shopName);
        QVERIFY(read.askPaid);
        QCOMPARE(read.rounding, AmountDue::Rounding::HalfYuan);
        QCOMPARE(read.rollWidth, saved.rollWidth);

        store.saveSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("Rounding"), "25");
        store.saveSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("PaperDay"), "57");
        read.load(store);
        QCOMPARE(read.rounding, AmountDue::Rounding::Fen);
        QCOMPARE(read.rollWidthFor(ReceiptSettings::Paper::Day), 0);
        QCOMPARE(ReceiptSettings().rollWidthFor(ReceiptSettings::Paper::Bill), 0); // A4 until chosen
    }

    void fullDiskLeavesTheFileAsItWas()
    {
#ifdef Q_OS_UNIX
        if (::geteuid() != 0)
#endif
            QSKIP("mounting a small file system needs root on Linux");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        if (QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=8k"), QStringLiteral("tmpfs"), dir.path()})
            != 0)
            QSKIP("no tmpfs can be mounted here");
        const auto unmount = qScopeGuard([&dir] { QProcess::execute(QStringLiteral("umount"), {dir.path()}); });
        const QString ini = dir.filePath(QStringLiteral("Vantorel.ini"));

        // A settings file of nearly 4 KB on a file system with room for twice that.
        ScriptedPrompter p;
        {
            IniSettingsStore store(ini);
            ModClock s;
            s.tariff.cFangAn.add(QString(1800, u'C'));
            s.tariff.cFangAn.add(QString(1800, u'C') + QStringLiteral("/2"));
            SchemeStore::SaveFangAn(s.tariff, store);
            ViewSettings().save(store);
            QVERIFY(SchemeStorePrompts::commit(store, p));
        }
        const QByteArray before = readFile(ini);
        QVERIFY(before.size() > 3600 && before.size() < 4096);

        IniSettingsStore store(ini);
        ModClock s;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        s.tariff.cFangAn.add(QString(6000, u'C'));
        SchemeStore::SaveFangAn(s.tariff, store);
        QVERIFY(!SchemeStorePrompts::commit(store, p));
        QCOMPARE(readFile(ini), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("Vantorel.ini")});
        QCOMPARE(p.asked.size(), 1);
    }

    void killedWhileSavingLeavesOldOrNew()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ini = dir.filePath(QStringLiteral("Vantorel.ini"));
        const QStringList a = schemeList(0), b = schemeList(1);
        for (int round = 0; round < 50; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--keep-saving"), ini});
            QVERIFY(child.waitForStarted());
            QVERIFY(child.waitForReadyRead(10000));
            // Kills land at different moments of the saves that follow the first.
            QThread::usleep(static_cast<unsigned long>(round % 10) * 700);
            child.kill();
            QVERIFY(child.waitForFinished());

            IniSettingsStore store(ini);
            ModClock s;
            ScriptedPrompter p;
            SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
            const QStringList loaded = schemes(s);
            QVERIFY2(p.asked.isEmpty() && (loaded == a || loaded == b),
                     qPrintable(QStringLiteral("round %1 loaded %2 schemes").arg(round).arg(loaded.size())));
            QVERIFY(!QFile::exists(ini + QStringLiteral(".bak")));
        }
    }
};

// The test program is also the child that the kill test starts and kills.
int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--keep-saving") == 0)
        return keepSaving(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestIniSettingsStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_IniSettingsStore.moc"
