#pragma once
// The main window: the list of timing items, the toolbar and the status bar, which show the
// program's clock.

#include "commands/CommandHost.h"
#include "draw/FrameDrawing.h"
#include "timing/ViewSettings.h"

#include <QPixmap>
#include <QWidget>

#include <functional>

class CommandActions;
class ItemContextMenu;
class ItemListView;
class MainStatusBar;
class MainToolbar;
class ModClock;
struct Moment;
class Prompter;
class SettingsStore;
class TimingClock;
class ToolbarCommands;
struct WindowState;

class fClock : public QWidget, public CommandHost {
    Q_OBJECT
public:
    // The initialisation runs here, before the window is first shown: the view settings are read
    // and the frame drawing is prepared. The window shows timing's clock from here on.
    fClock(ModClock &state, SettingsStore &store, Prompter &prompter, TimingClock &timing, QWidget *parent = nullptr);
    ~fClock() override;

    // Runs the command a typed character stands for; true when it was one. Such a key is the
    // command's alone: the list never sees it, so it cannot move the current item.
    void setKeyCommand(std::function<bool(QChar)> run) { m_keyCommand = std::move(run); }
    // The commands the letter keys and a click on a row run; their current item is the list's
    // highlighted row from here on.
    void setCommands(ToolbarCommands &commands);

    // The actions of the toolbar's buttons and menu entries, which the toolbar shows.
    CommandActions *actions() const { return m_actions; }

    // CommandHost
    bool clockEnabled() const override;
    void setClockEnabled(bool enabled) override;
    void setCaption(const QString &caption) override;
    // The operator on duty, shown after whatever the caption says; none when empty.
    void setOnDuty(const QString &operatorName);
    void setPanelText(int panel, const QString &text) override;
    void setPanelToolTip(int panel, const QString &tip) override;
    void setListToolTip(const QString &tip) override;
    void revealRow(int pos) override;
    void setListView(int view) override;
    void doResize() override;
    ViewSettings &viewSettings() override { return m_settings; }

    double twipsPerPixel() const { return m_twipsPerPixel; }
    const QPixmap &surface() const { return m_surface; }

    MainToolbar *Tbar() const { return m_tbar; }
    ItemListView *Lvw() const { return m_lvw; }
    MainStatusBar *Sbar() const { return m_sbar; }
    // The list's context menu with the current item's commands.
    ItemContextMenu *itemMenu() const { return m_itemMenu; }
    TimingClock &Clock() const { return m_timing; }

    // Closes the window as the answer Yes to the exit question does, without asking: for an end
    // chosen outside the window (a signal to the process, the desktop session ending).
    void closeConfirmed();

    // The place, size and column widths the operator left the window with, restored before it is
    // first shown; a place on no screen (a monitor since unplugged) leaves it centred.
    void restoreLayout(const WindowState &state);
    void keepLayout(WindowState &state) const;

Q_SIGNALS:
    // The operator answered Yes to leaving: the running items need not survive this run.
    void exitConfirmed();
    // The window goes, by the operator's Yes or an end chosen outside it: its view settings are
    // in the store, not yet written, so that the schemes can reach the file with them at once.
    void unloading();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void initialise();
    void layoutBars();
    void addUsualKeys();
    void showSecond(const Moment &now);
    void centreOnScreen();
    int toTwips(int pixels) const;
    int toPixels(int twips) const;

    ModClock &m_state;
    SettingsStore &m_store;
    Prompter &m_prompter;
    TimingClock &m_timing;
    ViewSettings m_settings;
    FrameDrawing m_fx;
    double m_twipsPerPixel = 15;
    QPixmap m_surface; // the retained image the frame is drawn into
    std::function<bool(QChar)> m_keyCommand;
    bool m_closeConfirmed = false;
    QString m_caption; // what the caption says, without the operator on duty
    QString m_onDuty;

    CommandActions *m_actions;
    MainToolbar *m_tbar;
    ItemListView *m_lvw;
    MainStatusBar *m_sbar;
    ItemContextMenu *m_itemMenu;
};
