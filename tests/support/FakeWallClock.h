#pragma once
// A clock that stands still until a test moves it.

#include "timing/WallClock.h"

class FakeWallClock : public WallClock {
public:
    explicit FakeWallClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0))) : m_now(std::move(start))
    { }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &t) { m_now = t; }
    void setTime(const QTime &t) { m_now.setTime(t); }
    void advanceSecs(qint64 s) { m_now = m_now.addSecs(s); }

private:
    QDateTime m_now;
};
