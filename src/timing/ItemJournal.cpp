#include "timing/ItemJournal.h"

#include "timing/ChecksummedLine.h"
#include "timing/DurableFile.h"
#include "timing/ModClock.h"
#include "timing/TimingOperations.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

const QString kAdd = QStringLiteral("add");
const QString kStart = QStringLiteral("start");
const QString kEnd = QStringLiteral("end");
const QString kRemove = QStringLiteral("remove");
const QString kAll = QStringLiteral("all");

std::optional<bool> flag(const QString &text)
{
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

int positionOf(const ModClock &state, const QString &name)
{
    return state.cName.IndexOfKey(name);
}

// Minutes an end booked, read back: a field no booking can have written makes the line unreadable.
std::optional<double> bookedMinutes(const QString &field)
{
    const std::optional<double> minutes = ChecksummedLine::Number(field);
    if (!minutes || !std::isfinite(*minutes) || *minutes < 0)
        return std::nullopt;
    return minutes;
}

// Makes one recorded change again through the operation that made it; false when the line is not
// a change or no longer applies (an item it names is not there).
bool replay(ModClock &state, const QStringList &f)
{
    const QString &kind = f.value(0);
    if (kind == kAdd && f.size() == 6) {
        const QDateTime at = ChecksummedLine::Instant(f[1]);
        const std::optional<double> minutes = ChecksummedLine::Number(f[4]);
        const std::optional<bool> startNow = flag(f[5]);
        return at.isValid() && minutes && startNow && state.AddItem(NewItem {f[2], f[3], *minutes, *startNow}, at) != 0;
    }
    // An end written before ends kept their minutes has none: its minutes come from the instants.
    if ((kind == kStart && f.size() == 3) || (kind == kEnd && (f.size() == 3 || f.size() == 4))) {
        const QDateTime at = ChecksummedLine::Instant(f[1]);
        const int pos = positionOf(state, f[2]);
        const std::optional<double> booked = f.size() == 4 ? bookedMinutes(f[3]) : std::nullopt;
        if (!at.isValid() || pos == 0 || (f.size() == 4 && !booked))
            return false;
        state.Select(pos);
        if (kind == kStart)
            TimingOperations::StartTimer(state, at);
        else
            TimingOperations::EndTimer(state, at, booked);
        return true;
    }
    if (kind == kRemove && f.size() == 2) {
        const int pos = positionOf(state, f[1]);
        return pos != 0 && state.RemoveItem(pos);
    }
    // A stop all names each item it ended with the minutes it booked; the items are ended with
    // those first, and whatever else still runs then as the stop always did.
    if (kind == kAll && f.size() >= 3 && f.size() % 2 == 1) {
        const QDateTime at = ChecksummedLine::Instant(f[1]);
        const std::optional<bool> started = flag(f[2]);
        if (!at.isValid() || !started)
            return false;
        std::vector<std::pair<int, double>> ended;
        for (qsizetype k = 3; k < f.size(); k += 2) {
            const std::optional<double> booked = bookedMinutes(f[k + 1]);
            if (!booked)
                return false;
            ended.emplace_back(positionOf(state, f[k]), *booked);
        }
        for (const auto &[pos, booked] : ended) {
            state.Select(pos);
            TimingOperations::EndTimer(state, at, booked);
        }
        TimingOperations::SetTimer(state, *started, at);
        return true;
    }
    return false;
}

} // namespace

ItemJournal::ItemJournal(QString path) : m_path(std::move(path)), m_file(m_path)
{ }

ItemJournal::~ItemJournal() = default;

QString ItemJournal::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/items.journal");
}

void ItemJournal::Added(const NewItem &item, const QDateTime &at)
{
    append({kAdd, ChecksummedLine::InstantField(at), item.name, item.scheme, ChecksummedLine::NumberField(item.minutes),
            item.startNow ? QStringLiteral("1") : QStringLiteral("0")});
}

void ItemJournal::Started(const QString &name, const QDateTime &at)
{
    append({kStart, ChecksummedLine::InstantField(at), name});
}

void ItemJournal::Ended(const QString &name, const QDateTime &at, double minutes)
{
    append({kEnd, ChecksummedLine::InstantField(at), name, ChecksummedLine::NumberField(minutes)});
}

void ItemJournal::Removed(const QString &name)
{
    append({kRemove, name});
}

void ItemJournal::AllTimed(bool started, const QDateTime &at, const Booked &ended)
{
    QStringList fields {kAll, ChecksummedLine::InstantField(at), started ? QStringLiteral("1") : QStringLiteral("0")};
    for (const auto &[name, minutes] : ended)
        fields << name << ChecksummedLine::NumberField(minutes);
    append(fields);
}

void ItemJournal::append(const QStringList &fields)
{
    // A change that could not be written is tried no more; timing goes on either way.
    const bool written = m_file.Append(ChecksummedLine::Encode(fields));
    if (!written && !m_failing && onFailure)
        onFailure(m_path);
    m_failing = !written;
}

bool ItemJournal::Found() const
{
    return QFileInfo(m_path).size() > 0;
}

ItemJournal::Restored ItemJournal::Restore(ModClock &state, const Moment &now)
{
    Restored r;
    m_file.Close();
    QFile in(m_path);
    if (!in.open(QIODevice::ReadOnly))
        return r;
    const QByteArray content = in.readAll();
    in.close();

    // Replaying through the operations must not record the changes a second time.
    ItemJournal *const recording = std::exchange(state.journal, nullptr);
    // Sessions replayed here were booked in the day's ledger when they first ended.
    DayLedger *const ledger = std::exchange(state.ledger, nullptr);
    QByteArray kept;
    for (const QByteArray &line : content.split('\n')) {
        if (line.isEmpty())
            continue;
        const std::optional<QStringList> fields = ChecksummedLine::Decode(line);
        if (fields && replay(state, *fields)) {
            ++r.entries;
            kept += line + '\n';
        } else {
            ++r.skipped;
        }
    }
    state.journal = recording;
    state.ledger = ledger;
    // The current item is the operator's choice in this run, not something to bring back.
    state.itmSelected = QPersistentModelIndex();

    // Sessions still running went on while the program was down: their rows show the bill now.
    TimingOperations::AnchorRunning(state, now);
    for (int i = 1; i <= state.lngItems; ++i)
        if (state.cRunning.Value(i, false))
            TimingOperations::ShowMinutes(state, i, TimingOperations::RunningMinutes(state, i, now), now.wall.time());

    // Written beside and renamed over: a cut now leaves the old file or the new one. Later lines
    // go to the new one, so its name must be on the disk before them.
    DurableFile::Replace(m_path, kept);
    return r;
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
