#pragma once
// The day's takings: every booked session and every item that left the list, one file per day,
// kept for good. Lines are only ever appended, never rewritten.

#include "timing/AppendOnlyFile.h"
#include "timing/ItemChange.h"
#include "timing/Shift.h"

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

// One line of a day's ledger.
struct LedgerEntry {
    // Goods: sold to the customer of the item that left just before, on a line of its own that
    // versions without goods skip. ShiftBegan and HandedOver mark an operator's turn: name holds
    // the operator, end the instant, and a hand-over's start the instant its shift began.
    enum class Kind { Session, Left, Goods, ShiftBegan, HandedOver };
    Kind kind = Kind::Session;
    QString name;
    QString scheme;
    QDateTime start; // a session's start; invalid for an item that left
    QDateTime end; // a session's end, or when the item left the list
    double minutes = 0; // a session's booked minutes, or all the minutes of the item that left
    double fee = 0; // what the item that left was charged, always with an amount due; 0 for a session
    bool ended = false; // the item that left was ended and reported first, rather than only removed
    bool atExit = false; // the item was still on the list when the operator closed the program
    ItemLimit limit; // the limit the item that left had (its kind and amount), if any
    QList<double> bands; // a scheme priced by the hour: the minutes the item that left had in each band
    GoodsLine goods; // the goods, their price and quantity; fee holds their amount
};

// What a day's file holds, in the order it was written.
struct LedgerDay {
    QDate date;
    std::vector<LedgerEntry> entries;
    int skipped = 0; // lines that could not be read: cut short by a crash, damaged or implausible
    // The file is there but could not be read: the day's takings are unknown, not nothing, and
    // no entries are given.
    bool unreadable = false;

    // The bill of the day is made of the items that left the list: their fees and their minutes.
    // Sessions are listed for the record; their minutes are already in the items' totals.
    int itemsLeft() const;
    double minutes() const;
    double fees() const;
};

class ModClock;

// Lets another thread follow a long read of the ledgers and stop it.
struct LedgerReadControl {
    std::atomic<bool> cancel {false};
    std::atomic<int> daysRead {0};
};

// What reading one day's file line by line came to.
struct LedgerScan {
    int entries = 0; // the lines handed over
    int skipped = 0; // as LedgerDay::skipped
    bool unreadable = false; // as LedgerDay::unreadable; entries handed over before it failed do not count
    bool cancelled = false; // stopped before the end: what was handed over is not the day
};

// Files are named by the local date, <folder>/yyyy-MM-dd.log, in the same line format as the
// journal and written with the same care: each line is on the disk before the call returns.
//
// A session belongs to the day it ended, and an item to the day it left the list, as on a bill:
// a session from 23:30 to 00:40 is charged the next day, with all its 70 minutes.
// Every session has one line however it ended (an item leaving ends its running session first),
// and it holds only the minutes timed in it: an item's bill is the minutes typed in at its add
// plus those of all its session lines, so the hours and the bills of a day can be laid side by side.
class DayLedger {
public:
    explicit DayLedger(QString folder);
    DayLedger(const DayLedger &) = delete;
    DayLedger &operator=(const DayLedger &) = delete;

    // <per-user data folder>/ledger, beside the journal.
    static QString defaultFolder();
    const QString &folder() const { return m_folder; }
    QString pathFor(const QDate &day) const;

    // A session just booked, with the minutes it booked.
    void booked(const QString &name, const QString &scheme, const QDateTime &start, const QDateTime &end,
                double minutes);
    // An item that left the list with these minutes and this fee; ended: with 是, not 否.
    // With its limit, when it had one.
    void left(const QString &name, const QString &scheme, bool ended, double minutes, double fee, const QDateTime &at,
              const ItemLimit &limit = {});
    // An item still on the list when the operator closed the program: the list goes with the
    // program, so the item leaves with its bill as it stands and the day's takings keep it.
    void leftAtExit(const QString &name, const QString &scheme, double minutes, double fee, const QDateTime &at,
                    const ItemLimit &limit = {});

    // An item that left the list the way how says.
    void left(const ItemBill &bill, LeaveHow how, const QDateTime &at);

    // An operator's turn began; and one was handed over at its end (shift.to). Lines are only
    // appended: a shift handed over is closed by the order of the file, whatever a clock says later.
    void shiftBegan(const Shift &shift);
    void handedOver(const Shift &shift);

    // Books every session state ends and every item that leaves it, from now on, as long as both live.
    void follow(ModClock &state);

    // The day's file as far as it can be read; an empty day when there is none, and one marked
    // unreadable when the file is there but the system will not give it. Lines that are
    // damaged, not of that day, later than readAt (when given) or hold numbers this program never
    // writes are skipped and counted.
    LedgerDay read(const QDate &day, const QDateTime &readAt = QDateTime()) const;
    // The same lines handed to take one at a time as they are read: the file is never held whole,
    // only a hash of each line read (to know a line written twice), and the reading stops soon
    // after control's cancel is set.
    LedgerScan scan(const QDate &day, const QDateTime &readAt, const std::function<void(LedgerEntry &&)> &take,
                    const LedgerReadControl *control = nullptr) const;

    // Called with the file's path when a write fails after the last one worked (or at the first
    // one): the operator hears of a failing disk once, not at every session. Timing goes on.
    std::function<void(const QString &path)> onFailure;
    // False from a failed write until a write works again.
    bool writing() const { return !m_failing; }

    // While one is open, the lines wait and go to the disk together when the last one closes:
    // stopping a hundred items must not cost a hundred waits for the disk. Takes a null ledger.
    class Batch {
    public:
        explicit Batch(DayLedger *ledger) : m_ledger(ledger)
        {
            if (m_ledger)
                ++m_ledger->m_batchDepth;
        }
        ~Batch()
        {
            if (m_ledger && --m_ledger->m_batchDepth == 0)
                m_ledger->flush();
        }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        DayLedger *m_ledger;
    };

private:
    void append(const QDateTime &at, const QStringList &fields);
    void flush();

    QString m_folder;
    AppendOnlyFile m_file;
    int m_batchDepth = 0;
    QMap<QDate, QByteArray> m_pending; // lines not yet on the disk, by the day they belong to
    bool m_failing = false;
    QObject m_listener; // the context of the connections to the states followed
};
