#include "MemorySettingsStore.h"
#include "ScriptedPrompter.h"
#include "dialogs/SchemeStorePrompts.h"
#include "timing/IniSettingsStore.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/RegistryDocument.h"
#include "timing/SchemeStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kWarning = QStringLiteral("计时方案设置值错误");

int warnings(const ScriptedPrompter &p)
{
    int n = 0;
    for (const auto &a : p.asked)
        n += a.text.startsWith(kWarning) && a.icon == Prompter::Icon::Exclamation ? 1 : 0;
    return n;
}

QStringList schemes(const ModClock &s)
{
    QStringList out;
    for (int i = 1; i <= s.tariff.cFangAn.count(); ++i)
        out << s.tariff.cFangAn.item(i);
    return out;
}
} // namespace

class TestSchemeStore : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_home;
    QString m_ini;

    // On Windows the store is a registry key: what the file would hold goes there, and the key
    // reads back as that file's text.
    void writeFile(const QByteArray &bytes)
    {
#ifdef Q_OS_WIN
        QVERIFY(RegistryDocument::write(m_ini, IniDocument::parse(bytes)));
        return;
#endif
        QDir().mkpath(QFileInfo(m_ini).absolutePath());
        QFile f(m_ini);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readFile(const QString &suffix = QString())
    {
#ifdef Q_OS_WIN
        return RegistryDocument::read(m_ini + suffix).toBytes();
#endif
        QFile f(m_ini + suffix);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // What the next start finds in the file.
    QStringList loadAgain(ScriptedPrompter &p)
    {
        IniSettingsStore store;
        ModClock s;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        return schemes(s);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        // The per-user store must land under XDG_CONFIG_HOME as Vantorel/Vantorel.ini, group [SET].
        qputenv("XDG_CONFIG_HOME", m_home.path().toLocal8Bit());
        m_ini = m_home.path() + QStringLiteral("/Vantorel/Vantorel.ini");
#ifdef Q_OS_WIN
        m_ini = IniSettingsStore::locationFor(QStringLiteral("Vantorel"));
#endif
    }
    void init()
    {
#ifdef Q_OS_WIN
        RegistryDocument::replace(m_ini, {});
        RegistryDocument::replace(m_ini + QStringLiteral(".bak"), {});
#endif
        QFile::remove(m_ini);
        QFile::remove(m_ini + QStringLiteral(".bak"));
    }

    void storeLivesInTheUsersConfigFolder()
    {
        IniSettingsStore store;
        QCOMPARE(IniSettingsStore::locationFor(QStringLiteral("Vantorel")), m_ini);
        store.saveSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("VIEW"),
                          QStringLiteral("2"));
        QVERIFY(!QFile::exists(m_ini)); // nothing reaches the disk before the commit
        QCOMPARE(store.commit(), SettingsStore::CommitResult::Written);
        const QByteArray bytes = readFile();
        QVERIFY2(bytes.contains("[SET]"), bytes.constData());
        QVERIFY2(bytes.contains("VIEW=2"), bytes.constData());
        store.deleteSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("VIEW"));
        store.deleteSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("nothing"));
        QCOMPARE(store.commit(), SettingsStore::CommitResult::Written);
        QVERIFY(!readFile().contains("VIEW"));
    }

    void emptyStoreLoadsNothingSilentlyAndSavesMaxZero()
    {
        IniSettingsStore store;
        ModClock s;
        ScriptedPrompter p;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        QCOMPARE(s.tariff.cFangAn.count(), 0);
        QCOMPARE(s.tariff.intFangAn, qint16(0));
        QVERIFY(p.asked.isEmpty());
        SchemeStore::SaveFangAn(s.tariff, store);
        QVERIFY(SchemeStorePrompts::commit(store, p));
        QVERIFY(readFile().contains("Max=0"));
    }

    // What a count cannot tell loads up to the first gap; the rest is told, kept aside with the
    // file and deleted, not left for a later save to write over.
    void entriesPastTheCountOrAGapAreNotLeft_data()
    {
        QTest::addColumn<QByteArray>("max");
        QTest::newRow("whole number") << QByteArray("2");
        QTest::newRow("letters") << QByteArray("abc");
        QTest::newRow("negative") << QByteArray("-3");
        QTest::newRow("beyond 16 bits") << QByteArray("99999");
        QTest::newRow("beyond 32 bits") << QByteArray("2147483648");
    }
    void entriesPastTheCountOrAGapAreNotLeft()
    {
        QFETCH(QByteArray, max);
        const QByteArray file = "[SET]\nMax=" + max + "\n1=5*C/60\n2=3*C/60\n4=9*C\n";
        writeFile(file);
        IniSettingsStore store;
        ModClock s;
        ScriptedPrompter p;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        QCOMPARE(schemes(s), (QStringList {QStringLiteral("5*C/60"), QStringLiteral("3*C/60")}));
        QCOMPARE(warnings(p), 1);
        SchemeStore::SaveFangAn(s.tariff, store);
        QVERIFY(SchemeStorePrompts::commit(store, p));
        QCOMPARE(readFile(), QByteArray("[SET]\n1=5*C/60\n2=3*C/60\nMax=2\n"));
#ifdef Q_OS_WIN // a registry key keeps its values in no order of their own
        QCOMPARE(readFile(QStringLiteral(".bak")), IniDocument::parse(file).toBytes());
#else
        QCOMPARE(readFile(QStringLiteral(".bak")), file);
#endif
    }

    void wholeNumberCountLoads_data()
    {
        QTest::addColumn<QByteArray>("max");
        QTest::newRow("decimal point") << QByteArray("2.0");
        QTest::newRow("blanks around") << QByteArray(" 2 ");
    }
    void wholeNumberCountLoads()
    {
        QFETCH(QByteArray, max);
        writeFile("[SET]\nMax=" + max + "\n1=5*C/60\n2=3*C/60\n");
        IniSettingsStore store;
        ModClock s;
        ScriptedPrompter p;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        QCOMPARE(schemes(s), (QStringList {QStringLiteral("5*C/60"), QStringLiteral("3*C/60")}));
        QVERIFY(p.asked.isEmpty());
    }

    // A file the program could not read whole is kept beside it, as it was, before it is replaced.
    void unreadableFileIsKeptBeforeItIsReplaced_data()
    {
        QTest::addColumn<QByteArray>("file"); // a null array: no file at all
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QString>("scheme"); // the file's scheme that must be read; empty: none
        // Text in UTF-16 with its byte-order mark, as a Windows editor saves it.
        const auto utf16 = [](const QString &text, bool bigEndian) {
            QByteArray bytes = bigEndian ? QByteArray("\xfe\xff") : QByteArray("\xff\xfe");
            for (const QChar c : text) {
                const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xff);
                bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
            }
            return bytes;
        };
        const QString hand = QStringLiteral("[SET]\r\nMax=1\r\n1=5*C/60\r\n");
        const QString none;
        QTest::newRow("header without its bracket") << QByteArray("[SET\nMax=2\n1=5*C/60\n2=3*C/60\n") << true << none;
        QTest::newRow("count in letters") << QByteArray("[SET]\nMax=abc\n1=5*C/60\n") << true << none;
        QTest::newRow("negative count") << QByteArray("[SET]\nMax=-5\n1=5*C/60\n") << true << none;
        QTest::newRow("count key in lower case") << QByteArray("[SET]\nmax=2\n1=5*C/60\n2=3*C/60\n") << true << none;
        QTest::newRow("not text") << QByteArray("\xff\xfe[SET]\nMax=1\n1=5*C/60\n") << true << none;
        QTest::newRow("line without =") << QByteArray("[SET]\nMax=1\n1=5*C/60\nVIEW 2\n") << true << none;
        QTest::newRow("first start") << QByteArray() << false << none;
        QTest::newRow("view settings only") << QByteArray("[SET]\nVIEW=1\n") << false << none;
        QTest::newRow("whole") << QByteArray("; mine\n[SET]\nMax=1\n1=5*C/60\n\n[Other]\nx=1\n") << false
                               << QStringLiteral("5*C/60");
        // As a Windows editor may save it: read whole, so nothing needs keeping aside.
        QTest::newRow("UTF-16, little-endian") << QByteArray("\xff\xfex\0=\0\x31\0\r\0\n\0", 12) << false << none;
        QTest::newRow("UTF-16, big-endian") << QByteArray("\xfe\xff\0x\0=\0\x31\0\r\0\n", 12) << false << none;
        QTest::newRow("UTF-16 schemes, little-endian") << utf16(hand, false) << false << QStringLiteral("5*C/60");
        QTest::newRow("UTF-16 schemes, big-endian") << utf16(hand, true) << false << QStringLiteral("5*C/60");
        QTest::newRow("UTF-16 without its mark") << QByteArray("x\0=\0\x31\0\n\0", 8) << true << none;
        QTest::newRow("UTF-32") << QByteArray("\xff\xfe\0\0x\0\0\0=\0\0\0", 12) << true << none;
    }
    void unreadableFileIsKeptBeforeItIsReplaced()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, kept);
        QFETCH(QString, scheme);
