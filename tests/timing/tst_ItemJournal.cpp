#include "FakeWallClock.h"
#include "ItemsCompared.h"
#include "timing/AppendOnlyFile.h"
#include "timing/ChecksummedLine.h"
#include "timing/ClockTick.h"
#include "timing/DayLedger.h"
#include "timing/ItemJournal.h"
#include "timing/ModClock.h"
#include "timing/TimingOperations.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>

#include <csignal>
#include <cstdio>

using namespace TimingOperations;

namespace {
// The program's own clock gives instants with a fixed offset from UTC; so do these, which also
// keeps the rows' times of day the same on every machine.
QDateTime at(int h, int m, int s = 0, int ms = 0)
{
    return QDateTime(QDate(2026, 12, 7), QTime(h, m, s, ms), QTimeZone(8 * 3600));
}

const QString kOdd = QStringLiteral("PC\t2 \"前台\"\n\\t'");
const QString kRestoredAt = QStringLiteral("10:47");

int pos(const ModClock &s, const QString &name)
{
    return s.cName.indexOfKey(name);
}

// An operator's morning through the real operations: PC1 runs on, the oddly named item ends
// stopped, PC3 has typed-in minutes and two sessions, and a fourth item comes and goes. PC1 has a
// limit still ahead, PC3 one already passed (and told) when it was set.
void scriptedDay(ModClock &s)
{
    s.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, at(9, 0, 10, 250));
    s.add(NewItem {kOdd, QStringLiteral("2*C/60+1"), 0, false}, at(9, 1));
    s.add(NewItem {QStringLiteral("PC3"), QStringLiteral("C*0.1"), 12.5, false}, at(9, 2, 30));
    s.add(NewItem {QStringLiteral("gone"), QStringLiteral("5*C/60"), 0, true}, at(9, 3));
    s.startTiming(pos(s, kOdd), at(9, 5, 30));
    s.endTiming(pos(s, kOdd), at(9, 47, 10));
    s.startTiming(pos(s, QStringLiteral("PC3")), at(9, 10));
    s.setAll(false, at(10, 0, 0, 1));
    s.setLimit(pos(s, QStringLiteral("PC1")), ItemLimit::Kind::Minutes, 600, true, at(9, 30));
    s.setLimit(pos(s, QStringLiteral("PC3")), ItemLimit::Kind::Money, 5, false, at(10, 1));
    s.setAll(true, at(10, 2, 15));
    s.endTiming(pos(s, kOdd), at(10, 30));
    s.endTiming(pos(s, QStringLiteral("PC3")), at(10, 41, 5));
    s.addGoods(pos(s, QStringLiteral("PC1")), GoodsLine {QStringLiteral("可乐"), 3.5, 2}, at(10, 3));
    s.addGoods(pos(s, QStringLiteral("PC1")), GoodsLine {QStringLiteral("可乐"), 3.5, 1}, at(10, 4));
    s.moveTo(pos(s, QStringLiteral("gone")), QStringLiteral("moved"), at(10, 20));
    s.addGoods(pos(s, QStringLiteral("moved")), GoodsLine {QStringLiteral("薯片"), 6, 1}, at(10, 21));
    s.endTiming(pos(s, QStringLiteral("moved")), at(10, 44));
    s.remove(pos(s, QStringLiteral("moved")));
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

ItemJournal::Restored restore(const QString &path, ModClock &into)
{
    return ItemJournal(path).restore(into, at(10, 47, 30));
}

// The morning without a journal, its running rows brought up to the restore's minute by the
// clock's own refresh.
void expectedDay(ModClock &s)
{
    scriptedDay(s);
    ClockTick(s).refreshIfNewMinute(at(10, 47, 30));
}

// Run as a child: journals the morning, says so, then waits to be killed.
int runChild(const QString &journalPath)
{
    ModClock s;
    ItemJournal journal(journalPath);
    journal.follow(s);
    scriptedDay(s);
    std::fputs("journaled\n", stdout);
    std::fflush(stdout);
    std::fgetc(stdin); // blocks until the parent kills this process
    return 0;
}

// Run as a child: one item leaves the list with 是, the other with the program, and the process is
// killed outright right after the killAt-th write to the disk (never when killAt is 0).
int runLeavingChild(const QString &folder, int killAt)
{
    ModClock s;
    ItemJournal journal(folder + QStringLiteral("/items.journal"));
    DayLedger ledger(folder + QStringLiteral("/ledger"));
    journal.follow(s);
    ledger.follow(s);
    s.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, at(10, 0));
    s.add(NewItem {QStringLiteral("PC2"), QStringLiteral("5*C/60"), 45, false}, at(10, 0));
    static int writesLeft = killAt;
    AppendOnlyFile::afterAppend = [] {
        if (--writesLeft == 0)
#ifdef Q_OS_WIN
            std::_Exit(int(0xC0000005)); // the exit code of a crash
#else
            std::raise(SIGKILL);
#endif
    };
    s.leave(1, LeaveHow::Ended, at(10, 30));
    s.leaveAll(at(10, 40));
    journal.discard();
    return 0;
}
} // namespace

