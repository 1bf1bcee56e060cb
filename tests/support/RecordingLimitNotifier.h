#pragma once
// Keeps what the program told of reached limits, instead of a notification and a bell.

#include "commands/LimitNotifier.h"

#include <QStringList>

class RecordingLimitNotifier : public LimitNotifier {
public:
    void notify(const QString &, const QString &text) override { texts << text; }
    QStringList texts;
};
