#include "IniSettingsStore.h"
#include "MemorySettingsStore.h"
#include "ModClock.h"
#include "SchemeStore.h"
#include "ScriptedPrompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kWarning = QStringLiteral("计时方案设置值错误");

int warnings(const ScriptedPrompter &p)
{
    int n = 0;
    for (const auto &a : p.asked)
        n += a.text == kWarning && a.icon == Prompter::Icon::Exclamation ? 1 : 0;
    return n;
}

QStringList schemes(const ModClock &s)
{
    QStringList out;
    for (int i = 1; i <= s.cFangAn.Count(); ++i)
        out << s.cFangAn.Item(i);
    return out;
}
} // namespace

class TestSchemeStore : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_home;
    QString m_ini;

    void writeFile(const QByteArray &bytes)
    {
        QFile f(m_ini);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readFile()
    {
        QFile f(m_ini);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        // The per-user store must land under XDG_CONFIG_HOME as Vantorel/Vantorel.ini, group [SET].
        qputenv("XDG_CONFIG_HOME", m_home.path().toLocal8Bit());
        m_ini = m_home.path() + QStringLiteral("/Vantorel/Vantorel.ini");
    }
    void init() { QFile::remove(m_ini); }

    void storeLivesInTheUsersConfigFolder()
    {
        IniSettingsStore store;
        QCOMPARE(IniSettingsStore::LocationFor(QStringLiteral("Vantorel")), m_ini);
        store.SaveSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("VIEW"), QStringLiteral("2"));
        const QByteArray bytes = readFile();
        QVERIFY2(bytes.contains("[SET]"), bytes.constData());
        QVERIFY2(bytes.contains("VIEW=2"), bytes.constData());
        store.DeleteSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("VIEW"));
        store.DeleteSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("nothing"));
        QVERIFY(!readFile().contains("VIEW"));
    }

    void emptyStoreLoadsNothingSilentlyAndSavesMaxZero()
    {
        IniSettingsStore store;
        ModClock s;
        ScriptedPrompter p;
        SchemeStore::LoadFangAn(s, store, p);
        QCOMPARE(s.cFangAn.Count(), 0);
        QCOMPARE(s.intFangAn, qint16(0));
        QVERIFY(p.asked.isEmpty());
        SchemeStore::SaveFangAn(s, store);
        QVERIFY(readFile().contains("Max=0"));
    }

    void badCountLoadsNothingSilently_data()
    {
        QTest::addColumn<QByteArray>("max");
        QTest::newRow("letters") << QByteArray("abc");
        QTest::newRow("negative") << QByteArray("-3");
        QTest::newRow("beyond 16 bits") << QByteArray("99999");
    }
    void badCountLoadsNothingSilently()
    {
        QFETCH(QByteArray, max);
        writeFile("[SET]\nMax=" + max + "\n1=5*C/60\n");
        IniSettingsStore store;
        ModClock s;
        ScriptedPrompter p;
        SchemeStore::LoadFangAn(s, store, p);
        QCOMPARE(s.cFangAn.Count(), 0);
        QVERIFY(p.asked.isEmpty());
    }

    void missingOrZeroEntriesWarnOnceEachAndSaveRenumbers()
    {
        writeFile("[SET]\nMax=4\n1=5*C/60\n3=0\n4=3*C/60\nVIEW=1\n");
        IniSettingsStore store;
        ModClock s;
        ScriptedPrompter p;
        SchemeStore::LoadFangAn(s, store, p);
        QCOMPARE(warnings(p), 2);
        QCOMPARE(schemes(s), (QStringList{QStringLiteral("5*C/60"), QStringLiteral("3*C/60")}));
        SchemeStore::SaveFangAn(s, store);

        ModClock again;
        ScriptedPrompter quiet;
        SchemeStore::LoadFangAn(again, store, quiet);
        QVERIFY(quiet.asked.isEmpty());
        QCOMPARE(schemes(again), schemes(s));
        QCOMPARE(store.GetSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("Max"), {}), QStringLiteral("2"));
        QCOMPARE(store.GetSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("3"), QStringLiteral("gone")), QStringLiteral("gone"));
        QCOMPARE(store.GetSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("VIEW"), {}), QStringLiteral("1"));
    }

    void awkwardFormulaTextsSurviveARoundTrip()
    {
        const QStringList texts = {
            QStringLiteral("5\\2*C"), QStringLiteral("\"quoted\" C"), QStringLiteral("C=1"),
            QStringLiteral("[SET] C"), QStringLiteral("MAX(5,5*C/60)"), QStringLiteral("每小时5元*C/60"),
            QStringLiteral(" C ;#comment"), QString(10000, u'C'),
        };
        IniSettingsStore store;
        ModClock s;
        for (const QString &t : texts)
            s.cFangAn.Add(t);
        SchemeStore::SaveFangAn(s, store);

        ModClock back;
        ScriptedPrompter p;
        SchemeStore::LoadFangAn(back, store, p);
        QVERIFY(p.asked.isEmpty());
        QCOMPARE(schemes(back), texts);
    }

    void removedSchemeLosesItsKey()
    {
        MemorySettingsStore store;
        store.set(QStringLiteral("Max"), QStringLiteral("3"));
        store.set(QStringLiteral("1"), QStringLiteral("A*C"));
        store.set(QStringLiteral("3"), QStringLiteral("B*C"));
        ModClock s;
        ScriptedPrompter p;
        SchemeStore::LoadFangAn(s, store, p);
        QCOMPARE(warnings(p), 1);
        s.cFangAn.Remove(1);
        store.log.clear();
        SchemeStore::SaveFangAn(s, store);
        QCOMPARE(store.log, (QStringList{QStringLiteral("delete 1"), QStringLiteral("delete 2"), QStringLiteral("delete 3"),
                                         QStringLiteral("save 1=B*C"), QStringLiteral("save Max=1")}));
        QVERIFY(!store.has(QStringLiteral("3")));
    }

    void fileThatIsNotIniLosesNothingValid()
    {
        writeFile(QByteArray("\x00\xff\xfe garbage [[[ \n=\n\x01\x02", 22) + "\n[SET]\nMax=1\n1=2*C\n");
        IniSettingsStore store;
        ModClock s;
        ScriptedPrompter p;
        SchemeStore::LoadFangAn(s, store, p);
        // Whatever Qt makes of the broken part, loading never fails loudly and saving works.
        s.cFangAn.Add(QStringLiteral("9*C"));
        SchemeStore::SaveFangAn(s, store);
        ModClock back;
        SchemeStore::LoadFangAn(back, store, p);
        QCOMPARE(schemes(back), schemes(s));
    }
};

QTEST_GUILESS_MAIN(TestSchemeStore)
#include "tst_SchemeStore.moc"
