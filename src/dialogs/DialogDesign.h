#pragma once
// Builds the two dialogs as designed: geometry in twips, fixed-size windows and picture buttons.

#include <QRect>

class QDialog;
class QLabel;
class QPixmap;
class QPushButton;
class QString;
class QWidget;

namespace DialogDesign {

// The designs are measured in twips, 15 to a pixel on the 96 dots-per-inch screen they were made for.
constexpr int TwipsPerPixel = 15;
constexpr int pixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}
QRect twipsRect(int left, int top, int width, int height);

// A fixed-size dialog without minimise and maximise buttons, with the program's icon and the
// Chinese dialog font; Qt centres it over its owner when it is first shown.
void setUpWindow(QDialog *dialog, const QString &caption, int clientWidthTwips, int clientHeightTwips);

// A plain-text label that wraps and starts at its top left corner, named after its design name.
QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry);

// A button that shows only a picture. The OK buttons have a light grey face; Cancel keeps the
// system's button colour.
QPushButton *pictureButton(QWidget *parent, const QPixmap &picture, const QRect &geometry, bool lightGreyFace);

} // namespace DialogDesign
