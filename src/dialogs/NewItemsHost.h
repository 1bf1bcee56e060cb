#pragma once
// What the new-items dialog changes on the main window besides the shared state.

#include <QString>

class NewItemsHost {
public:
    virtual ~NewItemsHost() = default;
    // Status bar panels are numbered from 1 as the operator sees them.
    virtual void SetPanelText(int panel, const QString &text) = 0;
    // Enables the main window's clock so that the refresh runs.
    virtual void EnableClock() = 0;
    // Caption of the start-all command's button on the toolbar; its tooltip stays.
    virtual void SetStartButtonCaption(const QString &caption) = 0;
};
