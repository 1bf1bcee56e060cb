#pragma once
// How the operator hears that items have reached their limits, without anything to answer.

#include <QString>

// The real one shows the desktop's notification and sounds the bell; tests record what was told.
// Nothing here may wait for the operator: timing and the keys go on.
class LimitNotifier {
public:
    virtual ~LimitNotifier() = default;
    virtual void notify(const QString &title, const QString &text) = 0;
};
