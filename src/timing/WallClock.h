#pragma once
// The time of day, behind an interface so that tests can move time forward without waiting.

#include <QDateTime>

class WallClock {
public:
    virtual ~WallClock() = default;
    virtual QDateTime now() const = 0;
};

// The real clock: the system's local date and time.
class SystemWallClock : public WallClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