class TestItemJournal : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void aJournaledDayComesBackAsItWas()
    {
        const QString file = path(QStringLiteral("day.journal"));
        ItemJournal journal(file);
        ModClock day;
        journal.follow(day);
        scriptedDay(day);

        ModClock restored;
        const ItemJournal::Restored r = restore(file, restored);
        QCOMPARE(r.skipped, 0);
        QCOMPARE(r.entries, 20); // one line per change; start all and stop all one each
        ModClock expected;
        expectedDay(expected);
        compareItems(expected, restored);

        // What the operator sees of it, for the eye: PC1 ran through, with a break at ten.
        QCOMPARE(restored.lngItems, 3);
        QCOMPARE(restored.cName.item(2), kOdd);
        QCOMPARE(restored.lvwMain.text(1, ItemRowModel::ColUpTo), kRestoredAt);
        QCOMPARE(restored.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("105"));
        QCOMPARE(restored.lvwMain.text(3, ItemRowModel::ColMinutes), QStringLiteral("101.5"));
        QCOMPARE(restored.lvwMain.text(3, ItemRowModel::ColResult), QStringLiteral("10.15"));
        // PC3 was told of its limit when it was set: a restore does not tell it again.
        QVERIFY(restored.lvwMain.at(3).limit.told && !restored.lvwMain.at(1).limit.told);
        QSignalSpy told(&restored, &ModClock::limitsReached);
        ClockTick(restored).refreshIfNewMinute(at(10, 48));
        QCOMPARE(told.size(), 0);
    }

    // Start all over a hundred items is one line, so one write to the disk, not a hundred.
    void startAllIsOneEntry()
    {
        const QString file = path(QStringLiteral("hundred.journal"));
        ItemJournal journal(file);
        ModClock s;
        for (int i = 1; i <= 100; ++i)
            s.add(NewItem {QStringLiteral("PC%1").arg(i), QStringLiteral("5*C/60"), 0, false}, at(9, 0));
        journal.follow(s);
        s.setAll(true, at(9, 30));
        s.setAll(false, at(9, 45));
        QCOMPARE(contents(file).count('\n'), 3); // behind the line saying when the journal began
    }

    // A run whose clock was set 2 h forward books real minutes, by an end and by a stop of all, and
    // its journal brings those back; a last end as older runs wrote it, without its minutes, counts
    // them from its instants, and one whose minutes no booking can give is skipped.
    void endsReplayTheMinutesTheyBooked_data()
    {
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<double>("booked"); // negative: the line is skipped
        QTest::newRow("none, as older runs wrote") << QStringList() << 8.0;
        QTest::newRow("kept") << QStringList {QStringLiteral("7")} << 7.0;
        QTest::newRow("negative") << QStringList {QStringLiteral("-500")} << -1.0;
        QTest::newRow("not a number") << QStringList {QStringLiteral("nan")} << -1.0;
    }
    void endsReplayTheMinutesTheyBooked()
    {
        QFETCH(QStringList, kept);
        QFETCH(double, booked);
        const QString file = path(QString::fromLatin1(QTest::currentDataTag()));
        ItemJournal journal(file);
        ModClock day;
        journal.follow(day);
        for (const QString &name : {QStringLiteral("PC1"), QStringLiteral("PC2")})
            day.add(NewItem {name, QStringLiteral("C"), 0, true}, Moment(at(9, 0), 0));
        day.endTiming(2, Moment(at(11, 0, 6), 6000));
        day.setAll(false, Moment(at(11, 31), 31 * 60000));
        day.setAll(true, Moment(at(11, 32), 32 * 60000));
        const QStringList end {QStringLiteral("end"), ChecksummedLine::instantField(at(11, 40, 30)),
                               QStringLiteral("PC1")};
        write(file, contents(file) + ChecksummedLine::encode(end + kept));
        ModClock restored;
        QCOMPARE(ItemJournal(file).restore(restored, Moment(at(11, 45), 0)).skipped, booked < 0 ? 1 : 0);
        QCOMPARE(restored.cTotal.item(2), 0.0);
        QCOMPARE(restored.cTotal.item(1), 31 + std::max(booked, 0.0));
        // Set back 10 minutes after the restore, a session still running counts 13 minutes to it and 10 after.
        QCOMPARE(runningMinutes(restored.lvwMain, 1, Moment(at(9, 0), 600000)), booked < 0 ? 54.0 : 31 + booked);
    }

    // A run whose wall clock was wrong, then set, before it was killed: PC1 runs 10 minutes, the
    // clock is set to stepTo, PC2 starts, both run 10 minutes more with a sign of life each
    // minute, then the program is down 5 minutes. Restored in the same boot, the minutes are the
    // elapsed clock's; after a power cut (restartWall valid: the wall clock then, the machine up
    // for upSecs) the dark stretch is the wall clock's when it can be, and otherwise the sessions
    // end at the last sign of life.
    void aWrongClockBeforeACrashBillsRealMinutes_data()
    {
        QTest::addColumn<QDateTime>("startWall");
        QTest::addColumn<QDateTime>("stepTo");
        QTest::addColumn<QDateTime>("restartWall");
        QTest::addColumn<int>("upSecs");
        QTest::addColumn<double>("pc1"); // PC1's minutes once restored (是)
        QTest::addColumn<bool>("gapKnown");
        const QDateTime cmos(QDate(2000, 1, 1), QTime(10, 0), QTimeZone(8 * 3600));
        const QDateTime none;
        QTest::newRow("26 years behind, set right") << cmos << at(10, 10) << none << 0 << 25.0 << true;
        QTest::newRow("30 minutes fast, set back") << at(10, 30) << at(10, 10) << none << 0 << 25.0 << true;
        QTest::newRow("2 hours stepped forward") << at(10, 0) << at(12, 10) << none << 0 << 25.0 << true;
        QTest::newRow("26 years behind, set right, power cut")
            << cmos << at(10, 10) << at(10, 25) << 60 << 25.0 << true;
        QTest::newRow("power cut, back at 2000 after it") << at(10, 0) << at(10, 10) << cmos << 60 << 20.0 << false;
        QTest::newRow("power cut, wall gap shorter than the time up")
            << at(10, 0) << at(10, 10) << at(10, 21) << 300 << 20.0 << false;
    }
    void aWrongClockBeforeACrashBillsRealMinutes()
    {
        QFETCH(QDateTime, startWall);
        QFETCH(QDateTime, stepTo);
        QFETCH(QDateTime, restartWall);
        QFETCH(int, upSecs);
        QFETCH(double, pc1);
        QFETCH(bool, gapKnown);
        const QString file = path(QString::fromLatin1(QTest::currentDataTag()));
        FakeWallClock clock(startWall);
        {
            ItemJournal journal(file, &clock);
            ModClock s;
            journal.follow(s);
            s.add(NewItem {QStringLiteral("PC1"), QStringLiteral("C"), 0, true}, clock.moment());
            for (int m = 0; m < 20; ++m) {
                if (m == 10) {
                    clock.set(stepTo);
                    s.add(NewItem {QStringLiteral("PC2"), QStringLiteral("C"), 0, true}, clock.moment());
                }
                clock.advanceSecs(60);
                journal.alive(clock.now());
            }
        } // killed: nothing more is written
        clock.advanceSecs(5 * 60);
        if (restartWall.isValid()) {
            clock.reboot(QStringLiteral("boot-2"), upSecs);
            clock.set(restartWall);
        }
        ModClock restored;
        ItemJournal journal(file, &clock);
        QCOMPARE(journal.peek(clock.moment()).running, 2);
        const ItemJournal::Restored r = journal.restore(restored, clock.moment());
        QCOMPARE(r.skipped, 0);
        QCOMPARE(r.gapUnknown, !gapKnown);
        QCOMPARE(runningMinutes(restored.lvwMain, pos(restored, QStringLiteral("PC1")), clock.moment()), pc1);
        QCOMPARE(runningMinutes(restored.lvwMain, pos(restored, QStringLiteral("PC2")), clock.moment()), pc1 - 10);

        // Timed on, and killed again in this boot: the next restore counts on from the same anchors.
        journal.follow(restored);
        clock.advanceSecs(3 * 60);
        ModClock again;
        ItemJournal(file, &clock).restore(again, clock.moment());
        QCOMPARE(runningMinutes(again.lvwMain, 1, clock.moment()), pc1 + 3);
        // That restore rewrote the journal; started next with the clock years behind, it still
        // finds every item.
        FakeWallClock flat(QDateTime(QDate(2000, 1, 1), QTime(10, 0), QTimeZone(8 * 3600)));
        ModClock late;
        const ItemJournal::Restored back = ItemJournal(file, &flat).restore(late, flat.moment());
        QCOMPARE(back.skipped, 0);
        QCOMPARE(back.running, 2);

        // Ended where the program stopped: the minutes up to the last sign of life.
        restored.setAll(false, r.stoppedAt);
        QCOMPARE(restored.cTotal.item(pos(restored, QStringLiteral("PC1"))), 20.0);
        QCOMPARE(restored.cTotal.item(pos(restored, QStringLiteral("PC2"))), 10.0);
    }

    // While something is timed, each refresh tells the journal the program is alive, at most once a
    // minute; with nothing timed it says nothing. The last such line is where the program stopped.
    void aSignOfLifeIsWrittenOncePerMinuteWhileTiming()
    {
        const QString file = path(QStringLiteral("alive.journal"));
        ItemJournal journal(file);
        ModClock s;
        journal.follow(s);
        s.add(NewItem {QStringLiteral("PC1"), QStringLiteral("C"), 0, false}, at(10, 0));
        s.refreshRunning(at(10, 1), QTime(10, 1));
        s.startTiming(1, at(10, 1, 30));
        s.refreshRunning(at(10, 2), QTime(10, 2));
        s.refreshRunning(at(10, 2, 40), QTime(10, 2), true);
        s.refreshRunning(at(10, 3, 5), QTime(10, 3));
        const auto alive = [&file] {
            int n = 0;
            for (const QByteArray &line : contents(file).split('\n'))
                n += line.startsWith("alive\t") ? 1 : 0;
            return n;
        };
        QCOMPARE(alive(), 2);
        QCOMPARE(journal.peek(at(10, 30)).lastAlive, at(10, 3, 5));
        s.endTiming(1, at(10, 4));
        s.refreshRunning(at(10, 5), QTime(10, 5));
        QCOMPARE(alive(), 2);
    }

    // A power cut can cut the last line short or leave zeros behind it, and anything may land in
    // the file: what can be read comes back, the rest is counted, and the file is clean again for
    // the changes that follow.
    void damagedLinesAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::addColumn<bool>("lastChangeLost");
        QTest::addColumn<int>("skipped");
        QTest::newRow("last line cut off") << QByteArray("cut") << true << 1;
        QTest::newRow("last line without its line break") << QByteArray("no break") << false << 0;
        QTest::newRow("junk line in the middle") << QByteArray("junk") << false << 1;
        QTest::newRow("a changed character") << QByteArray("flip") << true << 1;
        QTest::newRow("zeros after the last line") << QByteArray("zeros") << false << 1;
        // A good checksum over what this program never writes: numbers not finite or beyond any
        // bill, instants before the journal began or after the restore (N is 10:45 of the day).
        QTest::newRow("nan minutes") << QByteArray("line add|N|PC7|C|nan|1") << false << 1;
        QTest::newRow("inf minutes") << QByteArray("line add|N|PC7|C|inf|1") << false << 1;
        QTest::newRow("1e308 minutes") << QByteArray("line add|N|PC7|C|1e308|1") << false << 1;
        QTest::newRow("started a century ago")
            << QByteArray("line add|1926-12-07T10:00:00.000+08:00|PC7|C|0|1") << false << 1;
        QTest::newRow("ending in 2126") << QByteArray("line end|2126-12-07T10:00:00.000+08:00|PC1") << false << 1;
        QTest::newRow("a bill of nan") << QByteArray("line left|N|PC1|1|nan|0") << false << 1;
        QTest::newRow("a fee of 1e308") << QByteArray("line left|N|PC1|1|30|1e308") << false << 1;
        QTest::newRow("a limit of nan") << QByteArray("line limit|N|PC1|1|nan|0") << false << 1;
        QTest::newRow("a negative limit") << QByteArray("line limit|N|PC1|2|-5|0") << false << 1;
        QTest::newRow("a limit beyond any bill") << QByteArray("line limit|N|PC1|1|1e308|0") << false << 1;
        QTest::newRow("a limit of no kind") << QByteArray("line limit|N|PC1|7|60|0") << false << 1;
        QTest::newRow("goods at a negative price") << QByteArray("line goods|N|PC1|cola|-1|1") << false << 1;
        QTest::newRow("no goods at all") << QByteArray("line goods|N|PC1|cola|3|0") << false << 1;
        QTest::newRow("a move to a name in use") << QByteArray("line move|N|PC1|pc3") << false << 1;
        QTest::newRow("a clock up for 3000 years") << QByteArray("line clock|N|99999999999999|b") << false << 1;
    }
    void damagedLinesAreSkipped()
    {
        QFETCH(QByteArray, damage);
        QFETCH(bool, lastChangeLost);
        QFETCH(int, skipped);
        const QString file = path(QStringLiteral("damaged.journal"));
        QFile::remove(file);
        {
            ItemJournal journal(file);
            ModClock day;
            journal.follow(day);
            scriptedDay(day);
        }
        QByteArray bytes = contents(file);
        const qsizetype lastLine = bytes.lastIndexOf('\n', bytes.size() - 2) + 1;
        // The last change is the removal of "gone": without it, four items are left.
        QByteArray intact = lastChangeLost ? bytes.left(lastLine) : bytes;
        if (damage == "cut")
            bytes.chop(5);
        else if (damage == "no break")
            bytes.chop(1);
        else if (damage == "junk")
            bytes.insert(bytes.indexOf('\n') + 1, QByteArray("PC9\t\xff\x00garbage\n", 14));
        else if (damage == "flip")
            bytes[lastLine + 8] = bytes[lastLine + 8] ^ 0x01;
        else if (damage == "zeros")
            bytes += QByteArray(512, '\0');
        else if (damage.startsWith("line "))
            bytes += ChecksummedLine::encode(
                QString::fromLatin1(damage.mid(5))
                    .replace(QStringLiteral("|N|"), u'|' + ChecksummedLine::instantField(at(10, 45)) + u'|')
                    .split(u'|'));
        write(file, bytes);

        ModClock restored;
        const ItemJournal::Restored r = restore(file, restored);
        QCOMPARE(r.skipped, skipped);
        QCOMPARE(restored.lngItems, lastChangeLost ? 4 : 3);
        const QString clean = path(QStringLiteral("intact.journal"));
        write(clean, intact);
        ModClock expected;
        QCOMPARE(restore(clean, expected).skipped, 0);
        compareItems(expected, restored);

        // Recording goes on behind what was restored, and the next restore reads all of it.
        ItemJournal journal(file);
        journal.follow(restored);
        restored.endTiming(1, at(10, 48));
        ModClock again;
        const ItemJournal::Restored r2 = restore(file, again);
        QCOMPARE(r2.skipped, 0);
        QCOMPARE(r2.entries, r.entries + 1);
        QCOMPARE(again.cRunning.item(1), false);
        QCOMPARE(again.cSave.item(1).cEnd.count(), restored.cSave.item(1).cEnd.count());
    }

    // Whatever write a crash follows, each item that left the list is booked in the day's ledger
    // once: restored (是, then closed) or settled as it stood (否).
    void leavingIsBookedOnceWhateverWriteACrashFollows_data()
    {
        QTest::addColumn<int>("killAt");
        QTest::addColumn<bool>("restored");
        for (int killAt = 0; killAt <= 6; ++killAt) {
            QTest::addRow("killed after write %d, restored", killAt) << killAt << true;
            QTest::addRow("killed after write %d, settled", killAt) << killAt << false;
        }
    }
    void leavingIsBookedOnceWhateverWriteACrashFollows()
    {
        QFETCH(int, killAt);
        QFETCH(bool, restored);
        QTemporaryDir folder;
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VANTOREL_LEAVING_CHILD"), folder.path() + u'|' + QString::number(killAt));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), killAt == 0 ? QProcess::NormalExit : QProcess::CrashExit);

        DayLedger ledger(folder.filePath(QStringLiteral("ledger")));
        ItemJournal journal(folder.filePath(QStringLiteral("items.journal")));
        QCOMPARE(journal.found(), killAt != 0);
        if (journal.found() && restored) {
            ModClock s;
            journal.restore(s, at(11, 0), &ledger);
            ledger.follow(s);
            journal.follow(s);
            s.leaveAll(at(11, 0));
        } else if (journal.found()) {
            QVERIFY(journal.settle(&ledger, at(11, 0)));
        }
        const LedgerDay d = ledger.read(at(10, 0).toLocalTime().date());
        QCOMPARE(d.itemsLeft(), 2);
        QCOMPARE(d.minutes(), 30.0 + 45.0); // neither twice, nor one for the other
    }

    // The process is killed outright (no clean-up runs, nothing is flushed on the way out) right
    // after the operations returned: every change they made is in the journal.
    void survivesAKilledProcess()
    {
        const QString file = path(QStringLiteral("killed.journal"));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VANTOREL_JOURNAL_CHILD"), file);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        while (!said.contains('\n') && child.waitForReadyRead(10000))
            said += child.readAllStandardOutput();
        QCOMPARE(said.trimmed(), QByteArray("journaled")); // Windows ends the line with \r\n
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        ModClock restored;
        QCOMPARE(restore(file, restored).skipped, 0);
        ModClock expected;
        expectedDay(expected);
        compareItems(expected, restored);
    }

    void aCleanExitOrADeclinedRestoreLeavesNoJournal()
    {
        const QString file = path(QStringLiteral("exit.journal"));
        ItemJournal journal(file);
        ModClock s;
        journal.follow(s);
        scriptedDay(s);
        QVERIFY(journal.found());
        QVERIFY(journal.setAside());
        QVERIFY(!journal.found());
        QVERIFY(QFileInfo(file + QStringLiteral(".bak")).size() > 0);
        s.endTiming(pos(s, QStringLiteral("PC1")), at(11, 0));
        QCOMPARE(contents(file).count('\n'), 2);
        journal.discard();
        QVERIFY(!QFile::exists(file));
    }

    // A journal that cannot be written no longer protects the items: the operator hears of it
    // once, not at every change, and writing goes on once the disk takes it again.
    void aFailingJournalIsToldOnce()
    {
        const QString folder = path(QStringLiteral("blocked"));
        QFile blocker(folder); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ItemJournal journal(folder + QStringLiteral("/items.journal"));
        QStringList told, recovered;
        journal.onFailure = [&told](const QString &p) { told << p; };
        journal.onRecovered = [&recovered](const QString &p) { recovered << p; };
        ModClock s;
        journal.follow(s);
        s.add(NewItem {QStringLiteral("PC1"), QStringLiteral("C"), 0, true}, at(10, 0));
        s.endTiming(1, at(10, 5));
        QCOMPARE(told, QStringList {journal.path()});

        QVERIFY(QFile::remove(folder));
        s.startTiming(1, at(10, 6));
        QVERIFY(journal.found());
        QCOMPARE(told.size(), 1);
        // The change made while the disk refused it is in the file too, and the operator hears so.
        QCOMPARE(recovered, told);
        ModClock restored;
        ItemJournal(journal.path()).restore(restored, at(10, 10, 30));
        ClockTick(s).refreshIfNewMinute(at(10, 10, 30));
        compareItems(s, restored);
    }
};

int main(int argc, char *argv[])
{
    const QByteArray child = qgetenv("VANTOREL_JOURNAL_CHILD");
    if (!child.isEmpty())
        return runChild(QString::fromLocal8Bit(child));
    const QStringList leaving = QString::fromLocal8Bit(qgetenv("VANTOREL_LEAVING_CHILD")).split(u'|');
    if (leaving.size() == 2)
        return runLeavingChild(leaving[0], leaving[1].toInt());
    QCoreApplication app(argc, argv);
    TestItemJournal test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ItemJournal.moc"
