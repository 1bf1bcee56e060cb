#include "timing/DayLedger.h"

#include "timing/AmountDue.h"
#include "timing/ChecksummedLine.h"
#include "timing/DurableFile.h"
#include "timing/ModClock.h"
#include "timing/TimeText.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStandardPaths>

#include <optional>

namespace {

const QString kSession = QStringLiteral("session");
const QString kLeft = QStringLiteral("left");
const QString kGoods = QStringLiteral("goods");
const QString kShift = QStringLiteral("shift");
const QString kHandOver = QStringLiteral("handover");
// How an item left: only removed, ended and reported, or with the program.
const QString kRemoved = QStringLiteral("0");
const QString kEnded = QStringLiteral("1");
const QString kAtExit = QStringLiteral("2");

// The field pair of a limit: its kind and amount. The bill is what a line is read for: a limit
// this program would not have written is left out, not the whole line.
QStringList limitFields(const ItemLimit &limit)
{
    if (!limit.isSet())
        return {};
    return {ItemLimit::kindField(limit.kind), ChecksummedLine::numberField(limit.amount)};
}

ItemLimit limitOf(const QString &kind, const QString &amount)
{
    // recorded() leaves out a kind of none: a leaving line only carries a limit that was set.
    const std::optional<double> value = ChecksummedLine::number(amount);
    const std::optional<ItemLimit::Kind> known = ItemLimit::kindOf(kind);
    const std::optional<ItemLimit> limit = value && known ? ItemLimit::recorded(*known, *value) : std::nullopt;
    return limit.value_or(ItemLimit());
}

// The instants a day's lines may name. In UTC: comparing with a local time asks the system's
// time zone every time, and a year of lines would wait on that rather than on the disk.
struct DayBounds {
    QDateTime dayStart;
    QDateTime last;

