#pragma once
// A file that records every change to the timing items as it happens, so that a crash, a killed
// process or a power cut loses none of them: the next start can replay it.

#include "timing/AppendOnlyFile.h"
#include "timing/JournalLines.h"

#include "timing/ItemChange.h"
#include "timing/Moment.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class DayLedger;
class ModClock;
class WallClock;

// One line per change, fields separated by tabs and ended by a checksum of the line, so that a
// line cut off by a power cut or overwritten by junk is recognised and skipped on replay. Each
// change is the system's before the operation that made it returns, so a killed program loses
// none; a thread of its own puts it on the disk a moment later, so the operator's thread never
// waits for the disk (closing waits for it). While the program runs, the file is written afresh
// with only what a restore needs once it has grown well past that. Given a clock, each change is
// written behind a reading of both clocks and the boot, so that a restore counts the time that
// really passed, whatever the wall clock did before the program stopped.
class ItemJournal {
public:
    explicit ItemJournal(QString path, const WallClock *clock = nullptr);
    ~ItemJournal();
    ItemJournal(const ItemJournal &) = delete;
    ItemJournal &operator=(const ItemJournal &) = delete;

    // The journal in the per-user data folder.
    static QString defaultPath();
    const QString &path() const { return m_path; }

    // The items a stop ended, each with the minutes it booked.
    using Booked = QList<std::pair<QString, double>>;

    // The changes, recorded after they were made. The first one creates the file. An end keeps
    // the minutes it booked, whatever the clock did since the start.
    void added(const NewItem &item, const QDateTime &at);
    void started(const QString &name, const QDateTime &at);
    void ended(const QString &name, const QDateTime &at, double minutes);
    void removed(const QString &name);
    // Start all (started true) or stop all, with what each item it ended booked: one line however
    // many items it touched.
    void allTimed(bool started, const QDateTime &at, const Booked &ended = {});

    // Items leaving the list with their bills, in one write, before the bills go to the day's ledger.
    void left(const QList<ItemBill> &bills, LeaveHow how, const QDateTime &at);

    // The program is alive and something is being timed: at most one line a minute, unless always,
    // so that a power cut is known to have begun no earlier than the last such line.
    void alive(const QDateTime &at, bool always = false);

    // Records every change state announces from now on, and a sign of life with each refresh while
    // something is timed. When a change could not be written, the next change (or sign of life)
    // writes the file afresh from state's items rather than adding a line.
    void follow(ModClock &state);
    // Records nothing more from the state followed.
    void stopFollowing();

    // Writes the file afresh with only the lines a restore needs (see JournalCompaction): beside
    // it, onto the disk, then renamed over it, so that a crash at any moment leaves the old file
    // whole or the new one. Happens by itself with a sign of life, once the lines written since the
    // file was last written whole are twice those it then held, and at least a thousand. False when
    // it could not be done: the old file stays, and lines go on being added to it.
    bool compact();
    // Whether the bills of the items that left the list are in the day's ledger: until they are,
    // their lines in the file are all that holds them, and the file is not cut down by itself.
    std::function<bool()> billsBooked;
    // Waits until every line written so far is on the disk; false when one could not be put there.
    bool flush() { return m_file.flush(); }

    // True when the file holds anything: the run that wrote it never ended with the operator's leave.
    bool found() const;

    // Called with the file's path when a change could not be written after the last one was (or
    // at the first): the operator should know that a crash now would lose changes. Timing goes on.
    std::function<void(const QString &path)> onFailure;
    // Called when the file holds every change again after a failure.
    std::function<void(const QString &path)> onRecovered;

    struct Restored {
        int entries = 0; // changes replayed
        int skipped = 0; // lines that could not be read, or changes that no longer applied
        int items = 0; // items on the list afterwards
        int running = 0; // of which being timed
        QDateTime lastAlive; // the last moment the program that wrote the file is known to have run
        // Where the running sessions end when they end where the program stopped.
        Moment stoppedAt;
        // The machine was started again and its clocks cannot tell how long the program was down:
        // the running sessions are to end where it stopped.
        bool gapUnknown = false;
    };
    // What restore would bring back, without changing anything.
    Restored peek(const Moment &now) const;

    // Replays the file into state through its own operations, with the instants recorded, then
    // brings the rows of running items up to now, from where they count real time. Nothing may
    // follow state yet: the changes replayed were recorded and booked when they were first made.
    // Items that had left the list with their bills are booked in ledger again (it keeps one of
    // each). The file keeps only the replayed lines, so later changes follow a clean line.
    Restored restore(ModClock &state, const Moment &now, DayLedger *ledger = nullptr);

    // The operator declined to restore: every item the file holds leaves the day's ledger with its
    // bill as it stood when the program was last alive (booking it again after a crash adds
    // nothing), and the old file is kept as path + ".bak"; the journal starts empty.
    bool settle(DayLedger *ledger, const Moment &now);

    // The operator declined to restore: the old file is kept as path + ".bak" and the journal
    // starts empty.
    bool setAside();
    // A clean exit: nothing needs to survive.
    void discard();

private:
    // reading: where the clocks stood at the change's instant, when the caller knows it exactly.
    void appendLine(const QStringList &fields, const QDateTime &at, const std::optional<Moment> &reading = {});
    void writeLines(const QList<QStringList> &lines, const QDateTime &at, const std::optional<Moment> &reading = {});
    JournalLines::Replayed read(ModClock &state, const QDateTime &now, DayLedger *ledger) const;
    // The clocks now, for the journal; nothing without a clock.
    std::optional<ClockReading> reading(const std::optional<Moment> &known = {}) const;
    // Works out where the stop was, from a file whose run read its clocks; anchors state's running
    // sessions accordingly when given.
    void placeStop(const JournalLines::Replayed &r, const Moment &now, Restored &out, ModClock *state) const;

    QString m_path;
    AppendOnlyFile m_file;
    const WallClock *m_clock;
    bool m_failing = false;
    ModClock *m_following = nullptr;
    QObject m_listener; // the context of the connections to the state followed
    QDateTime m_begun; // the file's begin line, once known
    QDateTime m_lastAt; // the latest instant written
    qint64 m_aliveMinute = -1;
    // The lines of the file when it was last written whole, and those added since.
    qsizetype m_wholeLines = 0;
    qsizetype m_addedLines = 0;
};
