#pragma once
// A toolbar button that shows its caption above its 16 x 16 image, as the operator knows it.

#include <QToolButton>

class ToolbarButton : public QToolButton {
    Q_OBJECT
public:
    ToolbarButton(int position, const QString &caption, const QIcon &image, QWidget *parent = nullptr);

    // The button's place on the toolbar, 2 to 20; commands are dispatched on it.
    int position() const { return m_position; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_position;
};
