#pragma once
// The program's one clock: wakes just after each change of the second, brings the rows of the
// items being timed up to each new minute, and tells whoever shows the time.

#include "timing/ClockTick.h"
#include "timing/Moment.h"

#include <QObject>

class ModClock;
class QSocketNotifier;
class QTimer;
class WallClock;

class TimingClock : public QObject {
    Q_OBJECT
    // Timing is on: the caption shows "正在计时..." and the time, and the start-all command ends
    // every running item. The clock wakes every second either way, for the time panel and for
    // items started on their own.
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)
public:
    TimingClock(const WallClock &clock, ModClock &state, QObject *parent = nullptr);
    ~TimingClock() override;

    bool isEnabled() const { return m_enabled; }
    // Enabling brings the first wake forward to 10 ms from now, so the caption shows at once.
    void setEnabled(bool enabled);

    const WallClock &wallClock() const { return m_clock; }
    ClockTick &tick() { return m_tick; }

    // What the timer runs: the rows first when a minute has turned (minuteChanged), then
    // secondChanged, then the timer is armed for just after the next change of the second.
    void wake();
    // How long the timer was armed for at the last wake or enabling; -1 while it is not armed.
    int wakeInterval() const;

Q_SIGNALS:
    void enabledChanged(bool enabled);
    void secondChanged(const Moment &now);
    // A new clock minute, or a session's own minute turned between two: the running items' rows
    // have just been brought up to date.
    void minuteChanged(const Moment &now);

private:
    void watchClockSteps();

    const WallClock &m_clock;
    ClockTick m_tick;
    bool m_enabled = false;
    QTimer *m_timer;
    int m_stepFd = -1; // wakes when the system clock is set (Linux)
    QSocketNotifier *m_stepWatch = nullptr;
};
