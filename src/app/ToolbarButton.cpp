#include "app/ToolbarButton.h"

#include <QAction>
#include <QActionEvent>
#include <QKeyEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace {
constexpr int kImageSize = 16;
constexpr QSize kButtonSize(49, 35);
constexpr int kArrowWidth = 12;
} // namespace

ToolbarButton::ToolbarButton(Button button, QAction *action, QWidget *parent) : QToolButton(parent), m_button(button)
{
    setDefaultAction(action);
    setText(action->text());
    setIconSize(QSize(kImageSize, kImageSize));
    setAutoRaise(true);
    // Tab only: a click leaves the focus on the list, where the operator's row is.
    setFocusPolicy(Qt::TabFocus);
}

void ToolbarButton::keyPressEvent(QKeyEvent *event)
{
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier;
    const bool f4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier;
    if (menu() && (altDown || f4)) {
        showMenu();
        return;
    }
    // Space presses it as any button; Enter is what an operator tries first.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}

void ToolbarButton::actionEvent(QActionEvent *event)
{
    QToolButton::actionEvent(event);
    // Qt gives a button its action's text without the "&", which would lose the underlined key
    // letter; the caption is the action's text as it is.
    if (event->type() == QEvent::ActionChanged && event->action() == defaultAction())
        setText(defaultAction()->text());
}

QSize ToolbarButton::sizeHint() const
{
    // A drop-down button carries its arrow part beside the 49-pixel face.
    const int extra = popupMode() == QToolButton::MenuButtonPopup ? kArrowWidth : 0;
    return QSize(kButtonSize.width() + extra, kButtonSize.height());
}

void ToolbarButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionToolButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    const QIcon image = opt.icon;
    // The style draws the face and the arrow part; caption and image are placed by hand because
    // Qt only offers the caption below the image.
    opt.text.clear();
    opt.icon = QIcon();
    p.drawComplexControl(QStyle::CC_ToolButton, opt);

    const QRect face = style()->subControlRect(QStyle::CC_ToolButton, &opt, QStyle::SC_ToolButton, this);
    const int textHeight = fontMetrics().height();
    const int top = face.top() + (face.height() - textHeight - kImageSize - 1) / 2;
    const QRect textRect(face.left(), top, face.width(), textHeight);
    // Not clipped to the line: with some fonts the key letter's underline lies a pixel below it,
    // and was cut away under one locale and not another.
    style()->drawItemText(&p, textRect, Qt::AlignHCenter | Qt::TextShowMnemonic | Qt::TextDontClip, palette(),
                          isEnabled(), caption, QPalette::ButtonText);
    const QPixmap pm =
        image.pixmap(QSize(kImageSize, kImageSize), devicePixelRatioF(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    p.drawPixmap(face.left() + (face.width() - kImageSize) / 2, top + textHeight + 1, pm);
}
