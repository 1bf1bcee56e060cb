#include "timing/ItemJournal.h"

#include "timing/ChecksummedLine.h"
#include "timing/DayLedger.h"
#include "timing/DurableFile.h"
#include "timing/JournalCompaction.h"
#include "timing/ModClock.h"
#include "timing/Moment.h"
#include "timing/TimingOperations.h"
#include "timing/WallClock.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <utility>

namespace {
// The file is cut down once the lines added since it was last written whole are this many times
// those it held then, and at least so many: the cost of writing it whole is spread over the lines
// added meanwhile, and a short file is not written over and over.
constexpr qsizetype kGrowth = 2;
constexpr qsizetype kFewestAdded = 1000;
} // namespace

ItemJournal::ItemJournal(QString path, const WallClock *clock) : m_path(std::move(path)), m_file(m_path), m_clock(clock)
{
    m_file.syncInBackground();
}

ItemJournal::~ItemJournal() = default;

QString ItemJournal::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/items.journal");
}

void ItemJournal::added(const NewItem &item, const QDateTime &at)
{
    appendLine(JournalLines::added(item, at), at);
}

void ItemJournal::started(const QString &name, const QDateTime &at)
{
    appendLine(JournalLines::started(name, at), at);
}

void ItemJournal::ended(const QString &name, const QDateTime &at, double minutes)
{
    appendLine(JournalLines::ended(name, at, minutes), at);
}

void ItemJournal::removed(const QString &name)
{
    appendLine(JournalLines::removed(name), QDateTime());
}

void ItemJournal::allTimed(bool started, const QDateTime &at, const Booked &ended)
{
    appendLine(JournalLines::allTimed(started, at, ended), at);
}

void ItemJournal::left(const QList<ItemBill> &bills, LeaveHow how, const QDateTime &at)
{
    QList<QStringList> lines;
    for (const ItemBill &b : bills)
        lines.append(JournalLines::left(b, how, at));
    if (!lines.isEmpty())
        writeLines(lines, at);
}

void ItemJournal::follow(ModClock &state)
{
    stopFollowing();
    m_following = &state;
    QObject *const to = &m_listener;
    // A session's start is written with the very reading it counts real time from.
    const auto anchorOf = [&state](int pos) {
        const Moment anchor = state.lvwMain.isValid(pos) ? state.lvwMain.at(pos).anchor : Moment();
        return anchor.elapsedMs ? std::optional<Moment>(anchor) : std::nullopt;
    };
    QObject::connect(&state, &ModClock::added, to, [this, anchorOf](int pos, const NewItem &item, const QDateTime &at) {
        appendLine(JournalLines::added(item, at), at, anchorOf(pos));
    });
    QObject::connect(&state, &ModClock::started, to,
                     [this, &state, anchorOf](const QString &name, const QDateTime &at) {
                         appendLine(JournalLines::started(name, at), at, anchorOf(state.cName.indexOfKey(name)));
                     });
    QObject::connect(&state, &ModClock::ended, to,
                     [this](const BookedSession &s, const QDateTime &at) { ended(s.name, at, s.minutes); });
    QObject::connect(&state, &ModClock::allTimed, to,
                     [this](bool on, const QDateTime &at, const QList<BookedSession> &ended) {
                         Booked booked;
                         for (const BookedSession &s : ended)
                             booked.append({s.name, s.minutes});
                         allTimed(on, at, booked);
                     });
    QObject::connect(&state, &ModClock::leaving, to,
                     [this](const QList<ItemBill> &bills, LeaveHow how, const QDateTime &at) { left(bills, how, at); });
    QObject::connect(&state, &ModClock::removed, to, [this](const QString &name) { removed(name); });
    QObject::connect(&state, &ModClock::limitSet, to,
                     [this](const QString &name, const ItemLimit &l, const QDateTime &at) {
                         appendLine(JournalLines::limit(name, l, at), at);
                     });
    QObject::connect(&state, &ModClock::bandBegun, to,
                     [this](const QString &name, const ItemBands &b, const QDateTime &at) {
                         appendLine(JournalLines::bands(name, b, at), at);
                     });
    QObject::connect(&state, &ModClock::goodsAdded, to,
                     [this](const QString &name, const GoodsLine &g, const QDateTime &at) {
                         appendLine(JournalLines::goods(name, g, at), at);
                     });
    QObject::connect(&state, &ModClock::moved, to,
                     [this](const QString &from, const QString &name, const QDateTime &at) {
                         appendLine(JournalLines::moved(from, name, at), at);
                     });
    QObject::connect(&state, &ModClock::limitsReached, to, [this](const QStringList &names, const QDateTime &at) {
        appendLine(JournalLines::told(names, at), at);
    });
    // While something is billed, the journal learns each minute that the program still runs: after
    // a power cut the sessions can end where the program stopped.
    QObject::connect(&state, &ModClock::refreshed, to, [this](const QDateTime &at, bool timing) {
        if (timing)
            alive(at);
    });
}

