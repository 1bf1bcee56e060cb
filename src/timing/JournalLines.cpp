#include "timing/JournalLines.h"

#include "timing/ChecksummedLine.h"
#include "timing/DayLedger.h"
#include "timing/ModClock.h"

#include <optional>
#include <vector>

namespace JournalLines {

namespace {

const QString kBegin = QStringLiteral("begin");
const QString kAlive = QStringLiteral("alive");
const QString kAdd = QStringLiteral("add");
const QString kStart = QStringLiteral("start");
const QString kEnd = QStringLiteral("end");
const QString kRemove = QStringLiteral("remove");
const QString kLeft = QStringLiteral("left");
const QString kAll = QStringLiteral("all");
const QString kLimit = QStringLiteral("limit");
const QString kTold = QStringLiteral("told");
const QString kClock = QStringLiteral("clock");
const QString kAnchor = QStringLiteral("anchor");

QString flagField(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

std::optional<bool> flag(const QString &text)
{
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

// Minutes a session booked, read back.
std::optional<double> bookedMinutes(const QString &field)
{
    return ChecksummedLine::number(field, 0, ChecksummedLine::kMostMinutes);
}

// An elapsed clock's reading: milliseconds since its boot, never negative.
std::optional<qint64> elapsedField(const QString &field)
{
    bool ok = false;
    const qint64 ms = field.toLongLong(&ok);
    return ok && ms >= 0 ? std::optional<qint64>(ms) : std::nullopt;
}

std::optional<ClockReading> clockReading(const QStringList &f)
{
    const QDateTime wall = ChecksummedLine::instant(f.value(1));
    const std::optional<qint64> elapsed = elapsedField(f.value(2));
    if (f.size() != 4 || f[0] != kClock || !wall.isValid() || !elapsed)
        return std::nullopt;
    return ClockReading {wall, *elapsed, f[3]};
}

std::optional<How> how(const QString &text)
{
    if (text == QLatin1String("0"))
        return How::Removed;
    if (text == QLatin1String("1"))
        return How::Ended;
    if (text == QLatin1String("2"))
        return How::AtExit;
    return std::nullopt;
}

// Reads lines back with the bounds of one journal: nothing before it began, nothing after the
// moment of reading but for a minute's grace.
class Reader {
public:
    Reader(ModClock &state, const QDateTime &begun, const QDateTime &now, DayLedger *ledger)
        : m_state(state), m_begun(begun), m_latest(now.addSecs(60)), m_ledger(ledger)
    { }

    QDateTime instant(const QString &field) const { return ChecksummedLine::instant(field, m_begun, m_latest); }

    // The clocks read right before the line now being replayed was written, if they were.
    void setReading(const std::optional<ClockReading> &reading) { m_reading = reading; }
    // An instant of the line being replayed, with where the elapsed clock stood then when the
    // clocks were read with it. Such an instant is taken as written: the wall clock may have been
    // wrong, and the elapsed clock tells the time that passed.
    Moment moment(const QString &field) const
    {
        if (!m_reading)
            return Moment(instant(field));
        const QDateTime at = ChecksummedLine::instant(field);
        if (!at.isValid())
            return Moment();
        return Moment(at, m_reading->elapsedMs + m_reading->wall.msecsTo(at));
    }

    // Makes one recorded change again through the operation that made it; false when the line is
    // not a change, holds what this program never writes, or no longer applies.
    bool replay(const QStringList &f)
    {
        const QString &kind = f.value(0);
        if (kind == kAdd && f.size() == 6) {
            const Moment at = moment(f[1]);
            // Typed-in minutes may be negative: the new-items dialog takes them as they are.
            const std::optional<double> minutes =
                ChecksummedLine::number(f[4], -ChecksummedLine::kMostMinutes, ChecksummedLine::kMostMinutes);
            const std::optional<bool> startNow = flag(f[5]);
            return at.wall.isValid() && minutes && startNow
                && m_state.add(NewItem {f[2], f[3], *minutes, *startNow}, at) != 0;
        }
        // An end written before ends kept their minutes has none: its minutes come from the instants.
        if ((kind == kStart && f.size() == 3) || (kind == kEnd && (f.size() == 3 || f.size() == 4))) {
            const Moment at = moment(f[1]);
            const int pos = m_state.cName.indexOfKey(f[2]);
            const std::optional<double> booked = f.size() == 4 ? bookedMinutes(f[3]) : std::nullopt;
            if (!at.wall.isValid() || pos == 0 || (f.size() == 4 && !booked))
                return false;
            if (kind == kStart)
                m_state.startTiming(pos, at);
            else
                m_state.endTiming(pos, at, booked);
            return true;
        }
        if (kind == kRemove && f.size() == 2) {
            const int pos = m_state.cName.indexOfKey(f[1]);
            return pos != 0 && m_state.remove(pos);
        }
        if (kind == kLeft && f.size() == 6)
            return left(f);
        if (kind == kLimit && f.size() == 6)
            return limit(f);
        // Told once in the run that recorded it, never again on a restore.
        if (kind == kTold && f.size() >= 3) {
            if (!moment(f[1]).wall.isValid())
                return false;
            bool any = false;
            for (qsizetype k = 2; k < f.size(); ++k)
                if (const int pos = m_state.cName.indexOfKey(f[k]); pos != 0) {
                    m_state.markLimitTold(pos);
                    any = true;
                }
            return any;
        }
        // A stop all names each item it ended with the minutes it booked; the items are ended with
        // those first, and whatever else still runs then as the stop always did.
        if (kind == kAll && f.size() >= 3 && f.size() % 2 == 1) {
            const Moment at = moment(f[1]);
            const std::optional<bool> started = flag(f[2]);
            if (!at.wall.isValid() || !started)
                return false;
            std::vector<std::pair<int, double>> ended;
            for (qsizetype k = 3; k < f.size(); k += 2) {
                const std::optional<double> booked = bookedMinutes(f[k + 1]);
                if (!booked)
                    return false;
                ended.emplace_back(m_state.cName.indexOfKey(f[k]), *booked);
            }
            for (const auto &[pos, booked] : ended)
                m_state.endTiming(pos, at, booked);
            m_state.setAll(*started, at);
            return true;
        }
        // Both clocks as the restore that wrote it read them: complete on its own.
        if (kind == kAnchor && f.size() == 4) {
            const QDateTime wall = ChecksummedLine::instant(f[1]);
            const std::optional<qint64> elapsed = elapsedField(f[2]);
            return wall.isValid() && elapsed && m_state.anchorAt(m_state.cName.indexOfKey(f[3]), Moment(wall, elapsed));
        }
        return false;
    }

private:
    // A limit is set again as the run set it; a number it would refuse (not finite, not above 0,
    // beyond any bill) was not written by this program.
    bool limit(const QStringList &f)
    {
        const Moment at = moment(f[1]);
        const int pos = m_state.cName.indexOfKey(f[2]);
        const std::optional<ItemLimit::Kind> kind = ItemLimit::kindOf(f[3]);
        const std::optional<double> amount = ChecksummedLine::number(f[4]);
        const std::optional<bool> endAtLimit = flag(f[5]);
        return at.wall.isValid() && pos != 0 && kind && amount && endAtLimit
            && m_state.setLimit(pos, *kind, *amount, *endAtLimit, at, true).isEmpty();
    }

    bool left(const QStringList &f)
    {
        const Moment at = moment(f[1]);
        const int pos = m_state.cName.indexOfKey(f[2]);
        const std::optional<How> h = how(f[3]);
        const std::optional<double> minutes =
            ChecksummedLine::number(f[4], -ChecksummedLine::kMostMinutes, ChecksummedLine::kMostMinutes);
        const std::optional<double> fee = ChecksummedLine::number(f[5]);
        if (!at.wall.isValid() || pos == 0 || !h || !minutes || !fee)
            return false;
        const Item item = m_state.lvwMain.at(pos);
        m_state.remove(pos);
        if (m_ledger)
            m_ledger->left(ItemBill {item.name, item.scheme, *minutes, *fee, item.limit}, *h, at.wall);
        return true;
    }

    ModClock &m_state;
    QDateTime m_begun;
    QDateTime m_latest;
    DayLedger *m_ledger;
    std::optional<ClockReading> m_reading;
};

} // namespace

QStringList added(const NewItem &item, const QDateTime &at)
{
    return {kAdd,        ChecksummedLine::instantField(at),          item.name,
            item.scheme, ChecksummedLine::numberField(item.minutes), flagField(item.startNow)};
}

QStringList started(const QString &name, const QDateTime &at)
{
    return {kStart, ChecksummedLine::instantField(at), name};
}

QStringList ended(const QString &name, const QDateTime &at, double minutes)
{
    return {kEnd, ChecksummedLine::instantField(at), name, ChecksummedLine::numberField(minutes)};
}

QStringList removed(const QString &name)
{
    return {kRemove, name};
}

QStringList allTimed(bool started, const QDateTime &at, const QList<std::pair<QString, double>> &ended)
{
    QStringList fields {kAll, ChecksummedLine::instantField(at), flagField(started)};
    for (const auto &[name, minutes] : ended)
        fields << name << ChecksummedLine::numberField(minutes);
    return fields;
}

QStringList limit(const QString &name, const ItemLimit &limit, const QDateTime &at)
{
    return {kLimit,
            ChecksummedLine::instantField(at),
            name,
            ItemLimit::kindField(limit.kind),
            ChecksummedLine::numberField(limit.amount),
            flagField(limit.endAtLimit)};
}

QStringList told(const QStringList &names, const QDateTime &at)
{
    return QStringList {kTold, ChecksummedLine::instantField(at)} + names;
}

QStringList begin(const QDateTime &at)
{
    return {kBegin, ChecksummedLine::instantField(at)};
}

QStringList alive(const QDateTime &at)
{
    return {kAlive, ChecksummedLine::instantField(at)};
}

QStringList clock(const ClockReading &reading)
{
    return {kClock, ChecksummedLine::instantField(reading.wall), QString::number(reading.elapsedMs), reading.boot};
}

QStringList anchor(const QString &name, const Moment &anchor)
{
    return {kAnchor, ChecksummedLine::instantField(anchor.wall), QString::number(anchor.elapsedMs.value_or(0)), name};
}

QStringList left(const QString &name, How how, double minutes, double fee, const QDateTime &at)
{
    return {kLeft,
            ChecksummedLine::instantField(at),
            name,
            QString::number(int(how)),
            ChecksummedLine::numberField(minutes),
            ChecksummedLine::numberField(fee)};
}

QByteArray snapshot(const ModClock &state, const QDateTime &begun, const QDateTime &at,
                    const std::optional<ClockReading> &now)
{
    QDateTime first = begun.isValid() && begun < at ? begun : at;
    for (int i = 1; i <= state.lvwMain.count(); ++i) {
        const OrderedList<QDateTime> &starts = state.lvwMain.at(i).record.cStart;
        if (starts.count() > 0 && starts.item(1) < first)
            first = starts.item(1);
    }
    QByteArray lines = ChecksummedLine::encode(begin(first));
    for (int i = 1; i <= state.lvwMain.count(); ++i) {
        const Item &item = state.lvwMain.at(i);
        const clsSave &r = item.record;
        const QDateTime addedAt = r.cStart.count() > 0 ? r.cStart.item(1) : at;
        lines += ChecksummedLine::encode(added(NewItem {item.name, item.scheme, item.typedIn, false}, addedAt));
        for (int k = 1; k <= r.cStart.count(); ++k) {
            lines += ChecksummedLine::encode(started(item.name, r.cStart.item(k)));
            if (k <= r.cEnd.count())
                lines += ChecksummedLine::encode(ended(item.name, r.cEnd.item(k), r.cTime.value(k, 0.0)));
        }
        if (item.limit.isSet())
            lines += ChecksummedLine::encode(limit(item.name, item.limit, at));
        if (item.limit.told)
            lines += ChecksummedLine::encode(told({item.name}, at));
    }
    if (!now)
        return lines;
    // The sessions in progress keep counting real time, as they did before the lines went missing.
    for (int i = 1; i <= state.lvwMain.count(); ++i)
        if (const Item &item = state.lvwMain.at(i); item.running && item.anchor.elapsedMs)
            lines += ChecksummedLine::encode(anchor(item.name, item.anchor));
    return lines + ChecksummedLine::encode(clock(*now));
}

Replayed replay(ModClock &state, const QByteArray &content, const QDateTime &begun, const QDateTime &now,
                DayLedger *ledger)
{
    Replayed r;
    r.begun = begun;
    const QList<QByteArray> lines = content.split('\n');
    // The journal's own beginning bounds every instant in it; one that claims to begin after the
    // moment of reading is no beginning.
    for (const QByteArray &line : lines) {
        const std::optional<QStringList> f = line.isEmpty() ? std::nullopt : ChecksummedLine::decode(line);
        if (f && f->size() == 2 && f->at(0) == kBegin) {
            const QDateTime at = ChecksummedLine::instant(f->at(1), QDateTime(), now.addSecs(60));
            if (at.isValid()) {
                r.begun = at;
                r.kept = line + '\n';
            }
            break;
        }
    }
    Reader reader(state, r.begun, now, ledger);
    QByteArray readingLine; // the clocks read for the line that follows, kept with it
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        const std::optional<QStringList> f = ChecksummedLine::decode(line);
        if (f && f->value(0) == kClock) {
            const std::optional<ClockReading> reading = clockReading(*f);
            reader.setReading(reading);
            readingLine = reading ? line + '\n' : QByteArray();
            if (reading)
                r.last = reading;
            else
                ++r.skipped;
            continue;
        }
        if (f && f->size() == 2 && (f->at(0) == kBegin || f->at(0) == kAlive)) {
            const QDateTime at = reader.moment(f->at(1)).wall;
            if (at.isValid() && f->at(0) == kAlive && (!r.lastAlive.isValid() || at > r.lastAlive))
                r.lastAlive = at;
            if (!at.isValid())
                ++r.skipped;
        } else if (f && reader.replay(*f)) {
            ++r.entries;
            r.kept += readingLine + line + '\n';
            const QDateTime at = f->size() > 1 ? reader.moment(f->at(1)).wall : QDateTime();
            if (at.isValid() && (!r.lastAlive.isValid() || at > r.lastAlive))
                r.lastAlive = at;
        } else {
            ++r.skipped;
        }
        // A reading belongs to the one line written right behind it.
        reader.setReading(std::nullopt);
        readingLine.clear();
    }
    return r;
}

} // namespace JournalLines
