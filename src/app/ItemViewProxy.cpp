#include "app/ItemViewProxy.h"

#include "draw/Artwork.h"
#include "timing/ItemRowModel.h"

ItemViewProxy::ItemViewProxy(QObject *parent) : QIdentityProxyModel(parent)
{
    m_bold.setBold(true);
}

void ItemViewProxy::setLargeImages(bool large)
{
    if (m_large == large)
        return;
    m_large = large;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

QVariant ItemViewProxy::data(const QModelIndex &index, int role) const
{
    switch (role) {
    case Qt::DecorationRole: {
        if (index.column() != 0)
            return {};
        const int image = QIdentityProxyModel::data(index, ItemRowModel::ImageRole).toInt();
        const QIcon icon = Artwork::listIcon(image);
        return m_large ? QVariant(icon.pixmap(32, 32)) : QVariant(icon);
    }
    case Qt::FontRole:
        if (QIdentityProxyModel::data(index, ItemRowModel::BoldRole).toBool())
            return m_bold;
        return {};
    case Qt::ToolTipRole: return m_tip.isEmpty() ? QVariant() : QVariant(m_tip);
    default: return QIdentityProxyModel::data(index, role);
    }
}
