#include "app/ItemViewProxy.h"

#include "draw/Artwork.h"
#include "timing/ItemRowModel.h"

#include <QColor>

ItemViewProxy::ItemViewProxy(QObject *parent) : QIdentityProxyModel(parent)
{
    m_bold.setBold(true);
    // Drawn once: a picture made for each row the views paint would be a new icon each time, which
    // costs the drawing and fills the pixmap cache with copies of the same two pictures.
    for (int n = 1; n <= Artwork::listImageCount; ++n)
        for (int mark = 0; mark < kMarks; ++mark) {
            m_icons[n - 1][mark] = Artwork::listIcon(n, mark);
            m_largePictures[n - 1][mark] = m_icons[n - 1][mark].pixmap(32, 32);
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
        const int mark = QIdentityProxyModel::data(index, ItemRowModel::LimitRole).toInt();
        if (image < 1 || image > Artwork::listImageCount || mark < 0 || mark >= kMarks)
            return {};
        return m_large ? QVariant(m_largePictures[image - 1][mark]) : QVariant(m_icons[image - 1][mark]);
    }
    // A row near or at its limit is tinted in every view, and its text kept dark on the tint so
    // that it reads under a dark palette too; the mark on the picture says which, without colour.
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        const int mark = QIdentityProxyModel::data(index, ItemRowModel::LimitRole).toInt();
        if (mark == int(ItemLimit::State::None))
            return {};
        if (role == Qt::ForegroundRole)
            return QColor(Qt::black);
        return mark == int(ItemLimit::State::Near) ? QColor(0xff, 0xe0, 0x82) : QColor(0xef, 0x9a, 0x9a);
    }
    case Qt::FontRole:
        if (QIdentityProxyModel::data(index, ItemRowModel::BoldRole).toBool())
            return m_bold;
        return {};
    default: return QIdentityProxyModel::data(index, role);
    }
}
