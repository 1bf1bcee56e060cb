#pragma once
// Puts pictures, the bold type and the limit marks on the rows for the views to show, and keeps the
// current item's tooltip for the list.

#include "draw/Artwork.h"

#include <QFont>
#include <QIcon>
#include <QIdentityProxyModel>
#include <QPixmap>

#include <array>

class ItemViewProxy : public QIdentityProxyModel {
    Q_OBJECT
public:
    explicit ItemViewProxy(QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The current item's tooltip, shown where the pointer is over no row; a row shows its own.
    void setListToolTip(const QString &tip) { m_tip = tip; }
    QString listToolTip() const { return m_tip; }
    void setBaseFont(const QFont &font)
    {
        m_bold = font;
        m_bold.setBold(true);
    }
    // Large icons show the 32-pixel picture, the other views the 16-pixel one.
    void setLargeImages(bool large);

private:
    QString m_tip;
    QFont m_bold;
    bool m_large = false;
    // By list image and by limit mark (none, near, reached).
    static constexpr int kMarks = 3;
    std::array<std::array<QIcon, kMarks>, Artwork::listImageCount> m_icons;
    std::array<std::array<QPixmap, kMarks>, Artwork::listImageCount> m_largePictures;
};
