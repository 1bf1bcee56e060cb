#include "timing/ItemJournal.h"

#include "timing/ChecksummedLine.h"
#include "timing/DayLedger.h"
#include "timing/DurableFile.h"
#include "timing/ModClock.h"
#include "timing/Moment.h"
#include "timing/TimingOperations.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

ItemJournal::ItemJournal(QString path) : m_path(std::move(path)), m_file(m_path)
{ }

ItemJournal::~ItemJournal() = default;

QString ItemJournal::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/items.journal");
}

void ItemJournal::Added(const NewItem &item, const QDateTime &at)
{
    append(JournalLines::Added(item, at), at);
}

void ItemJournal::Started(const QString &name, const QDateTime &at)
{
    append(JournalLines::Started(name, at), at);
}

void ItemJournal::Ended(const QString &name, const QDateTime &at, double minutes)
{
    append(JournalLines::Ended(name, at, minutes), at);
}

void ItemJournal::Removed(const QString &name)
{
    append(JournalLines::Removed(name), QDateTime());
}

void ItemJournal::AllTimed(bool started, const QDateTime &at, const Booked &ended)
{
    append(JournalLines::AllTimed(started, at, ended), at);
}

void ItemJournal::Left(const QList<Bill> &bills, JournalLines::How how, const QDateTime &at)
{
    QByteArray lines;
    for (const Bill &b : bills)
        lines += ChecksummedLine::Encode(JournalLines::Left(b.name, how, b.minutes, b.fee, at));
    if (!lines.isEmpty())
        write(lines, at);
}

void ItemJournal::Alive(const QDateTime &at, bool always)
{
    const qint64 minute = at.toSecsSinceEpoch() / 60;
    if (!always && minute == m_aliveMinute)
        return;
    m_aliveMinute = minute;
    append(JournalLines::Alive(at), at);
}

void ItemJournal::append(const QStringList &fields, const QDateTime &at)
{
    write(ChecksummedLine::Encode(fields), at);
}

void ItemJournal::write(const QByteArray &lines, const QDateTime &at)
{
    if (at.isValid() && (!m_lastAt.isValid() || at > m_lastAt))
        m_lastAt = at;
    bool written = false;
    if (m_failing && m_following) {
        // Lines went missing while writing failed: the file is written afresh from the items as
        // they now stand, which already hold this change.
        m_file.Close();
        written = DurableFile::Replace(m_path, JournalLines::Snapshot(*m_following, m_begun, m_lastAt));
    } else {
        // A new file says when it began: no instant in it can be earlier.
        if (!Found() && m_lastAt.isValid()) {
            m_begun = m_lastAt;
            written = m_file.Append(ChecksummedLine::Encode(JournalLines::Begin(m_begun)) + lines);
        } else {
            written = m_file.Append(lines);
        }
    }
    if (!written && !m_failing && onFailure)
        onFailure(m_path);
    if (written && m_failing && m_following && onRecovered)
        onRecovered(m_path);
    m_failing = !written;
}

bool ItemJournal::Found() const
{
    return QFileInfo(m_path).size() > 0;
}

JournalLines::Replayed ItemJournal::read(ModClock &state, const QDateTime &now, DayLedger *ledger) const
{
    const std::optional<QByteArray> content = DurableFile::ReadRegular(m_path);
    if (!content)
        return {};
    // A journal from before files said when they began is bounded by the file's own birth, where
    // the file system keeps it.
    const QDateTime born = QFileInfo(m_path).birthTime();
    return JournalLines::Replay(state, *content, born.isValid() ? born.addSecs(-60) : QDateTime(), now, ledger);
}

namespace {
ItemJournal::Restored restored(const ModClock &state, const JournalLines::Replayed &r)
{
    ItemJournal::Restored out;
    out.entries = r.entries;
    out.skipped = r.skipped;
    out.items = state.lngItems;
    for (int i = 1; i <= state.lngItems; ++i)
        out.running += state.cRunning.Value(i, false) ? 1 : 0;
    out.lastAlive = r.lastAlive;
    return out;
}
} // namespace

ItemJournal::Restored ItemJournal::Peek(const QDateTime &now) const
{
    ModClock scratch;
    return restored(scratch, read(scratch, now, nullptr));
}

ItemJournal::Restored ItemJournal::Restore(ModClock &state, const Moment &moment)
{
    m_file.Close();
    // Replaying through the operations must not record the changes a second time.
    ItemJournal *const recording = std::exchange(state.journal, nullptr);
    // Sessions replayed here were booked in the day's ledger when they first ended.
    DayLedger *const ledger = std::exchange(state.ledger, nullptr);
    const QDateTime &now = moment.wall;
    JournalLines::Replayed r = read(state, now, ledger);
    state.journal = recording;
    state.ledger = ledger;
    // The current item is the operator's choice in this run, not something to bring back.
    state.itmSelected = QPersistentModelIndex();

    // Sessions still running went on while the program was down: their rows show the bill now.
    TimingOperations::AnchorRunning(state, moment);
    for (int i = 1; i <= state.lngItems; ++i)
        if (state.cRunning.Value(i, false))
            TimingOperations::ShowMinutes(state, i, TimingOperations::RunningMinutes(state, i, moment), now.time());

    // Written beside and renamed over: a cut now leaves the old file or the new one. Later lines
    // go to the new one, so its name must be on the disk before them.
    m_begun = r.begun.isValid() ? r.begun : now;
    if (!r.kept.startsWith(ChecksummedLine::Encode(JournalLines::Begin(m_begun))))
        r.kept.prepend(ChecksummedLine::Encode(JournalLines::Begin(m_begun)));
    // The restore itself is a sign of life: a crash right after it must not end sessions earlier.
    r.kept += ChecksummedLine::Encode(JournalLines::Alive(now));
    DurableFile::Replace(m_path, r.kept);
    return restored(state, r);
}

bool ItemJournal::Settle(DayLedger *ledger, const QDateTime &now)
{
    // Sessions replayed were booked when they ended; only the bills of items that left are again.
    ModClock scratch;
    const JournalLines::Replayed r = read(scratch, now, ledger);
    scratch.ledger = ledger;
    const QDateTime at = r.lastAlive.isValid() ? r.lastAlive : now;
    TimingOperations::LeaveAtExit(scratch, at);
    return SetAside();
}

bool ItemJournal::SetAside()
{
    m_file.Close();
    const QString kept = m_path + QStringLiteral(".bak");
    QFile::remove(kept);
    return QFile::rename(m_path, kept);
}

void ItemJournal::Discard()
{
    m_file.Close();
    QFile::remove(m_path);
}
