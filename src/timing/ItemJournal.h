#pragma once
// A file that records every change to the timing items as it happens, so that a crash, a killed
// process or a power cut loses none of them: the next start can replay it.

#include "timing/AppendOnlyFile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class ModClock;
struct Moment;
struct NewItem;

// One line per change, fields separated by tabs and ended by a checksum of the line, so that a
// line cut off by a power cut or overwritten by junk is recognised and skipped on replay. Each
// change is on the disk before the operation that made it returns.
class ItemJournal {
public:
    explicit ItemJournal(QString path);
    ~ItemJournal();
    ItemJournal(const ItemJournal &) = delete;
    ItemJournal &operator=(const ItemJournal &) = delete;

    // The journal in the per-user data folder.
    static QString DefaultPath();
    const QString &path() const { return m_path; }

    // The items a stop ended, each with the minutes it booked.
    using Booked = QList<std::pair<QString, double>>;

    // The changes, recorded after they were made. The first one creates the file. An end keeps
    // the minutes it booked: the clock may have been set since the start, and the replay must book
    // what this run booked, not what the instants recorded would make of it.
    void Added(const NewItem &item, const QDateTime &at);
    void Started(const QString &name, const QDateTime &at);
    void Ended(const QString &name, const QDateTime &at, double minutes);
    void Removed(const QString &name);
    // Start all (started true) or stop all, with what each item it ended booked: one line however
    // many items it touched.
    void AllTimed(bool started, const QDateTime &at, const Booked &ended = {});

    // True when the file holds anything: the run that wrote it never ended with the operator's leave.
    bool Found() const;

    // Called with the file's path when a change could not be written after the last one was (or
    // at the first): the operator should know that a crash now would lose changes. Timing goes on.
    std::function<void(const QString &path)> onFailure;

    struct Restored {
        int entries = 0; // changes replayed
        int skipped = 0; // lines that could not be read, or changes that no longer applied
    };
    // Replays the file into state through the timing operations themselves, with the instants
    // recorded, then brings the rows of running items up to now, from where they count real time;
    // no item is current afterwards.
    // The file keeps only the replayed lines, so later changes follow a clean line.
    Restored Restore(ModClock &state, const Moment &now);

    // The operator declined to restore: the old file is kept as path + ".bak" and the journal
    // starts empty.
    bool SetAside();
    // A clean exit: nothing needs to survive.
    void Discard();

private:
    void append(const QStringList &fields);

    QString m_path;
    AppendOnlyFile m_file;
    bool m_failing = false;
};
