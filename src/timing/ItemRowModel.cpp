#include "timing/ItemRowModel.h"

#include "timing/TimeText.h"
#include "timing/AmountDue.h"
#include "timing/Tariff.h"

#include <algorithm>

namespace {
struct ColumnInfo {
    const char16_t *header;
    int widthTwips;
};
constexpr ColumnInfo kColumns[ItemRowModel::ColumnCount] = {
    {u"项名称", 1000},         {u"最近开始", 1440}, {u"截止时间", 1000}, {u"计时次数", 1000},
    {u"耗时累计(分钟)", 1400}, {u"计时方案", 1440}, {u"结果", 4000},
};

} // namespace

// The one place an item's numbers and instants become the texts of its row.
QString ItemRowModel::cellText(const Item &item, int col)
{
    switch (col) {
    case ItemRowModel::ColName: return item.name;
    case ItemRowModel::ColLatestStart:
        return item.sessionCount() > 0 ? TimeText::longTime(item.latestStart().time()) : QString();
    case ItemRowModel::ColUpTo: return item.upTo.isValid() ? TimeText::hourMinute(item.upTo) : QString();
    case ItemRowModel::ColCount: return QString::number(item.sessionCount());
    case ItemRowModel::ColMinutes: return TimeText::generalNumber(item.minutesShown);
    case ItemRowModel::ColScheme: return item.scheme;
    case ItemRowModel::ColResult: return TimeText::generalNumber(item.fee);
    default: return QString();
    }
}

QString ItemRowModel::columnHeader(int col)
{
    return col >= 0 && col < ColumnCount ? QString::fromUtf16(kColumns[col].header) : QString();
}

int ItemRowModel::columnWidthTwips(int col)
{
    return col >= 0 && col < ColumnCount ? kColumns[col].widthTwips : 0;
}

ItemRowModel::ItemRowModel(QObject *parent) : QAbstractTableModel(parent)
{ }

int ItemRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int ItemRowModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ItemRowModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Item &item = m_items[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: return cellText(item, index.column());
    case ImageRole: return item.running ? ImageTimed : ImageStopped;
    case TagRole: return item.running;
    case BoldRole: return item.bold;
    case MinutesRole: return item.minutesShown;
    case FeeRole: return item.fee;
    case LimitRole: return int(item.limitState());
    case Qt::ToolTipRole: {
        // Each row tells its own bill under the pointer, whichever row is current. The scheme's
        // cell adds the whole formula, which its column's designed width may cut.
        QString tip = tooltip(index.row() + 1);
        if (index.column() == ColScheme)
            tip += QStringLiteral("\n计时方案: ") + item.scheme;
        return tip;
    }
    default: return {};
    }
}

QVariant ItemRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return columnHeader(section);
    return {};
}

