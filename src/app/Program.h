#pragma once
// Everything the running program is made of, created once at start and wired together.

#include "app/WindowState.h"
#include "commands/LimitNotifier.h"
#include "dialogs/Prompter.h"
#include "timing/GoodsLine.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>

#include <functional>

#include <memory>

struct ReceiptSettings;
class CurrentItem;
class ExportFolder;
class fClock;
class HistoryLog;
class HistoryWindow;
class ShiftHandOver;
class TimingReports;
class ToolbarCommands;
class WindowHelpViewer;
class fSplash;
class InstanceGuard;
class LimitAlerts;
class ItemJournal;
class MessageBoxPrompter;
class ModClock;
class Tariff;
class QWidget;
class ReportPrinter;
class RunRecords;
class SettingsStore;
class TimingClock;
class WallClock;

class Program : public QObject {
    Q_OBJECT
public:
    // What the program talks to outside itself. Left empty, each part is the real one (the
    // per-user settings file, the system clock, message boxes, the lock file, the report
    // component); tests put doubles in to drive the assembled program.
    struct Outside {
        std::unique_ptr<SettingsStore> store;
        std::unique_ptr<WallClock> clock;
        std::unique_ptr<Prompter> prompter;
        std::unique_ptr<InstanceGuard> guard;
        std::function<std::unique_ptr<ReportPrinter>(QWidget *owner)> printer;
        std::unique_ptr<LimitNotifier> notifier; // tells of items that reached their limits
    };

    Program();
    explicit Program(Outside outside);
    ~Program() override;

    // Starts through the splash window. False when the operator chose to quit this copy because
    // another one runs, or when an end was asked for meanwhile (endAsConfirmed): the caller ends
    // the process without showing or saving anything.
    bool start();

    // Loads the main window (its initialisation runs) without showing it.
    fClock &mainWindow();
    // The splash window again, as the About window.
    void showAbout();
    // Ends the program as the answer Yes to the exit question does, without asking: for an end
    // chosen outside the windows (a signal, the session ending). Open boxes and dialogs are closed
    // as Esc closes them. Before the main window is shown nothing is saved, and start() says stop.
    void endAsConfirmed();
    ModClock &state() { return *m_state; }
    // The item the commands act on; there is none before the main window is loaded.
    CurrentItem &currentItem() { return *m_current; }
    // The journal recording the changes, once the offer of the last one is settled.
    ItemJournal *journal() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    fSplash *newSplash();
    void showHistory();
    // Opens the windows the commands ask for.
    void connectCommands(fClock &w);
    // The scheme list to the store, written at once with whatever else the store holds staged.
    void saveSchemes();
    void saveGoods();
    // The windows' places and sizes to the state file.
    void saveLayout();
    // Once the main window is up: offers the items of a run that ended unexpectedly, and keeps
    // the journal from then on.
    void resumeJournal();
    // The operator on duty in the caption, and the hand-over command, once the ledger is kept.
    void keepShifts();

    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<WallClock> m_clock;
    std::unique_ptr<RunRecords> m_records; // the journal and the day's ledger
    std::unique_ptr<Tariff> m_tariff; // outlives the list it prices
    QList<GoodsLine> m_goods; // the goods on offer
    std::unique_ptr<ModClock> m_state;
    std::unique_ptr<CurrentItem> m_current;
    std::unique_ptr<Prompter> m_prompter;
    MessageBoxPrompter *m_boxes = nullptr; // m_prompter when it shows real boxes, to re-parent them
    std::unique_ptr<InstanceGuard> m_guard;
    std::function<std::unique_ptr<ReportPrinter>(QWidget *owner)> m_printer;
    // Where every export and saved report is first offered, kept in the settings store.
    std::shared_ptr<ExportFolder> m_exportFolder;
    // Read with the main window; every report and the history's views follow it as it changes.
    std::shared_ptr<ReceiptSettings> m_receipt;
    std::unique_ptr<TimingClock> m_timing; // outlives the window that shows it
    std::unique_ptr<fClock> m_main;
    std::unique_ptr<HistoryLog> m_history;
    std::unique_ptr<TimingReports> m_reports;
    std::unique_ptr<ToolbarCommands> m_commands;
    std::unique_ptr<LimitNotifier> m_notifier;
    std::unique_ptr<LimitAlerts> m_limitAlerts;
    std::unique_ptr<WindowHelpViewer> m_help;
    QPointer<HistoryWindow> m_historyWindow;
    ShiftHandOver *m_handOver = nullptr; // once the ledger is kept
    WindowState m_layout; // as read at the start, kept up to date on the way out
    bool m_ending = false;
};
