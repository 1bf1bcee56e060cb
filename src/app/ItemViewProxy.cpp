#include "app/ItemViewProxy.h"

#include "draw/Artwork.h"
#include "timing/ItemRowModel.h"

ItemViewProxy::ItemViewProxy(QObject *parent) : QIdentityProxyModel(parent)
{
    m_bold.setBold(true);
    // Drawn once: a picture made for each row the views paint would be a new icon each time, which
    // costs the drawing and fills the pixmap cache with copies of the same two pictures.
    for (int n = 1; n <= Artwork::listImageCount; ++n) {
        m_icons[n - 1] = Artwork::listIcon(n);
        m_largePictures[n - 1] = m_icons[n - 1].pixmap(32, 32);
    }
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
        if (image < 1 || image > Artwork::listImageCount)
            return {};
        return m_large ? QVariant(m_largePictures[image - 1]) : QVariant(m_icons[image - 1]);
    }
    case Qt::FontRole:
        if (QIdentityProxyModel::data(index, ItemRowModel::BoldRole).toBool())
            return m_bold;
        return {};
    case Qt::ToolTipRole: return m_tip.isEmpty() ? QVariant() : QVariant(m_tip);
    default: return QIdentityProxyModel::data(index, role);
    }
}
