#pragma once
// Everything the running program is made of, created once at start and wired together.

#include <QObject>

#include <memory>

class fClock;
class IniSettingsStore;
class MessageBoxPrompter;
class ModClock;
class SystemWallClock;

class Program : public QObject {
    Q_OBJECT
public:
    Program();
    ~Program() override;

    // Loads the main window (its initialisation runs) without showing it.
    fClock &mainWindow();
    ModClock &state() { return *m_state; }

private:
    std::unique_ptr<IniSettingsStore> m_store;
    std::unique_ptr<SystemWallClock> m_clock;
    std::unique_ptr<ModClock> m_state;
    std::unique_ptr<MessageBoxPrompter> m_prompter;
    std::unique_ptr<fClock> m_main;
};
