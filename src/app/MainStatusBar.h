#pragma once
// The main window's status bar: seven panels, the last one a clock that keeps itself current.

#include <QFrame>
#include <QList>

class QLabel;
class QTimer;
class WallClock;

class MainStatusBar : public QFrame {
    Q_OBJECT
public:
    MainStatusBar(const WallClock &clock, double twipsPerPixel, QWidget *parent = nullptr);

    // Panels are numbered from 1 as the operator sees them.
    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;
    QLabel *panel(int panel) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Shows the time in the clock panel and sleeps until just after the next second. The main
    // window's clock calls it from its own tick, a little earlier, so that while the clock runs
    // the panel needs no wake of its own.
    void showTime();

Q_SIGNALS:
    // The panel has just shown a new second: whatever else waits for the wall clock's next second
    // or minute looks then, without a timer of its own.
    void timeShown();

private:
    const WallClock &m_clock;
    QWidget *m_strip;
    QList<QLabel *> m_panels;
    QTimer *m_timer;
};
