#include "draw/Draw3DText.h"

#include "draw/ColorValue.h"

#include <QLabel>

namespace {

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// Copies the face's background style: whether the label paints its own background and with what.
void takeBackgroundFrom(QLabel *label, const QLabel *face)
{
    label->setAutoFillBackground(face->autoFillBackground());
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, face->palette().color(QPalette::Window));
    label->setPalette(palette);
}

} // namespace

void Draw3DText(QLabel *face, QLabel *shadow, QLabel *highlight, const QString &text, qint16 style, qint32 colour,
                qint16 offset)
{
    face->hide();
    shadow->hide();
    highlight->hide();

    const QString caption = text.isEmpty() ? face->text() : text;
    face->setText(caption);
    shadow->setText(caption);
    highlight->setText(caption);

    face->setAutoFillBackground(false);
    setTextColour(face, ColorValue::toColor(colour));

    for (QLabel *echo : {shadow, highlight}) {
        echo->resize(face->size());
        takeBackgroundFrom(echo, face);
    }
    setTextColour(shadow, ColorValue::toColor(ColorValue::darkGrey));
    setTextColour(highlight, ColorValue::toColor(ColorValue::white));

    const QPoint shift(offset, offset);
    if (style == 1) {
        shadow->move(face->pos() + shift);
        highlight->move(face->pos() - shift);
    } else if (style == 2) {
        shadow->move(face->pos() - shift);
        highlight->move(face->pos() + shift);
    }

    face->show();
    shadow->show();
    highlight->show();
    face->raise();
}