void ItemJournal::stopFollowing()
{
    if (m_following)
        QObject::disconnect(m_following, nullptr, &m_listener, nullptr);
    m_following = nullptr;
}

void ItemJournal::alive(const QDateTime &at, bool always)
{
    const qint64 minute = at.toSecsSinceEpoch() / 60;
    if (!always && minute == m_aliveMinute)
        return;
    m_aliveMinute = minute;
    appendLine(JournalLines::alive(at), at);
    // Between two refreshes nothing is halfway done: every item that left has its bill booked.
    if (!always && !m_failing && m_addedLines >= std::max(kFewestAdded, kGrowth * m_wholeLines)
        && (!billsBooked || billsBooked()))
        compact();
}

bool ItemJournal::compact()
{
    // Tried again only once as many lines more have been added, whatever stops it now: a file
    // that cannot be read is not read again at every minute.
    m_addedLines = 0;
    // The old file is whole on the disk before the new one takes its name.
    m_file.close();
    const std::optional<QByteArray> content = DurableFile::readRegular(m_path);
    if (!content)
        return false;
    const JournalCompaction::Compacted c = JournalCompaction::compact(*content, m_begun, m_lastAt);
    if (!DurableFile::replace(m_path, c.lines))
        return false;
    m_wholeLines = c.count;
    return true;
}

void ItemJournal::appendLine(const QStringList &fields, const QDateTime &at, const std::optional<Moment> &reading)
{
    writeLines({fields}, at, reading);
}

std::optional<ClockReading> ItemJournal::reading(const std::optional<Moment> &known) const
{
    if (!m_clock)
        return std::nullopt;
    const Moment m = known && known->elapsedMs && known->wall.isValid() ? *known : m_clock->moment();
    return ClockReading {m.wall, m.elapsedMs.value_or(0), m_clock->bootId()};
}

void ItemJournal::writeLines(const QList<QStringList> &lines, const QDateTime &at, const std::optional<Moment> &known)
{
    if (at.isValid() && (!m_lastAt.isValid() || at > m_lastAt))
        m_lastAt = at;
    // Each line that holds an instant is written behind the clocks read with it.
    const std::optional<ClockReading> clocks = at.isValid() ? reading(known) : std::nullopt;
    const QByteArray clockLine = clocks ? ChecksummedLine::encode(JournalLines::clock(*clocks)) : QByteArray();
    QByteArray bytes;
    for (const QStringList &fields : lines)
        bytes += clockLine + ChecksummedLine::encode(fields);
    bool written = false;
    if (m_failing && m_following) {
        // Lines went missing while writing failed: the file is written afresh from the items as
        // they now stand, which already hold this change.
        m_file.close();
        const QByteArray whole = JournalLines::snapshot(*m_following, m_begun, m_lastAt, reading());
        written = DurableFile::replace(m_path, whole);
        m_wholeLines = whole.count('\n');
        m_addedLines = 0;
    } else {
        // A new file says when it began: no instant in it without the clocks read can be earlier.
        // A clock set back since an earlier change must not put the beginning after this one.
        if (!found() && m_lastAt.isValid()) {
            m_begun = at.isValid() ? at : m_lastAt;
            bytes.prepend(clockLine + ChecksummedLine::encode(JournalLines::begin(m_begun)));
        }
        written = m_file.append(bytes);
        m_addedLines += bytes.count('\n');
    }
    if (!written && !m_failing && onFailure)
        onFailure(m_path);
    if (written && m_failing && m_following && onRecovered)
        onRecovered(m_path);
    m_failing = !written;
}

bool ItemJournal::found() const
{
    return QFileInfo(m_path).size() > 0;
}

JournalLines::Replayed ItemJournal::read(ModClock &state, const QDateTime &now, DayLedger *ledger) const
{
    const std::optional<QByteArray> content = DurableFile::readRegular(m_path);
    if (!content)
        return {};
    // A journal from before files said when they began is bounded by the file's own birth, where
    // the file system keeps it.
    const QFileInfo file(m_path);
    const QDateTime born = file.birthTime();
    // No line was written after the file last changed, by the clock that wrote the lines. A clock
    // found set back at the start (a flat clock battery puts it years behind) must not make every
    // line of a rewritten journal look as if it came from the future, and the items running lost.
    const QDateTime changed = file.lastModified().toUTC();
    const QDateTime latest = changed.isValid() && changed > now ? changed : now;
    return JournalLines::replay(state, *content, born.isValid() ? born.addSecs(-60) : QDateTime(), latest, ledger);
}

