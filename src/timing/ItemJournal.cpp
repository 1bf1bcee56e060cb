#include "timing/ItemJournal.h"

#include "timing/DurableFile.h"
#include "timing/ModClock.h"
#include "timing/TimingOperations.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <optional>
#include <utility>

namespace {

const QString kAdd = QStringLiteral("add");
const QString kStart = QStringLiteral("start");
const QString kEnd = QStringLiteral("end");
const QString kRemove = QStringLiteral("remove");
const QString kAll = QStringLiteral("all");

// Names and schemes are whatever the operator typed, tabs and line breaks included.
QString escaped(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (const QChar c : field) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

std::optional<QString> unescaped(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field[i].unicode()) {
        case '\\': out += u'\\'; break;
        case 't': out += u'\t'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

QByteArray checksum(QByteArrayView payload)
{
    return QByteArray::number(qChecksum(payload), 16).rightJustified(4, '0');
}

// The instant with the local offset it was taken in, so that replayed rows show the same times
// of day; milliseconds keep the order of changes made within one second.
QString instantText(const QDateTime &at)
{
    return at.toOffsetFromUtc(at.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QDateTime instant(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODateWithMs);
}

std::optional<bool> flag(const QString &text)
{
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

// The fields of an undamaged line, or nothing.
std::optional<QStringList> decoded(const QByteArray &line)
{
    const qsizetype tab = line.lastIndexOf('\t');
    if (tab < 0 || line.mid(tab + 1) != checksum(QByteArrayView(line).first(tab)))
        return std::nullopt;
    QStringList fields;
    for (const QString &raw : QString::fromUtf8(line.first(tab)).split(u'\t')) {
        const std::optional<QString> field = unescaped(raw);
        if (!field)
            return std::nullopt;
        fields << *field;
    }
    return fields;
}

int positionOf(const ModClock &state, const QString &name)
{
    return state.cName.IndexOfKey(name);
}

// Makes one recorded change again through the operation that made it; false when the line is not
// a change or no longer applies (an item it names is not there).
bool replay(ModClock &state, const QStringList &f)
{
    const QString &kind = f.value(0);
    if (kind == kAdd && f.size() == 6) {
        const QDateTime at = instant(f[1]);
        bool number = false;
        const double minutes = f[4].toDouble(&number);
        const std::optional<bool> startNow = flag(f[5]);
        return at.isValid() && number && startNow && state.AddItem(NewItem {f[2], f[3], minutes, *startNow}, at) != 0;
    }
    if ((kind == kStart || kind == kEnd) && f.size() == 3) {
        const QDateTime at = instant(f[1]);
        const int pos = positionOf(state, f[2]);
        if (!at.isValid() || pos == 0)
            return false;
        state.Select(pos);
        if (kind == kStart)
            TimingOperations::StartTimer(state, at);
        else
            TimingOperations::EndTimer(state, at);
        return true;
    }
    if (kind == kRemove && f.size() == 2) {
        const int pos = positionOf(state, f[1]);
        return pos != 0 && state.RemoveItem(pos);
    }
    if (kind == kAll && f.size() == 3) {
        const QDateTime at = instant(f[1]);
        const std::optional<bool> started = flag(f[2]);
        if (!at.isValid() || !started)
            return false;
        TimingOperations::SetTimer(state, *started, at);
        return true;
    }
    return false;
}

} // namespace

ItemJournal::ItemJournal(QString path) : m_path(std::move(path))
{ }

ItemJournal::~ItemJournal() = default;

QString ItemJournal::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/items.journal");
}

void ItemJournal::Added(const NewItem &item, const QDateTime &at)
{
    append({kAdd, instantText(at), item.name, item.scheme,
            QString::number(item.minutes, 'g', QLocale::FloatingPointShortest),
            item.startNow ? QStringLiteral("1") : QStringLiteral("0")});
}

void ItemJournal::Started(const QString &name, const QDateTime &at)
{
    append({kStart, instantText(at), name});
}

void ItemJournal::Ended(const QString &name, const QDateTime &at)
{
    append({kEnd, instantText(at), name});
}

void ItemJournal::Removed(const QString &name)
{
    append({kRemove, name});
}

void ItemJournal::AllTimed(bool started, const QDateTime &at)
{
    append({kAll, instantText(at), started ? QStringLiteral("1") : QStringLiteral("0")});
}

void ItemJournal::append(const QStringList &fields)
{
    if (!m_file.isOpen()) {
        const QFileInfo info(m_path);
        const bool created = !info.exists();
        QDir().mkpath(info.absolutePath());
        m_file.setFileName(m_path);
        // Unbuffered: every line goes to the system at once, nothing waits in the process.
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return; // tried again with the next change; timing goes on either way
        if (created)
            DurableFile::SyncFolder(info.absolutePath());
    }
    QStringList parts;
    parts.reserve(fields.size());
    for (const QString &field : fields)
        parts << escaped(field);
    QByteArray line = parts.join(u'\t').toUtf8();
    line += '\t' + checksum(line) + '\n';
    m_file.write(line);
    DurableFile::Sync(m_file);
}

bool ItemJournal::Found() const
{
    return QFileInfo(m_path).size() > 0;
}

ItemJournal::Restored ItemJournal::Restore(ModClock &state, const QDateTime &now)
{
    Restored r;
    m_file.close();
    QFile in(m_path);
    if (!in.open(QIODevice::ReadOnly))
        return r;
    const QByteArray content = in.readAll();
    in.close();

    // Replaying through the operations must not record the changes a second time.
    ItemJournal *const recording = std::exchange(state.journal, nullptr);
    QByteArray kept;
    for (const QByteArray &line : content.split('\n')) {
        if (line.isEmpty())
            continue;
        const std::optional<QStringList> fields = decoded(line);
        if (fields && replay(state, *fields)) {
            ++r.entries;
            kept += line + '\n';
        } else {
            ++r.skipped;
        }
    }
    state.journal = recording;
    // The current item is the operator's choice in this run, not something to bring back.
    state.itmSelected = QPersistentModelIndex();

    // Sessions still running went on while the program was down: their rows show the bill now.
    for (int i = 1; i <= state.lngItems; ++i)
        if (state.cRunning.Value(i, false))
            TimingOperations::ShowMinutes(state, i, TimingOperations::RunningMinutes(state, i, now), now.time());

    // Written beside and renamed over: a cut now leaves the old file or the new one. Later lines
    // go to the new one, so its name must be on the disk before them.
    DurableFile::Replace(m_path, kept);
    return r;
}

bool ItemJournal::SetAside()
{
    m_file.close();
    const QString kept = m_path + QStringLiteral(".bak");
    QFile::remove(kept);
    return QFile::rename(m_path, kept);
}

void ItemJournal::Discard()
{
    m_file.close();
    QFile::remove(m_path);
}