Qt::ItemFlags ItemRowModel::flags(const QModelIndex &index) const
{
    // Rows are picked, never edited in place: the name is what the item is found by.
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

int ItemRowModel::positionOfName(const QString &name) const
{
    const QString folded = name.toCaseFolded();
    return m_rows.find(qHash(folded), [&](int row) { return m_items[size_t(row)].name.toCaseFolded() == folded; }) + 1;
}

QString ItemRowModel::text(int pos, int col) const
{
    return isValid(pos) ? cellText(at(pos), col) : QString();
}

int ItemRowModel::image(int pos) const
{
    if (!isValid(pos))
        return 0;
    return at(pos).running ? ImageTimed : ImageStopped;
}

bool ItemRowModel::tag(int pos) const
{
    return isValid(pos) && at(pos).running;
}

bool ItemRowModel::bold(int pos) const
{
    return isValid(pos) && at(pos).bold;
}

void ItemRowModel::setBold(int pos, bool bold)
{
    Item *item = edit(pos);
    if (!item || item->bold == bold)
        return;
    item->bold = bold;
    rowChanged(pos, 0, ColumnCount - 1, {BoldRole});
}

int ItemRowModel::append(Item item)
{
    if (hasName(item.name))
        return 0;
    item.scheme = *m_schemes.insert(item.scheme);
    const int row = count();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.insert(qHash(item.name.toCaseFolded()), row);
    m_items.push_back(std::move(item));
    endInsertRows();
    return row + 1;
}

bool ItemRowModel::remove(int pos)
{
    if (!isValid(pos))
        return false;
    beginRemoveRows(QModelIndex(), pos - 1, pos - 1);
    const auto it = m_items.begin() + (pos - 1);
    m_rows.removeRow(pos - 1);
    m_items.erase(it);
    endRemoveRows();
    return true;
}

bool ItemRowModel::rename(int pos, const QString &name)
{
    if (!isValid(pos) || name.isEmpty() || hasName(name))
        return false;
    m_rows.rehash(pos - 1, qHash(name.toCaseFolded()));
    m_items[static_cast<size_t>(pos - 1)].name = name;
    rowChanged(pos, ColName, ColName, {Qt::DisplayRole, Qt::ToolTipRole});
    return true;
}

Item *ItemRowModel::edit(int pos)
{
    return isValid(pos) ? &m_items[static_cast<size_t>(pos - 1)] : nullptr;
}

QPersistentModelIndex ItemRowModel::handle(int pos) const
{
    return isValid(pos) ? QPersistentModelIndex(index(pos - 1, 0)) : QPersistentModelIndex();
}

int ItemRowModel::positionOf(const QPersistentModelIndex &handle) const
{
    if (!handle.isValid() || handle.model() != this)
        return 0;
    return handle.row() + 1;
}

void ItemRowModel::rowChanged(int pos, int firstCol, int lastCol, const QList<int> &roles)
{
    if (m_batchDepth > 0) {
        m_dirtyFirst = m_dirtyFirst < 0 ? pos - 1 : std::min(m_dirtyFirst, pos - 1);
        m_dirtyLast = std::max(m_dirtyLast, pos - 1);
        m_dirtyFirstCol = m_dirtyFirstCol < 0 ? firstCol : std::min(m_dirtyFirstCol, firstCol);
        m_dirtyLastCol = std::max(m_dirtyLastCol, lastCol);
        return;
    }
    Q_EMIT dataChanged(index(pos - 1, firstCol), index(pos - 1, lastCol), roles);
}

void ItemRowModel::endBatch()
{
    if (--m_batchDepth > 0 || m_dirtyFirst < 0)
        return;
    const int first = m_dirtyFirst;
    const int last = std::min(m_dirtyLast, count() - 1);
    const int firstCol = m_dirtyFirstCol;
    const int lastCol = m_dirtyLastCol;
    m_dirtyFirst = m_dirtyLast = m_dirtyFirstCol = m_dirtyLastCol = -1;
    if (first <= last)
        Q_EMIT dataChanged(index(first, firstCol), index(last, lastCol));
}

QString ItemRowModel::tooltip(int pos) const
{
    if (!isValid(pos))
        return QString();
    // The result as the row shows it, and the amount a customer leaving now would be handed.
    const Item &item = at(pos);
    QString tip = QStringLiteral("所选项:") + text(pos, ItemRowModel::ColName) + QStringLiteral(" 计算结果: ")
        + text(pos, ItemRowModel::ColResult) + QStringLiteral(" 应收金额: ")
        + AmountDue::text(GoodsLine::due(item.fee, item.goods));
    if (item.limit.isSet())
        tip += QStringLiteral(" 限额: ") + item.limit.text() + u' ' + item.limit.leftText(item.minutesShown, item.fee);
    for (const QString &line : Tariff::bandLines(item))
        tip += u'\n' + line;
    for (const GoodsLine &g : item.goods)
        tip += QStringLiteral("\n商品: ") + g.text();
    return tip;
}
