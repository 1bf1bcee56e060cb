#pragma once
// A clock that stands still until a test moves it. Moving time forward moves both clocks; setting
// the time or stepping it moves the wall clock alone, as an operator or time synchronisation does.

#include "timing/WallClock.h"

class FakeWallClock : public WallClock {
public:
    explicit FakeWallClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0))) : m_now(std::move(start))
    { }
    QDateTime now() const override { return m_now; }
    qint64 elapsedMs() const override { return m_elapsedMs; }
    void set(const QDateTime &t) { m_now = t; }
    void setTime(const QTime &t) { m_now.setTime(t); }
    void advanceSecs(qint64 s)
    {
        m_now = m_now.addSecs(s);
        m_elapsedMs += s * 1000;
    }
    void step(qint64 s) { m_now = m_now.addSecs(s); }
    QString bootId() const override { return m_boot; }
    // The machine started again: the elapsed clock restarts from upSecs.
    void reboot(const QString &boot, qint64 upSecs)
    {
        m_boot = boot;
        m_elapsedMs = upSecs * 1000;
    }

private:
    QDateTime m_now;
    qint64 m_elapsedMs = 0;
    QString m_boot = QStringLiteral("boot-1");
};
