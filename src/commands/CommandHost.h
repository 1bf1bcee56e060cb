#pragma once
// What the toolbar, menu and key commands show on the main window, and the windows they open.

#include <QString>

struct ViewSettings;

// The main window implements this. Buttons and menu entries are not here: the commands change
// their actions (CommandActions), which the toolbar shows.
class CommandHost {
public:
    virtual ~CommandHost() = default;

    // The window's clock: while it runs, every running item is brought up to date each minute.
    virtual bool ClockEnabled() const = 0;
    virtual void SetClockEnabled(bool enabled) = 0;

    // The window, its list and its status bar.
    virtual void SetCaption(const QString &caption) = 0;
    virtual void SetPanelText(int panel, const QString &text) = 0; // StatusPanel
    virtual void SetListToolTip(const QString &tip) = 0;
    virtual void RevealRow(int pos) = 0; // select row pos and scroll it into view
    virtual void SetListView(int view) = 0; // 0 large icons, 1 small icons, 2 list, 3 report
    virtual void doResize() = 0; // lays the list out and redraws its frame
    virtual ViewSettings &viewSettings() = 0;

    // Windows the commands open.
    virtual void ShowNewItemsDialog() = 0; // modal, owned by the main window
    virtual void ShowSchemeDialog() = 0; // modal, owned by the main window
    virtual void ShowHelp() = 0; // the help file at topic context 1
    virtual void ShowAbout() = 0; // the splash window as About, its timer stopped
    virtual void ShowHistory() = 0;
};
