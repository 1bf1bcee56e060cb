#pragma once
// The main window: the list of timing items, the toolbar, the status bar and the clock.

#include "commands/CommandHost.h"
#include "draw/FrameDrawing.h"
#include "timing/ClockTick.h"
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
class Prompter;
class QSocketNotifier;
class QTimer;
class SettingsStore;
class ToolbarCommands;
class WallClock;

class fClock : public QWidget, public CommandHost {
    Q_OBJECT
public:
    // The initialisation runs here, before the window is first shown: schemes and view settings
    // are read, the frame drawing is prepared and the help file's path is set.
    fClock(ModClock &state, SettingsStore &store, Prompter &prompter, WallClock &clock, QWidget *parent = nullptr);
    ~fClock() override;

    // Windows and viewers the commands open; the program wires them, tests may replace them.
    struct Openers {
        std::function<void()> newItems, scheme, help, about, history;
    };
    void setOpeners(Openers openers) { m_openers = std::move(openers); }
    // Runs the command a typed character stands for; true when it was one. Such a key is the
    // command's alone: the list never sees it, so it cannot move the current item.
    void setKeyCommand(std::function<bool(QChar)> run) { m_keyCommand = std::move(run); }
    // The commands the letter keys and a click on a row run.
    void setCommands(ToolbarCommands &commands);

    // The actions of the toolbar's buttons and menu entries, which the toolbar shows.
    CommandActions *actions() const { return m_actions; }

    // CommandHost
    bool ClockEnabled() const override;
    void SetClockEnabled(bool enabled) override;
    void SetCaption(const QString &caption) override;
    void SetPanelText(int panel, const QString &text) override;
    void SetListToolTip(const QString &tip) override;
    void RevealRow(int pos) override;
    void SetListView(int view) override;
    void doResize() override;
    ViewSettings &viewSettings() override { return m_settings; }
    void ShowNewItemsDialog() override;
    void ShowSchemeDialog() override;
    void ShowHelp() override;
    void ShowAbout() override;
    void ShowHistory() override;

    QString helpFile() const { return m_helpFile; }
    double twipsPerPixel() const { return m_twipsPerPixel; }
    const QPixmap &surface() const { return m_surface; }

    MainToolbar *Tbar() const { return m_tbar; }
    ItemListView *Lvw() const { return m_lvw; }
    MainStatusBar *Sbar() const { return m_sbar; }
    // The list's context menu with the current item's commands.
    ItemContextMenu *ItemMenu() const { return m_itemMenu; }
    QTimer *Clock() const { return m_clockTimer; }
    ClockTick &tick() { return m_tick; }
    // One tick of the clock. While enabled the timer runs it 10 ms after it is enabled and then
    // just after each change of the second (the only moments a tick can show anything new), and
    // each tick arms the timer for the next one.
    void Clock_Timer();
    // The system clock was set: everything showing the time catches up now, not at the next wake.
    void WallClockStepped();

    // Brings the rows of items being timed up to date at each new minute while the clock is off,
    // looking whenever the status bar shows a new second: an item started on its own (its start
    // entry) runs without the clock and still needs its bill.
    void MinuteWatch_Timer();

    // Closes the window as the answer Yes to the exit question does, without asking: for an end
    // chosen outside the window (a signal to the process, the desktop session ending).
    void closeConfirmed();

Q_SIGNALS:
    // The operator answered Yes to leaving: the running items need not survive this run.
    void exitConfirmed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void initialise();
    void layoutBars();
    void addUsualKeys();
    int toTwips(int pixels) const;
    int toPixels(int twips) const;

    ModClock &m_state;
    SettingsStore &m_store;
    Prompter &m_prompter;
    WallClock &m_clock;
    ViewSettings m_settings;
    FrameDrawing m_fx;
    ClockTick m_tick;
    double m_twipsPerPixel = 15;
    QString m_helpFile;
    QPixmap m_surface; // the retained image the frame is drawn into
    Openers m_openers;
    std::function<bool(QChar)> m_keyCommand;
    bool m_closeConfirmed = false;

    CommandActions *m_actions;
    MainToolbar *m_tbar;
    ItemListView *m_lvw;
    MainStatusBar *m_sbar;
    ItemContextMenu *m_itemMenu;
    QTimer *m_clockTimer;
    int m_stepFd = -1; // wakes when the system clock is set (Linux)
    QSocketNotifier *m_stepWatch = nullptr;
};
