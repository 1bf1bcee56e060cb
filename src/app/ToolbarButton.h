#pragma once
// A toolbar button that shows its caption above its 16 x 16 image, as the operator knows it.

#include "commands/CommandTable.h"

#include <QToolButton>

// Shows its command's action: caption (with the underlined key letter), image, tooltip and
// enabled state follow the action, and a click triggers it. Tab reaches it, Space presses it, and
// Alt+Down or F4 opens its menu, so that every command is there without a mouse.
class ToolbarButton : public QToolButton {
    Q_OBJECT
public:
    ToolbarButton(Button button, QAction *action, QWidget *parent = nullptr);

    Button button() const { return m_button; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void actionEvent(QActionEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Button m_button;
};
