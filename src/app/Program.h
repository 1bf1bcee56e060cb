#pragma once
// Everything the running program is made of, created once at start and wired together.

#include <QObject>
#include <QPointer>

#include <memory>

class fClock;
class HistoryLog;
class HistoryWindow;
class Reports;
class ToolbarCommands;
class WindowHelpViewer;
class IniSettingsStore;
class LockFileInstanceGuard;
class fSplash;
class MessageBoxPrompter;
class ModClock;
class SystemWallClock;

class Program : public QObject {
    Q_OBJECT
public:
    Program();
    ~Program() override;

    // Starts through the splash window. False when the operator chose to quit this copy because
    // another one runs: the caller ends the process without showing or saving anything.
    bool start();

    // Loads the main window (its initialisation runs) without showing it.
    fClock &mainWindow();
    // The splash window again, as the About window.
    void showAbout();
    ModClock &state() { return *m_state; }

private:
    fSplash *newSplash();
    void showHistory();

    std::unique_ptr<IniSettingsStore> m_store;
    std::unique_ptr<SystemWallClock> m_clock;
    std::unique_ptr<ModClock> m_state;
    std::unique_ptr<MessageBoxPrompter> m_prompter;
    std::unique_ptr<LockFileInstanceGuard> m_guard;
    std::unique_ptr<fClock> m_main;
    std::unique_ptr<HistoryLog> m_history;
    std::unique_ptr<Reports> m_reports;
    std::unique_ptr<ToolbarCommands> m_commands;
    std::unique_ptr<WindowHelpViewer> m_help;
    QPointer<HistoryWindow> m_historyWindow;
};
