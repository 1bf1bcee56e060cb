#pragma once
// What the toolbar, menu and key commands show on the main window.

#include <QString>

struct ViewSettings;

// The main window implements this. Buttons and menu entries are not here: the commands change
// their actions (CommandActions), which the toolbar shows.
class CommandHost {
public:
    virtual ~CommandHost() = default;

    // Timing is on: the caption shows the running time and start-all ends every running item.
    virtual bool clockEnabled() const = 0;
    virtual void setClockEnabled(bool enabled) = 0;

    // The window, its list and its status bar.
    virtual void setCaption(const QString &caption) = 0;
    virtual void setPanelText(int panel, const QString &text) = 0; // StatusPanel
    virtual void setPanelToolTip(int panel, const QString &tip) = 0;
    virtual void setListToolTip(const QString &tip) = 0;
    virtual void revealRow(int pos) = 0; // select row pos and scroll it into view
    virtual void setListView(int view) = 0; // 0 large icons, 1 small icons, 2 list, 3 report
    virtual void doResize() = 0; // lays the list out and redraws its frame
    virtual ViewSettings &viewSettings() = 0;
};
