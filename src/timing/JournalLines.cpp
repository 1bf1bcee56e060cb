#include "timing/JournalLines.h"

#include "timing/ChecksummedLine.h"
#include "timing/JournalReader.h"
#include "timing/ModClock.h"

#include <optional>
#include <vector>

namespace JournalLines {

namespace {

QString flagField(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

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

QStringList bands(const QString &name, const ItemBands &bands, const QDateTime &at)
{
    QStringList fields {kBands, ChecksummedLine::instantField(at), name, ChecksummedLine::numberField(bands.sessionBanded),
                        QString::number(bands.band)};
    for (const double minutes : bands.minutes)
        fields << ChecksummedLine::numberField(minutes);
    return fields;
}

QStringList goods(const QString &name, const GoodsLine &goods, const QDateTime &at)
{
    return {kGoods,     ChecksummedLine::instantField(at),         name,
            goods.name, ChecksummedLine::numberField(goods.price), QString::number(goods.quantity)};
}

QStringList moved(const QString &from, const QString &to, const QDateTime &at)
{
    return {kMove, ChecksummedLine::instantField(at), from, to};
}

QStringList gone(int count)
{
    return {kGone, QString::number(count)};
}

QStringList left(const ItemBill &bill, How how, const QDateTime &at)
{
    QStringList fields {kLeft,
                        ChecksummedLine::instantField(at),
                        bill.name,
                        QString::number(int(how)),
                        ChecksummedLine::numberField(bill.minutes),
                        ChecksummedLine::numberField(bill.fee)};
    if (!bill.bands.isEmpty())
        fields << ChecksummedLine::minutesListField(bill.bands);
    return fields;
}

QByteArray snapshot(const ModClock &state, const QDateTime &begun, const QDateTime &at,
                    const std::optional<ClockReading> &now)
{
    QDateTime first = begun.isValid() && begun < at ? begun : at;
    for (int i = 1; i <= state.lvwMain.count(); ++i) {
        const clsSave::Sessions<QDateTime> &starts = state.lvwMain.at(i).record.cStart;
        if (starts.count() > 0 && starts.item(1) < first)
            first = starts.item(1);
    }
    QByteArray lines = ChecksummedLine::encode(begin(first));
    if (state.lngAdded > state.lngItems)
        lines += ChecksummedLine::encode(gone(state.lngAdded - state.lngItems));
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
        if (item.banded)
            lines += ChecksummedLine::encode(bands(item.name, item.banded->state(), at));
        for (const GoodsLine &sold : item.goods)
            lines += ChecksummedLine::encode(goods(item.name, sold, at));
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
    JournalReader reader(state, r.begun, now, ledger);
    QByteArray readingLine; // the clocks read for the line that follows, kept with it
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        const std::optional<QStringList> f = ChecksummedLine::decode(line);
        if (f && f->value(0) == kClock) {
            const std::optional<ClockReading> reading = JournalReader::clockReading(*f);
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
