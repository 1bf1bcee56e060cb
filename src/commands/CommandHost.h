#pragma once
// What the toolbar, menu and key commands need from the main window.

#include <QString>

struct ViewSettings;

// The main window implements this; command tests use a fake. Toolbar buttons are named by their
// position (2, 4, ..., 20) and menu entries by their identifiers ("S1" ... "H3").
class CommandHost {
public:
    virtual ~CommandHost() = default;

    // Timing of the current item or of all items (the clock's state decides for SetTimer).
    virtual void StartTimer() = 0;
    virtual void EndTimer() = 0;
    virtual void SetTimer() = 0;
    virtual bool ClockEnabled() const = 0;
    virtual void SetClockEnabled(bool enabled) = 0;

    // Toolbar buttons and their menu entries.
    virtual void SetButtonCaption(int pos, const QString &caption) = 0;
    virtual void SetButtonToolTip(int pos, const QString &tip) = 0;
    virtual bool ButtonEnabled(int pos) const = 0;
    virtual void SetButtonEnabled(int pos, bool enabled) = 0;
    virtual void SetEntryEnabled(const QString &id, bool enabled) = 0;

    // The window, its list and its status bar.
    virtual void SetCaption(const QString &caption) = 0;
    virtual void SetPanelText(int panel, const QString &text) = 0;
    virtual void SetListToolTip(const QString &tip) = 0;
    virtual void ItemClick(int pos) = 0;       // the list's item-click handling for row pos
    virtual void RevealRow(int pos) = 0;       // select row pos and scroll it into view
    virtual void SetListView(int view) = 0;    // 0 large icons, 1 small icons, 2 list, 3 report
    virtual void doResize() = 0;
    virtual ViewSettings &viewSettings() = 0;

    // Windows the commands open.
    virtual void ShowNewItemsDialog() = 0;   // modal, owned by the main window
    virtual void ShowSchemeDialog() = 0;     // modal, owned by the main window
    virtual void ShowHelp() = 0;             // the help file at topic context 1
    virtual void ShowAbout() = 0;            // the splash window as About, its timer stopped
    virtual void ShowHistory() = 0;
};
