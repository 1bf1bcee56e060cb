#pragma once
// Stands in for the main window: records what the new-items dialog writes to it.

#include "dialogs/NewItemsHost.h"

#include <QMap>
#include <QStringList>

class RecordingHost : public NewItemsHost {
public:
    void SetPanelText(int panel, const QString &text) override
    {
        panels[panel] = text;
        calls << QStringLiteral("panel %1=%2").arg(panel).arg(text);
    }
    void EnableClock() override
    {
        ++clockEnabled;
        calls << QStringLiteral("clock");
    }
    void SetStartButtonCaption(const QString &caption) override
    {
        startCaption = caption;
        calls << QStringLiteral("caption ") + caption;
    }

    QMap<int, QString> panels;
    int clockEnabled = 0;
    QString startCaption;
    QStringList calls; // in order
};