    DayBounds(const QDate &day, const QDateTime &latest)
        : dayStart(day.startOfDay().toUTC()), last(day.addDays(1).startOfDay().addMSecs(-1).toUTC())
    {
        if (latest.isValid() && latest < last)
            last = latest.toUTC();
    }
};

// The entry a line holds, or nothing when it holds none this program could have written on that
// day: its instant on another day or after the moment of reading, or its numbers out of range.
std::optional<LedgerEntry> entry(const QStringList &f, const DayBounds &bounds)
{
    using ChecksummedLine::kMostMinutes;
    const QDateTime &dayStart = bounds.dayStart;
    const QDateTime &last = bounds.last;
    LedgerEntry e;
    if (f.value(0) == kSession && f.size() == 6) {
        e.kind = LedgerEntry::Kind::Session;
        e.end = ChecksummedLine::instant(f[2], dayStart, last);
        e.name = f[3];
        e.scheme = f[4];
        const std::optional<double> minutes = ChecksummedLine::number(f[5], 0, kMostMinutes);
        if (!e.end.isValid() || !minutes)
            return std::nullopt;
        // A session may have started days before it ended, but no earlier than its minutes say,
        // give or take a day for a clock set while it ran.
        constexpr qint64 kDaySecs = 24 * 60 * 60;
        e.start = ChecksummedLine::instant(f[1], e.end.addSecs(-qint64(*minutes * 60) - kDaySecs), last);
        if (!e.start.isValid())
            return std::nullopt;
        e.minutes = *minutes;
        return e;
    }
    // Lines written before items had limits have none.
    if (f.value(0) == kLeft && f.size() >= 7 && f.size() <= 10) {
        e.kind = LedgerEntry::Kind::Left;
        e.end = ChecksummedLine::instant(f[1], dayStart, last);
        e.name = f[2];
        e.scheme = f[3];
        // Minutes typed in before the item was added may be negative.
        const std::optional<double> minutes = ChecksummedLine::number(f[5], -kMostMinutes, kMostMinutes);
        // A fee is taken only when it has an amount due: one beyond the fen a double holds would
        // leave the whole day's total without one.
        const std::optional<double> fee = ChecksummedLine::number(f[6]);
        if (!e.end.isValid() || (f[4] != kRemoved && f[4] != kEnded && f[4] != kAtExit) || !minutes || !fee
            || !AmountDue::rounded(*fee))
            return std::nullopt;
        e.ended = f[4] == kEnded;
        e.atExit = f[4] == kAtExit;
        e.minutes = *minutes;
        e.fee = *fee;
        if (f.size() >= 9)
            e.limit = limitOf(f[7], f[8]);
        if (f.size() % 2 == 0) {
            const std::optional<QList<double>> bands = ChecksummedLine::minutesList(f.last());
            if (!bands)
                return std::nullopt;
            e.bands = *bands;
        }
        return e;
    }
    if (f.value(0) == kGoods && f.size() == 6) {
        e.kind = LedgerEntry::Kind::Goods;
        e.end = ChecksummedLine::instant(f[1], dayStart, last);
        e.name = f[2];
        bool ok = false;
        e.goods = GoodsLine {f[3], ChecksummedLine::number(f[4]).value_or(-1), f[5].toInt(&ok)};
        if (!e.end.isValid() || !ok || !e.goods.valid())
            return std::nullopt;
        e.fee = e.goods.amount();
        return e;
    }
    if (f.value(0) == kShift && f.size() == 3) {
        e.kind = LedgerEntry::Kind::ShiftBegan;
        e.end = ChecksummedLine::instant(f[1], dayStart, last);
        e.name = f[2];
        return e.end.isValid() ? std::optional(e) : std::nullopt;
    }
    if (f.value(0) == kHandOver && f.size() == 4) {
        e.kind = LedgerEntry::Kind::HandedOver;
        e.end = ChecksummedLine::instant(f[1], dayStart, last);
        e.name = f[2];
        // A shift may begin later than it was handed over by the clock, when the clock ran fast
        // and was put right meanwhile; no later than a day, nor earlier than a shift is looked for.
        e.start = e.end.isValid() ? ChecksummedLine::instant(f[3], e.end.addDays(-64), e.end.addDays(1)) : QDateTime();
        return e.start.isValid() ? std::optional(e) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

int LedgerDay::itemsLeft() const
{
    int count = 0;
    for (const LedgerEntry &e : entries)
        count += e.kind == LedgerEntry::Kind::Left ? 1 : 0;
    return count;
}

double LedgerDay::minutes() const
{
    double sum = 0;
    for (const LedgerEntry &e : entries)
        if (e.kind == LedgerEntry::Kind::Left)
            sum += e.minutes;
    return TimeText::roundMinutes(sum);
}

double LedgerDay::fees() const
{
    double sum = 0;
    for (const LedgerEntry &e : entries)
        if (e.kind == LedgerEntry::Kind::Left)
            sum += e.fee;
    return sum;
}

DayLedger::DayLedger(QString folder) : m_folder(std::move(folder))
{ }

QString DayLedger::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/ledger");
}

QString DayLedger::pathFor(const QDate &day) const
{
    return m_folder + u'/' + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".log");
}

void DayLedger::booked(const QString &name, const QString &scheme, const QDateTime &start, const QDateTime &end,
                       double minutes)
{
    append(end,
           {kSession, ChecksummedLine::instantField(start), ChecksummedLine::instantField(end), name, scheme,
            ChecksummedLine::numberField(minutes)});
}

void DayLedger::left(const QString &name, const QString &scheme, bool ended, double minutes, double fee,
                     const QDateTime &at, const ItemLimit &limit)
{
    left(ItemBill {name, scheme, minutes, fee, limit, {}, {}, {}}, ended ? LeaveHow::Ended : LeaveHow::Removed, at);
}

void DayLedger::leftAtExit(const QString &name, const QString &scheme, double minutes, double fee, const QDateTime &at,
                           const ItemLimit &limit)
{
    left(ItemBill {name, scheme, minutes, fee, limit, {}, {}, {}}, LeaveHow::AtExit, at);
}

void DayLedger::append(const QDateTime &at, const QStringList &fields)
{
    m_pending[at.toLocalTime().date()] += ChecksummedLine::encode(fields);
    if (m_batchDepth == 0)
        flush();
}

void DayLedger::flush()
{
    bool written = true;
    QString failedPath;
    for (auto day = m_pending.begin(); day != m_pending.end();) {
        m_file.setPath(pathFor(day.key()));
        if (m_file.append(day.value())) {
            day = m_pending.erase(day);
            continue;
        }
        // Kept and tried again with the next line: a disk that was full may have room by then.
        // Lines that did reach the disk before the failure come twice; reading keeps one of each.
        written = false;
        failedPath = m_file.path();
        ++day;
    }
    if (!written && !m_failing && onFailure)
        onFailure(failedPath);
    m_failing = !written;
}

void DayLedger::follow(ModClock &state)
{
    QObject *const to = &m_listener;
    QObject::connect(&state, &ModClock::ended, to, [this](const BookedSession &s, const QDateTime &at) {
        booked(s.name, s.scheme, s.start, at, s.minutes);
    });
    QObject::connect(&state, &ModClock::allTimed, to,
                     [this](bool, const QDateTime &at, const QList<BookedSession> &ended) {
                         const Batch sessions(this);
                         for (const BookedSession &s : ended)
                             booked(s.name, s.scheme, s.start, at, s.minutes);
                     });
    QObject::connect(&state, &ModClock::left, to,
                     [this](const QList<ItemBill> &bills, LeaveHow how, const QDateTime &at) {
                         const Batch leaving(this);
                         for (const ItemBill &b : bills)
                             left(b, how, at);
                     });
}

void DayLedger::left(const ItemBill &b, LeaveHow how, const QDateTime &at)
{
    const QString howField = how == LeaveHow::AtExit ? kAtExit : how == LeaveHow::Ended ? kEnded : kRemoved;
    QStringList fields = QStringList {kLeft, ChecksummedLine::instantField(at), b.name, b.scheme, howField,
                                      ChecksummedLine::numberField(b.minutes), ChecksummedLine::numberField(b.fee)}
        + limitFields(b.limit);
    // A scheme priced by the hour adds the minutes of each band; without them the line is as it
    // always was.
    if (!b.bands.isEmpty())
        fields << ChecksummedLine::minutesListField(b.bands);
    const Batch withGoods(this);
    append(at, fields);
    // The goods follow their item's line, each on its own; the item's fee stays the time's alone.
    for (const GoodsLine &g : b.goods)
        append(at,
               {kGoods, ChecksummedLine::instantField(at), b.name, g.name, ChecksummedLine::numberField(g.price),
                QString::number(g.quantity)});
}

void DayLedger::shiftBegan(const Shift &shift)
{
    append(shift.from, {kShift, ChecksummedLine::instantField(shift.from), shift.operatorName});
}

void DayLedger::handedOver(const Shift &shift)
{
    append(shift.to,
           {kHandOver, ChecksummedLine::instantField(shift.to), shift.operatorName,
            ChecksummedLine::instantField(shift.from)});
}

LedgerDay DayLedger::read(const QDate &day, const QDateTime &readAt) const
{
    LedgerDay d;
    d.date = day;
    const LedgerScan read = scan(day, readAt, [&d](LedgerEntry &&e) { d.entries.push_back(std::move(e)); });
    d.skipped = read.skipped;
    d.unreadable = read.unreadable;
    if (d.unreadable)
        d.entries.clear();
    return d;
}

LedgerScan DayLedger::scan(const QDate &day, const QDateTime &readAt, const std::function<void(LedgerEntry &&)> &take,
                           const LedgerReadControl *control) const
{
    LedgerScan s;
    QFile file;
    switch (DurableFile::openRegular(pathFor(day), file)) {
    case DurableFile::Opened::Missing: return s;
    case DurableFile::Opened::Unreadable: s.unreadable = true; return s;
    case DurableFile::Opened::Open: break;
    }
    // A minute's grace: the clock that wrote a line may run a little ahead of the one reading it.
    const QDateTime latest = readAt.isValid() ? readAt.addSecs(60) : QDateTime();
    const DayBounds bounds(day, latest);
    // Every line names an instant to the millisecond, so two equal lines are one written twice.
    // Only their hashes are kept: a day of millions of lines must not hold them all.
    QSet<size_t> seen;
    const size_t seed = QHashSeed::globalSeed();
    const auto look = [&](QByteArrayView line) {
        if (line.isEmpty())
            return;
        const qsizetype before = seen.size();
        seen.insert(qHash(line, seed));
        if (seen.size() == before)
            return;
        const std::optional<QStringList> fields = ChecksummedLine::decode(line);
        std::optional<LedgerEntry> e = fields ? entry(*fields, bounds) : std::nullopt;
        if (!e) {
            ++s.skipped;
            return;
        }
        ++s.entries;
        take(std::move(*e));
    };
    // Longer than any line this program writes: such a line is skipped without being held whole.
    constexpr qsizetype kLongestLine = 1 << 20;
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    QByteArray carry; // the start of a line the last chunk cut
    bool overlong = false; // the rest of an over-long line is being passed over
    for (;;) {
        if (control && control->cancel.load(std::memory_order_relaxed)) {
            s.cancelled = true;
            return s;
        }
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0) {
            s.unreadable = true;
            return s;
        }
        if (n == 0)
            break;
        QByteArrayView rest(chunk.constData(), qsizetype(n));
        for (qsizetype nl = rest.indexOf('\n'); nl >= 0; nl = rest.indexOf('\n')) {
            if (overlong) {
                overlong = false;
                ++s.skipped;
            } else if (carry.isEmpty()) {
                look(rest.first(nl));
            } else {
                carry += rest.first(nl);
                look(carry);
                carry.clear();
            }
            rest = rest.sliced(nl + 1);
        }
        if (!overlong) {
            carry += rest;
            overlong = carry.size() > kLongestLine;
            if (overlong)
                carry.clear();
        }
    }
    if (overlong)
        ++s.skipped;
    else
        look(carry); // a last line without its end: cut short by a crash
    return s;
}
