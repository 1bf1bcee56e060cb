#include "ItemRowModel.h"

#include <algorithm>

namespace {
struct ColumnInfo {
    const char16_t *header;
    int widthTwips;
};
constexpr ColumnInfo kColumns[ItemRowModel::ColumnCount] = {
    {u"项名称", 1000},        {u"最近开始", 1440}, {u"截止时间", 1000}, {u"计时次数", 1000},
    {u"耗时累计(分钟)", 1400}, {u"计时方案", 1440}, {u"结果", 4000},
};
} // namespace

QString ItemRowModel::ColumnHeader(int col)
{
    return col >= 0 && col < ColumnCount ? QString::fromUtf16(kColumns[col].header) : QString();
}

int ItemRowModel::ColumnWidthTwips(int col)
{
    return col >= 0 && col < ColumnCount ? kColumns[col].widthTwips : 0;
}

ItemRowModel::ItemRowModel(QObject *parent) : QAbstractTableModel(parent) {}

int ItemRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Count();
}

int ItemRowModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ItemRowModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Row &row = m_rows[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.text[static_cast<size_t>(index.column())];
    case ImageRole:
        return row.image;
    case TagRole:
        return row.tag;
    case BoldRole:
        return row.bold;
    default:
        return {};
    }
}

QVariant ItemRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return ColumnHeader(section);
    return {};
}

Qt::ItemFlags ItemRowModel::flags(const QModelIndex &index) const
{
    // Rows are picked, never edited in place: the name is also a key in the per-item lists.
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

int ItemRowModel::AppendRow(const QString &name, int image, bool tag)
{
    const int row = Count();
    beginInsertRows(QModelIndex(), row, row);
    Row r;
    r.text[ColName] = name;
    r.image = image;
    r.tag = tag;
    m_rows.push_back(std::move(r));
    endInsertRows();
    return row + 1;
}

bool ItemRowModel::RemoveRow(int pos)
{
    if (!IsValid(pos))
        return false;
    beginRemoveRows(QModelIndex(), pos - 1, pos - 1);
    m_rows.erase(m_rows.begin() + (pos - 1));
    endRemoveRows();
    return true;
}

QString ItemRowModel::Text(int pos, int col) const
{
    if (!IsValid(pos) || col < 0 || col >= ColumnCount)
        return QString();
    return m_rows[static_cast<size_t>(pos - 1)].text[static_cast<size_t>(col)];
}

void ItemRowModel::SetText(int pos, int col, const QString &text)
{
    if (!IsValid(pos) || col < 0 || col >= ColumnCount)
        return;
    QString &cell = m_rows[static_cast<size_t>(pos - 1)].text[static_cast<size_t>(col)];
    if (cell == text)
        return;
    cell = text;
    rowChanged(pos, col, col, {Qt::DisplayRole});
}

int ItemRowModel::Image(int pos) const
{
    return IsValid(pos) ? m_rows[static_cast<size_t>(pos - 1)].image : 0;
}

void ItemRowModel::SetImage(int pos, int image)
{
    if (!IsValid(pos) || m_rows[static_cast<size_t>(pos - 1)].image == image)
        return;
    m_rows[static_cast<size_t>(pos - 1)].image = image;
    rowChanged(pos, ColName, ColName, {ImageRole});
}

bool ItemRowModel::Tag(int pos) const
{
    return IsValid(pos) && m_rows[static_cast<size_t>(pos - 1)].tag;
}

void ItemRowModel::SetTag(int pos, bool tag)
{
    if (!IsValid(pos) || m_rows[static_cast<size_t>(pos - 1)].tag == tag)
        return;
    m_rows[static_cast<size_t>(pos - 1)].tag = tag;
    rowChanged(pos, ColName, ColName, {TagRole});
}

bool ItemRowModel::Bold(int pos) const
{
    return IsValid(pos) && m_rows[static_cast<size_t>(pos - 1)].bold;
}

void ItemRowModel::SetBold(int pos, bool bold)
{
    if (!IsValid(pos) || m_rows[static_cast<size_t>(pos - 1)].bold == bold)
        return;
    m_rows[static_cast<size_t>(pos - 1)].bold = bold;
    rowChanged(pos, 0, ColumnCount - 1, {BoldRole});
}

QPersistentModelIndex ItemRowModel::Handle(int pos) const
{
    return IsValid(pos) ? QPersistentModelIndex(index(pos - 1, 0)) : QPersistentModelIndex();
}

int ItemRowModel::PositionOf(const QPersistentModelIndex &handle) const
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
        return;
    }
    Q_EMIT dataChanged(index(pos - 1, firstCol), index(pos - 1, lastCol), roles);
}

void ItemRowModel::endBatch()
{
    if (--m_batchDepth > 0 || m_dirtyFirst < 0)
        return;
    const int first = m_dirtyFirst;
    const int last = std::min(m_dirtyLast, Count() - 1);
    m_dirtyFirst = m_dirtyLast = -1;
    if (first <= last)
        Q_EMIT dataChanged(index(first, 0), index(last, ColumnCount - 1));
}
