#pragma once
// The main window's status bar: seven panels, the last one showing the time of day.

#include <QFrame>
#include <QList>

class QDateTime;
class QLabel;

class MainStatusBar : public QFrame {
    Q_OBJECT
public:
    explicit MainStatusBar(double twipsPerPixel, QWidget *parent = nullptr);

    // Panels are numbered from 1 as the operator sees them.
    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;
    QLabel *panel(int panel) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Shows the time in the time panel; the program's clock calls it every second.
    void showTime(const QDateTime &now);

Q_SIGNALS:
    // Panel (numbered from 1) was clicked.
    void panelClicked(int panel);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QWidget *m_strip;
    QList<QLabel *> m_panels;
};
