#include "timing/JournalReader.h"

#include "timing/AmountDue.h"
#include "timing/ChecksummedLine.h"
#include "timing/DayLedger.h"
#include "timing/JournalLineKinds.h"
#include "timing/ModClock.h"

#include <vector>

using namespace JournalLines;

namespace {

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

// An elapsed clock's reading: milliseconds since its boot, never negative, and no more than a
// machine could have been up for (as long as the longest bill), so that sums of them cannot overflow.
std::optional<qint64> elapsedField(const QString &field)
{
    bool ok = false;
    const qint64 ms = field.toLongLong(&ok);
    constexpr qint64 kMostMs = qint64(ChecksummedLine::kMostMinutes) * 60000;
    return ok && ms >= 0 && ms <= kMostMs ? std::optional<qint64>(ms) : std::nullopt;
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

} // namespace

JournalReader::JournalReader(ModClock &state, const QDateTime &begun, const QDateTime &now, DayLedger *ledger)
    : m_state(state), m_begun(begun), m_latest(now.addSecs(60)), m_ledger(ledger)
{ }

std::optional<ClockReading> JournalReader::clockReading(const QStringList &f)
{
    const QDateTime wall = ChecksummedLine::instant(f.value(1));
    const std::optional<qint64> elapsed = elapsedField(f.value(2));
    if (f.size() != 4 || f[0] != kClock || !wall.isValid() || !elapsed)
        return std::nullopt;
    return ClockReading {wall, *elapsed, f[3]};
}

QDateTime JournalReader::instant(const QString &field) const
{
    return ChecksummedLine::instant(field, m_begun, m_latest);
}

Moment JournalReader::moment(const QString &field) const
{
    if (!m_reading)
        return Moment(instant(field));
    const QDateTime at = ChecksummedLine::instant(field);
    if (!at.isValid())
        return Moment();
    return Moment(at, m_reading->elapsedMs + m_reading->wall.msecsTo(at));
}

bool JournalReader::replay(const QStringList &f)
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
    if (kind == kLeft && (f.size() == 6 || f.size() == 7))
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
    if (kind == kGone && f.size() == 2) {
        bool ok = false;
        const int count = f[1].toInt(&ok);
        if (!ok || count < 1)
            return false;
        m_state.countAdded(count);
        return true;
    }
    if (kind == kGoods && f.size() == 6) {
        bool ok = false;
        const GoodsLine sold {f[3], ChecksummedLine::number(f[4]).value_or(-1), f[5].toInt(&ok)};
        return ok && moment(f[1]).wall.isValid()
            && m_state.addGoods(m_state.cName.indexOfKey(f[2]), sold, moment(f[1]));
    }
    if (kind == kMove && f.size() == 4) {
        const Moment at = moment(f[1]);
        const int pos = m_state.cName.indexOfKey(f[2]);
        return at.wall.isValid() && pos != 0 && m_state.moveTo(pos, f[3], at).isEmpty();
    }
    if (kind == kBands && f.size() >= 6)
        return bands(f);
    // Both clocks as the restore that wrote it read them: complete on its own.
    if (kind == kAnchor && f.size() == 4) {
        const QDateTime wall = ChecksummedLine::instant(f[1]);
        const std::optional<qint64> elapsed = elapsedField(f[2]);
        return wall.isValid() && elapsed && m_state.anchorAt(m_state.cName.indexOfKey(f[3]), Moment(wall, elapsed));
    }
    return false;
}

bool JournalReader::bands(const QStringList &f)
{
    using ChecksummedLine::kMostMinutes;
    if (!moment(f[1]).wall.isValid())
        return false;
    ItemBands b;
    const std::optional<double> banded = ChecksummedLine::number(f[3], 0, kMostMinutes);
    bool ok = false;
    b.band = f[4].toInt(&ok);
    if (!banded || !ok)
        return false;
    b.sessionBanded = *banded;
    for (qsizetype k = 5; k < f.size(); ++k) {
        // Minutes typed in before the add may be negative, as the bill's own may.
        const std::optional<double> minutes = ChecksummedLine::number(f[k], -kMostMinutes, kMostMinutes);
        if (!minutes)
            return false;
        b.minutes.append(*minutes);
    }
    return m_state.restoreBands(m_state.cName.indexOfKey(f[2]), b);
}

bool JournalReader::limit(const QStringList &f)
{
    const Moment at = moment(f[1]);
    const int pos = m_state.cName.indexOfKey(f[2]);
    const std::optional<ItemLimit::Kind> kind = ItemLimit::kindOf(f[3]);
    const std::optional<double> amount = ChecksummedLine::number(f[4]);
    const std::optional<bool> endAtLimit = flag(f[5]);
    return at.wall.isValid() && pos != 0 && kind && amount && endAtLimit
        && m_state.setLimit(pos, *kind, *amount, *endAtLimit, at, true).isEmpty();
}

bool JournalReader::left(const QStringList &f)
{
    const Moment at = moment(f[1]);
    const int pos = m_state.cName.indexOfKey(f[2]);
    const std::optional<How> h = how(f[3]);
    const std::optional<double> minutes =
        ChecksummedLine::number(f[4], -ChecksummedLine::kMostMinutes, ChecksummedLine::kMostMinutes);
    const std::optional<double> fee = ChecksummedLine::number(f[5]);
    const std::optional<QList<double>> bands =
        f.size() == 7 ? ChecksummedLine::minutesList(f[6]) : std::optional<QList<double>>(QList<double>());
    if (!at.wall.isValid() || pos == 0 || !h || !minutes || !fee || !AmountDue::rounded(*fee) || !bands)
        return false;
    const Item item = m_state.lvwMain.at(pos);
    m_state.remove(pos);
    // Booked again just as the run booked it, so that the ledger reads the two as one.
    if (m_ledger)
        m_ledger->left(ItemBill {item.name, item.scheme, *minutes, *fee, item.limit, *bands, {}, item.goods}, *h,
                       at.wall);
    return true;
}
