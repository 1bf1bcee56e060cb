#include "timing/JournalCompaction.h"

#include "timing/ChecksummedLine.h"
#include "timing/JournalLines.h"
#include "timing/ModClock.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>
#include <utility>

namespace JournalCompaction {

namespace {

using namespace JournalLines;

// Where a line about one item holds its name; -1 for lines about none or several.
int nameField(const QString &kind)
{
    if (kind == kAdd || kind == kStart || kind == kEnd || kind == kLimit || kind == kLeft || kind == kGoods
        || kind == kMove)
        return 2;
    if (kind == kRemove)
        return 1;
    if (kind == kAnchor)
        return 3;
    return -1;
}

// A line that replayed, with the clock line written right before it.
struct Entry {
    QByteArray reading;
    QByteArray line;
    QStringList fields;
    int stay = -1; // which stay on the list of the item it is about
    QList<int> stays; // for a stop all or a telling: the stay of each item it names
};

// An item's stays on the list: a name that leaves and is added again is another item.
class Stays {
public:
    int add(const QString &name)
    {
        m_current.insert(name.toCaseFolded(), int(m_gone.size()));
        m_gone.append(false);
        return int(m_gone.size()) - 1;
    }
    int of(const QString &name) const { return m_current.value(name.toCaseFolded(), -1); }
    void leave(const QString &name, int stay)
    {
        m_current.remove(name.toCaseFolded());
        if (stay >= 0)
            m_gone[stay] = true;
    }
    // The item goes on under another name: lines naming that one are about the same stay.
    void rename(const QString &from, const QString &to)
    {
        const int stay = of(from);
        m_current.remove(from.toCaseFolded());
        if (stay >= 0)
            m_current.insert(to.toCaseFolded(), stay);
    }
    // A line about this stay changes nothing that is still on the list.
    bool gone(int stay) const { return stay < 0 || m_gone[stay]; }

private:
    QHash<QString, int> m_current;
    QList<bool> m_gone;
};

// The line without the items it names that have gone (a stop all names each with its minutes);
// nothing when a telling names none that stayed.
std::optional<QByteArray> withoutGone(const Entry &e, const Stays &stays)
{
    const bool all = e.fields[0] == kAll;
    const qsizetype first = all ? 3 : 2;
    const qsizetype step = all ? 2 : 1;
    QStringList fields = e.fields.mid(0, first);
    for (qsizetype k = first, i = 0; k < e.fields.size(); k += step, ++i)
        if (!stays.gone(e.stays[i]))
            fields += e.fields.mid(k, step);
    if (fields.size() == e.fields.size())
        return e.line + '\n';
    if (!all && fields.size() == first)
        return std::nullopt;
    return ChecksummedLine::encode(fields);
}

} // namespace

Compacted compact(const QByteArray &content, const QDateTime &begun, const QDateTime &now)
{
    ModClock scratch;
    const Replayed r = replay(scratch, content, begun, now, nullptr);
    QList<Entry> entries;
    Stays stays;
    QByteArray reading;
    for (const QByteArray &line : r.kept.split('\n')) {
        const std::optional<QStringList> f = line.isEmpty() ? std::nullopt : ChecksummedLine::decode(line);
        if (!f)
            continue;
        const QString &kind = f->at(0);
        if (kind == kClock) {
            reading = line + '\n';
            continue;
        }
        Entry e {std::exchange(reading, QByteArray()), line, *f, -1, {}};
        // The begin line is written afresh, and so is the count of items gone.
        if (kind == kBegin || kind == kGone)
            continue;
        if (const int k = nameField(kind); k >= 0)
            e.stay = kind == kAdd ? stays.add(f->at(k)) : stays.of(f->at(k));
        if (kind == kRemove || kind == kLeft)
            stays.leave(f->at(nameField(kind)), e.stay);
        if (kind == kMove)
            stays.rename(f->at(2), f->at(3));
        if (kind == kTold || kind == kAll)
            for (qsizetype k = kind == kAll ? 3 : 2; k < f->size(); k += kind == kAll ? 2 : 1)
                e.stays.append(stays.of(f->at(k)));
        entries.append(std::move(e));
    }

    Compacted out;
    if (r.begun.isValid())
        out.lines = ChecksummedLine::encode(JournalLines::begin(r.begun));
    if (const int goneItems = scratch.lngAdded - scratch.lngItems; goneItems > 0)
        out.lines += ChecksummedLine::encode(gone(goneItems));
    for (const Entry &e : entries) {
        std::optional<QByteArray> line = e.line + '\n';
        if (e.fields[0] == kTold || e.fields[0] == kAll)
            line = withoutGone(e, stays);
        else if (nameField(e.fields[0]) >= 0 && stays.gone(e.stay))
            line.reset();
        if (line)
            out.lines += e.reading + *line;
    }
    // Where a restore finds the program last known alive: the same clocks, the same instant.
    if (r.last)
        out.lines += ChecksummedLine::encode(clock(*r.last));
    if (r.lastAlive.isValid())
        out.lines += ChecksummedLine::encode(alive(r.lastAlive));
    out.count = int(out.lines.count('\n'));
    return out;
}

} // namespace JournalCompaction