#ifdef Q_OS_WIN
        QSKIP("the registry holds values, not a text that can be misread");
#endif
        if (!file.isNull())
            writeFile(file);
        ScriptedPrompter p;
        {
            IniSettingsStore store;
            ModClock s;
            SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
            if (!scheme.isEmpty())
                QCOMPARE(schemes(s), QStringList {scheme});
            s.tariff.cFangAn.add(QStringLiteral("9*C"));
            SchemeStore::SaveFangAn(s.tariff, store);
            QVERIFY(SchemeStorePrompts::commit(store, p));
        }
        QCOMPARE(QFile::exists(m_ini + QStringLiteral(".bak")), kept);
        if (kept)
            QCOMPARE(readFile(QStringLiteral(".bak")), file);
        QVERIFY(loadAgain(p).endsWith(QStringLiteral("9*C")));
        if (!scheme.isEmpty())
            QCOMPARE(loadAgain(p), (QStringList {scheme, QStringLiteral("9*C")}));
        QVERIFY(!readFile().contains('\0'));
        QCOMPARE(p.asked.size(), kept ? 1 : 0);
        QVERIFY(!kept || p.asked[0].text.endsWith(QStringLiteral(".bak")));
        if (!kept && file.contains("[Other]"))
            QVERIFY(readFile().endsWith("\n[Other]\nx=1\n"));
    }

    // A backslash is a formula's integer division: only a doubled one (as the program writes
    // it) and one before a quote are escapes.
    void handWrittenBackslashReadsAsWritten_data()
    {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("scheme");
        QTest::newRow("integer division") << QByteArray("C\\60+1") << QStringLiteral("C\\60+1");
        QTest::newRow("doubled") << QByteArray("5\\\\2*C") << QStringLiteral("5\\2*C");
        QTest::newRow("doubled, then single") << QByteArray("C\\\\\\60") << QStringLiteral("C\\\\60");
        QTest::newRow("before a letter") << QByteArray("C\\n*2") << QStringLiteral("C\\n*2");
        QTest::newRow("in quotes") << QByteArray("\"C\\60; per hour\"") << QStringLiteral("C\\60; per hour");
    }
    void handWrittenBackslashReadsAsWritten()
    {
        QFETCH(QByteArray, written);
        QFETCH(QString, scheme);
        writeFile("[SET]\nMax=1\n1=" + written + "\n");
        ScriptedPrompter p;
        IniSettingsStore store;
        ModClock s;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        QCOMPARE(schemes(s), QStringList {scheme});
        // and what the program writes back reads the same
        s.tariff.cFangAn.add(QStringLiteral("3*C/60"));
        SchemeStore::SaveFangAn(s.tariff, store);
        QVERIFY(SchemeStorePrompts::commit(store, p));
        QCOMPARE(loadAgain(p), (QStringList {scheme, QStringLiteral("3*C/60")}));
    }

    // The operator hears of a failed save once, not at every retry; the changes stay pending and
    // reach the file once it can be written, and a later failure is told again. Only a regular
    // file is read or replaced: a FIFO is never waited on, nor replaced, even through a link.
    void failedSaveIsToldOncePerEpisode_data()
    {
        QTest::addColumn<QString>("fifo"); // where one is made, if anywhere
        QTest::addColumn<QString>("linkTo"); // with neither, a folder is in the file's place
        QTest::newRow("folder") << QString() << QString();
#ifdef Q_OS_UNIX
        QTest::newRow("FIFO") << m_ini << QString();
        QTest::newRow("link to a FIFO") << m_ini + u'~' << m_ini + u'~';
        QTest::newRow("link to nothing") << QString() << m_ini + u'-';
#endif
    }
    void failedSaveIsToldOncePerEpisode()
    {
        QFETCH(QString, fifo);
        QFETCH(QString, linkTo);
#ifdef Q_OS_WIN // no folder stands in a key's place, but a key name of 300 characters is refused
        m_ini += u'\\' + QString(300, u'x');
        const auto restore = qScopeGuard([this] { m_ini.chop(301); });
        IniSettingsStore store(m_ini);
#else
        QVERIFY(fifo.isEmpty() || QProcess::execute(QStringLiteral("mkfifo"), {fifo}) == 0);
        QVERIFY(linkTo.isEmpty() ? !fifo.isEmpty() || QDir().mkpath(m_ini) : QFile::link(linkTo, m_ini));
        IniSettingsStore store;
#endif
        ModClock s;
        ScriptedPrompter p;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        s.tariff.cFangAn.add(QStringLiteral("5*C/60"));
        SchemeStore::SaveFangAn(s.tariff, store);
        QVERIFY(!SchemeStorePrompts::commit(store, p));
        s.tariff.cFangAn.add(QStringLiteral("3*C/60"));
        SchemeStore::SaveFangAn(s.tariff, store);
        QVERIFY(!SchemeStorePrompts::commit(store, p));
        QCOMPARE(p.asked.size(), 1);
        QCOMPARE(p.asked[0].text, QStringLiteral("无法保存设置文件:\n") + QDir::toNativeSeparators(m_ini));
        QCOMPARE(p.asked[0].icon, Prompter::Icon::Critical);
#ifdef Q_OS_WIN
        return;
#endif

        QVERIFY(QDir().rmdir(m_ini) || QFile::remove(m_ini));
        QVERIFY(SchemeStorePrompts::commit(store, p));
        QCOMPARE(loadAgain(p), schemes(s));

        QVERIFY(QFile::remove(m_ini));
        QVERIFY(QDir().mkpath(m_ini));
        s.tariff.cFangAn.remove(1);
        SchemeStore::SaveFangAn(s.tariff, store);
        QVERIFY(!SchemeStorePrompts::commit(store, p));
        QCOMPARE(p.asked.size(), 2);
        QVERIFY(QDir().rmdir(m_ini));
    }

    void missingOrZeroEntriesWarnOnceAndSaveRenumbers()
    {
        writeFile("[SET]\nMax=30000\n1=5*C/60\n3=0\n4=3*C/60\nVIEW=1\n");
        IniSettingsStore store;
        ModClock s;
        ScriptedPrompter p;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        QCOMPARE(warnings(p), 1);
        QVERIFY(p.asked[0].text.endsWith(QStringLiteral("已跳过29998项计时方案设置。")));
        QCOMPARE(schemes(s), (QStringList {QStringLiteral("5*C/60"), QStringLiteral("3*C/60")}));
        SchemeStore::SaveFangAn(s.tariff, store);

        ModClock again;
        ScriptedPrompter quiet;
        SchemeStorePrompts::LoadFangAn(again.tariff, store, quiet);
        QVERIFY(quiet.asked.isEmpty());
        QCOMPARE(schemes(again), schemes(s));
        QCOMPARE(store.getSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("Max"), {}),
                 QStringLiteral("2"));
        QCOMPARE(store.getSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("3"),
                                  QStringLiteral("gone")),
                 QStringLiteral("gone"));
        QCOMPARE(store.getSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("VIEW"), {}),
                 QStringLiteral("1"));
    }

    // Files written by earlier versions (through QSettings) load as they were meant, and a save
    // writes the very same bytes, so that those versions read ours as well.
    void awkwardFormulaTextsSurviveARoundTrip()
    {
        const QStringList texts = {
            QStringLiteral("5\\2*C"),       QStringLiteral("\"quoted\" C"),  QStringLiteral("C=1"),
            QStringLiteral("[SET] C"),      QStringLiteral("MAX(5,5*C/60)"), QStringLiteral("每小时5元*C/60"),
            QStringLiteral(" C ;#comment"), QStringLiteral("@5*C"),          QString(10000, u'C'),
        };
        {
#ifdef Q_OS_WIN
            QSettings earlier(m_ini, QSettings::NativeFormat);
#else
            QSettings earlier(m_ini, QSettings::IniFormat);
#endif
            earlier.beginGroup(QStringLiteral("SET"));
            for (int i = 1; i <= texts.size(); ++i)
                earlier.setValue(QString::number(i), texts.at(i - 1));
            earlier.setValue(QStringLiteral("Max"), QString::number(texts.size()));
        }
        const QByteArray written = readFile();

        IniSettingsStore store;
        ModClock s;
        ScriptedPrompter p;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        QCOMPARE(schemes(s), texts);
        s.tariff.cFangAn.add(QStringLiteral("3*C/60"));
        SchemeStore::SaveFangAn(s.tariff, store);
        QVERIFY(SchemeStorePrompts::commit(store, p));
        s.tariff.cFangAn.remove(s.tariff.cFangAn.count());
        SchemeStore::SaveFangAn(s.tariff, store);
        QVERIFY(SchemeStorePrompts::commit(store, p));
        QCOMPARE(readFile(), written);
        QCOMPARE(loadAgain(p), texts);
        QVERIFY(p.asked.isEmpty());
    }

    // A scheme priced by the hour is "0" under its number, which an older version skips with its
    // warning, and its bands under "Bands<i>"; bands an older version has lost track of are dropped.
    void bandedSchemesKeepTheirPlace_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<int>("warned");
        QTest::addColumn<QByteArray>("saved");
        const QString bands = QStringLiteral("08:00 4*C/60; 18:00 6*C/60");
        const QByteArray quoted = "\"08:00 4*C/60; 18:00 6*C/60\""; // a ";" outside quotes starts a comment
        const QString plain = QStringLiteral("5*C/60"), other = QStringLiteral("3*C/60");
        const QByteArray asSaved = "[SET]\n1=5*C/60\n2=0\n3=3*C/60\nBands2=" + quoted + "\nMax=3\n";
        QTest::newRow("among plain ones, 0 under its number")
            << asSaved << QStringList {plain, bands, other} << 0 << asSaved;
        QTest::newRow("without a count") << QByteArray("[SET]\n1=0\n2=5*C/60\nBands1=" + quoted + "\n")
                                         << QStringList {bands, plain} << 0
                                         << QByteArray("[SET]\n1=0\n2=5*C/60\nBands1=" + quoted + "\nMax=2\n");
        QTest::newRow("list rewritten by an older version")
            << QByteArray("[SET]\n1=5*C/60\n2=3*C/60\nBands2=" + quoted + "\nBands7=0:00 C\nMax=2\n")
            << QStringList {plain, other} << 0 << QByteArray("[SET]\n1=5*C/60\n2=3*C/60\nMax=2\n");
        QTest::newRow("bands that cannot be read")
            << QByteArray("[SET]\n1=0\n2=5*C/60\nBands1=\"08:00 C; 8:00 2*C\"\nMax=2\n") << QStringList {plain} << 1
            << QByteArray("[SET]\n1=5*C/60\nMax=1\n");
    }
    void bandedSchemesKeepTheirPlace()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, loaded);
        QFETCH(int, warned);
        QFETCH(QByteArray, saved);
        writeFile(file);
        ScriptedPrompter p;
        {
            IniSettingsStore store;
            ModClock s;
            SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
            QCOMPARE(schemes(s), loaded);
            QCOMPARE(warnings(p), warned);
            SchemeStore::SaveFangAn(s.tariff, store);
            QVERIFY(SchemeStorePrompts::commit(store, p));
        }
        QCOMPARE(readFile(), saved);
        // What the program does not load is kept aside with the file before it is written over.
        QCOMPARE(readFile(QStringLiteral(".bak")).isEmpty(), file == saved);
        QCOMPARE(loadAgain(p), loaded);
    }

    void removedSchemeLosesItsKey()
    {
        MemorySettingsStore store;
        store.set(QStringLiteral("Max"), QStringLiteral("3"));
        store.set(QStringLiteral("1"), QStringLiteral("A*C"));
        store.set(QStringLiteral("3"), QStringLiteral("B*C"));
        ModClock s;
        ScriptedPrompter p;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        QCOMPARE(warnings(p), 1);
        s.tariff.cFangAn.remove(1);
        store.log.clear();
        SchemeStore::SaveFangAn(s.tariff, store);
        QCOMPARE(store.log,
                 (QStringList {QStringLiteral("delete 1"), QStringLiteral("delete 2"), QStringLiteral("delete 3"),
                               QStringLiteral("save 1=B*C"), QStringLiteral("save Max=1")}));
        QVERIFY(!store.has(QStringLiteral("3")));
    }

    void fileThatIsNotIniLosesNothingValid()
    {
        writeFile(QByteArray("\x00\xff\xfe garbage [[[ \n=\n\x01\x02", 22) + "\n[SET]\nMax=1\n1=2*C\n");
        IniSettingsStore store;
        ModClock s;
        ScriptedPrompter p;
        SchemeStorePrompts::LoadFangAn(s.tariff, store, p);
        // Whatever Qt makes of the broken part, loading never fails loudly and saving works.
        s.tariff.cFangAn.add(QStringLiteral("9*C"));
        SchemeStore::SaveFangAn(s.tariff, store);
        ModClock back;
        SchemeStorePrompts::LoadFangAn(back.tariff, store, p);
        QCOMPARE(schemes(back), schemes(s));
    }
};

QTEST_GUILESS_MAIN(TestSchemeStore)
#include "tst_SchemeStore.moc"
