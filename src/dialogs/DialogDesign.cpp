#include "dialogs/DialogDesign.h"

#include "draw/Artwork.h"
#include "draw/SimSunFont.h"

#include <QDialog>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

namespace DialogDesign {

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

void setUpWindow(QDialog *dialog, const QString &caption, int clientWidthTwips, int clientHeightTwips)
{
    dialog->setWindowTitle(caption);
    dialog->setWindowIcon(Artwork::appIcon());
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog->setModal(true);
    // The default dialog font of the Chinese desktop the layout was measured on; controls that
    // need the larger size set it themselves.
    dialog->setFont(simSunFont(9));
    dialog->setFixedSize(pixels(clientWidthTwips), pixels(clientHeightTwips));
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QPushButton *pictureButton(QWidget *parent, const QPixmap &picture, const QRect &geometry, bool lightGreyFace)
{
    auto *button = new QPushButton(parent);
    button->setGeometry(geometry);
    button->setIcon(QIcon(picture));
    button->setIconSize(picture.size());
    if (lightGreyFace) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, QColor(192, 192, 192));
        button->setPalette(palette);
    }
    return button;
}

} // namespace DialogDesign
