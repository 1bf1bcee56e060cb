#pragma once
// Whether another copy of the program was already running when this one started.

class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    virtual bool anotherInstanceRunning() = 0;
};
