#include "timing/TimingClock.h"

#include "timing/WallClock.h"

#include <QSocketNotifier>
#include <QTimer>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#endif

namespace {
constexpr int kFirstWakeMs = 10;
} // namespace

TimingClock::TimingClock(const WallClock &clock, ModClock &state, QObject *parent)
    : QObject(parent), m_clock(clock), m_tick(state), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("Clock"));
    // Armed anew at every wake for just after the next change of the second, to the millisecond:
    // a wake between two changes would show nothing new.
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &TimingClock::wake);
    m_timer->start(ClockTick::msecsToNextSecond(m_clock.now()));
    watchClockSteps();
}

TimingClock::~TimingClock()
{
#ifdef Q_OS_LINUX
    delete m_stepWatch;
    if (m_stepFd >= 0)
        ::close(m_stepFd);
#endif
}

void TimingClock::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        m_timer->start(kFirstWakeMs);
    Q_EMIT enabledChanged(enabled);
}

int TimingClock::wakeInterval() const
{
    return m_timer->isActive() ? m_timer->interval() : -1;
}

void TimingClock::wake()
{
    const Moment now = m_clock.moment();
    if (m_tick.refreshIfNewMinute(now))
        Q_EMIT minuteChanged(now);
    Q_EMIT secondChanged(now);
    m_timer->start(ClockTick::msecsToNextSecond(now.wall));
}

void TimingClock::watchClockSteps()
{
#ifdef Q_OS_LINUX
    // The timer counts elapsed time; a clock set by hand or by time synchronisation moves the
    // second's edge under it. The kernel tells a far-off wall-clock timer when that happens, and
    // everything showing the time catches up then, not at the next wake.
    m_stepFd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_stepFd < 0)
        return;
    const auto arm = [fd = m_stepFd] {
        itimerspec far {};
        far.it_value.tv_sec = std::time(nullptr) + 100LL * 365 * 86400;
        return timerfd_settime(fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr) == 0;
    };
    if (!arm())
        return;
    m_stepWatch = new QSocketNotifier(m_stepFd, QSocketNotifier::Read, this);
    connect(m_stepWatch, &QSocketNotifier::activated, this, [this, arm] {
        quint64 expirations = 0;
        // A set clock cancels the timer: the read fails with ECANCELED and it must be armed again.
        if (::read(m_stepFd, &expirations, sizeof expirations) < 0 && errno != ECANCELED && errno != EAGAIN)
            return;
        arm();
        wake();
    });
#endif
}