namespace {
ItemJournal::Restored restored(const ModClock &state, const JournalLines::Replayed &r)
{
    ItemJournal::Restored out;
    out.entries = r.entries;
    out.skipped = r.skipped;
    out.items = state.lngItems;
    for (int i = 1; i <= state.lngItems; ++i)
        out.running += state.cRunning.value(i, false) ? 1 : 0;
    out.lastAlive = r.lastAlive;
    return out;
}
} // namespace

void ItemJournal::placeStop(const JournalLines::Replayed &r, const Moment &now, Restored &out, ModClock *state) const
{
    if (!r.last || !now.elapsedMs) {
        // A run that never read its clocks: the sessions count on the wall clock up to now, as they
        // always did, and end, when asked, at the latest instant the file holds.
        if (state)
            state->anchorRunning(now);
        if (r.lastAlive.isValid())
            out.stoppedAt = Moment(std::min(r.lastAlive, now.wall));
        return;
    }
    const CrashGap gap(*r.last, now, m_clock ? m_clock->bootId() : QString());
    if (state)
        for (int i = 1; i <= state->lngItems; ++i)
            if (state->cRunning.value(i, false))
                state->anchorAt(i, gap.anchorFor(state->lvwMain.at(i).anchor));
    out.stoppedAt = gap.stopMoment();
    out.lastAlive = out.stoppedAt.wall;
    out.gapUnknown = !gap.darkMs();
}

ItemJournal::Restored ItemJournal::peek(const Moment &now) const
{
    ModClock scratch;
    const JournalLines::Replayed r = read(scratch, now.wall, nullptr);
    Restored out = restored(scratch, r);
    placeStop(r, now, out, nullptr);
    return out;
}

ItemJournal::Restored ItemJournal::restore(ModClock &state, const Moment &moment, DayLedger *ledger)
{
    m_file.close();
    const QDateTime &now = moment.wall;
    JournalLines::Replayed r = read(state, now, ledger);

    // Sessions still running went on while the program was down: their rows show the bill now.
    Restored out = restored(state, r);
    placeStop(r, moment, out, &state);
    for (int i = 1; i <= state.lngItems; ++i)
        if (state.cRunning.value(i, false))
            state.showMinutes(i, TimingOperations::runningMinutes(state.lvwMain, i, moment), now.time());

    // Written beside and renamed over: a cut now leaves the old file or the new one. Later lines
    // go to the new one, so its name must be on the disk before them.
    m_begun = r.begun.isValid() ? r.begun : now;
    if (!r.kept.startsWith(ChecksummedLine::encode(JournalLines::begin(m_begun))))
        r.kept.prepend(ChecksummedLine::encode(JournalLines::begin(m_begun)));
    // Where the restored sessions count from, so that a crash later in this boot or after the next
    // one counts them on as this run does.
    if (const std::optional<ClockReading> clocks = reading(moment)) {
        for (int i = 1; i <= state.lngItems; ++i)
            if (const Item &item = state.lvwMain.at(i); item.running && item.anchor.elapsedMs)
                r.kept += ChecksummedLine::encode(JournalLines::anchor(item.name, item.anchor));
        r.kept += ChecksummedLine::encode(JournalLines::clock(*clocks));
    }
    // The restore itself is a sign of life: a crash right after it must not end sessions earlier.
    r.kept += ChecksummedLine::encode(JournalLines::alive(now));
    DurableFile::replace(m_path, r.kept);
    m_wholeLines = r.kept.count('\n');
    m_addedLines = 0;
    return out;
}

bool ItemJournal::settle(DayLedger *ledger, const Moment &now)
{
    // Sessions replayed were booked when they ended; only the bills of items that left are again.
    ModClock scratch;
    const JournalLines::Replayed r = read(scratch, now.wall, ledger);
    if (ledger)
        ledger->follow(scratch);
    Restored stop;
    placeStop(r, now, stop, r.last ? &scratch : nullptr);
    scratch.leaveAll(r.last ? stop.stoppedAt : Moment(r.lastAlive.isValid() ? r.lastAlive : now.wall));
    return setAside();
}

bool ItemJournal::setAside()
{
    m_file.close();
    const QString kept = m_path + QStringLiteral(".bak");
    QFile::remove(kept);
    return QFile::rename(m_path, kept);
}

void ItemJournal::discard()
{
    stopFollowing();
    m_file.close();
    QFile::remove(m_path);
}
