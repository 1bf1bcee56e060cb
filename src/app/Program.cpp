#include "app/Program.h"

#include "app/CrashRecovery.h"
#include "app/FreedMemory.h"
#include "app/RunRecords.h"
#include "app/LockFileInstanceGuard.h"
#include "app/MainStatusBar.h"
#include "app/TrayLimitNotifier.h"
#include "app/fSplash.h"
#include "commands/CommandTable.h"
#include "draw/Artwork.h"
#include "commands/CurrentItem.h"
#include "commands/HistoryLog.h"
#include "commands/LimitAlerts.h"
#include "commands/TimingReports.h"
#include "commands/ToolbarCommands.h"
#include "commands/WindowPlacement.h"
#include "dialogs/ReceiptDialog.h"
#include "help/HelpDocument.h"
#include "help/HelpWindow.h"
#include "help/WindowHelpViewer.h"
#include "history/HistoryWindow.h"
#include "history/LedgerDayView.h"
#include "history/LedgerPeriodView.h"
#include "history/ShiftHandOver.h"
#include "report/ExportFolder.h"
#include "report/FileDialogSaveAsker.h"
#include "report/QtReportPrinter.h"
#include "timing/DayLedger.h"
#include "timing/ExportSettings.h"
#include "timing/IniSettingsStore.h"
#include "timing/ItemJournal.h"
#include "timing/ReceiptSettings.h"
#include "timing/ShiftRecord.h"

#include "app/fClock.h"
#include "dialogs/GoodsDialog.h"
#include "dialogs/LimitDialog.h"
#include "dialogs/MessageBoxPrompter.h"
#include "dialogs/MoveDialog.h"
#include "dialogs/NewItemsDialog.h"
#include "dialogs/SchemeDialog.h"
#include "dialogs/SchemeStorePrompts.h"
#include "timing/GoodsStore.h"
#include "timing/ModClock.h"
#include "timing/Moment.h"
#include "timing/SchemeStore.h"
#include "timing/Tariff.h"
#include "timing/TimingClock.h"
#include "timing/WallClock.h"
#include <QApplication>
#include <QDialog>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

Program::Program() : Program(Outside {})
{ }

Program::Program(Outside outside)
    : m_store(std::move(outside.store)), m_clock(std::move(outside.clock)), m_tariff(std::make_unique<Tariff>()),
      m_state(std::make_unique<ModClock>(*m_tariff)),
      m_prompter(std::move(outside.prompter)), m_guard(std::move(outside.guard)), m_printer(std::move(outside.printer)),
      m_notifier(std::move(outside.notifier))
{
    if (!m_store)
        m_store = std::make_unique<IniSettingsStore>();
    if (!m_clock)
        m_clock = std::make_unique<SystemWallClock>();
    if (!m_prompter) {
        auto boxes = std::make_unique<MessageBoxPrompter>(nullptr);
        m_boxes = boxes.get();
        m_prompter = std::move(boxes);
    }
    if (!m_guard)
        m_guard = std::make_unique<LockFileInstanceGuard>();
    m_records = std::make_unique<RunRecords>(*m_state, *m_clock, *m_prompter, *m_guard, [this] { return m_ending; });
    // Kept at once, not at the end: the next run offers the folder even after a crash.
    m_exportFolder = std::make_shared<ExportFolder>(
        [this] { return ExportSettings::folder(*m_store); },
        [this](const QString &folder) {
            ExportSettings::setFolder(*m_store, folder);
            SchemeStorePrompts::commit(*m_store, *m_prompter);
        });
    if (!m_printer)
        m_printer = [this](QWidget *owner) {
            return std::make_unique<QtReportPrinter>(owner, nullptr, nullptr, m_exportFolder);
        };
}

Program::~Program()
{
    // The history window and any preview belong to the main window; it goes first.
    delete m_historyWindow;
    m_limitAlerts.reset();
    m_commands.reset();
    m_reports.reset();
    m_main.reset();
}

ItemJournal *Program::journal() const
{
    return m_records->journal();
}

fClock &Program::mainWindow()
{
    if (!m_main) {
        // Drawn once the splash is on the screen: every window shown from here on carries it.
        QApplication::setWindowIcon(Artwork::appIcon());
        // Read while the splash is topmost: a box about a bad entry belongs to it.
        SchemeStorePrompts::LoadFangAn(*m_tariff, *m_store, *m_prompter);
        m_goods = GoodsStore::load(*m_store);
        m_timing = std::make_unique<TimingClock>(*m_clock, *m_state);
        m_main = std::make_unique<fClock>(*m_state, *m_store, *m_prompter, *m_timing);
        fClock *w = m_main.get();
        m_layout = WindowState::read(WindowState::defaultPath());
        w->restoreLayout(m_layout);
        // Boxes asked while the main window is up belong to it.
        if (m_boxes)
            *m_boxes = MessageBoxPrompter(w);
        m_history = std::make_unique<HistoryLog>();
        const TimingReports::PrinterFactory printer = [this, w] { return m_printer(w); };
        m_reports = std::make_unique<TimingReports>(*m_state, *m_clock, printer);
        m_receipt = std::make_shared<ReceiptSettings>();
        m_receipt->load(*m_store);
        m_reports->setReceipt(m_receipt);
        m_current = std::make_unique<CurrentItem>(m_state->lvwMain);
        m_commands = std::make_unique<ToolbarCommands>(*m_state, *m_current, *w, *w->actions(), *m_prompter, *m_clock,
                                                       *m_reports, *m_history);
        w->setCommands(*m_commands);
        if (!m_notifier)
            m_notifier = std::make_unique<TrayLimitNotifier>(w);
        m_limitAlerts = std::make_unique<LimitAlerts>(*m_state, *w, *m_notifier);
        // The operator acknowledges the limit alerts on panel 1 by clicking it, or by Esc, which
        // the main window has no other use for.
        connect(w->Sbar(), &MainStatusBar::panelClicked, m_limitAlerts.get(), [this](int panel) {
            if (panel == StatusPanel::Hint)
                m_limitAlerts->acknowledge();
        });
        auto *seen = new QShortcut(QKeySequence(Qt::Key_Escape), w);
        connect(seen, &QShortcut::activated, m_limitAlerts.get(), &LimitAlerts::acknowledge);
        m_help = std::make_unique<WindowHelpViewer>(*m_prompter);
        connect(w, &fClock::exitConfirmed, this, [this] {
            // The list goes with the program; its items' bills stay in the day's takings.
            m_state->leaveAll(m_clock->moment());
            if (ItemJournal *journal = m_records->journal())
                journal->discard();
        });
        // The unload: the scheme list reaches the file together with the view settings the window
        // has just put in the store, in one replacement.
        connect(w, &fClock::unloading, this, &Program::saveSchemes);
        connect(w, &fClock::unloading, this, &Program::saveLayout);
        connectCommands(*w);
    }
    return *m_main;
}

void Program::saveSchemes()
{
    SchemeStore::SaveFangAn(*m_tariff, *m_store);
    SchemeStorePrompts::commit(*m_store, *m_prompter);
}

void Program::saveGoods()
{
    GoodsStore::save(m_goods, *m_store);
    SchemeStorePrompts::commit(*m_store, *m_prompter);
}

void Program::saveLayout()
{
    m_main->keepLayout(m_layout);
    if (m_historyWindow)
        m_layout.history = m_historyWindow->size();
    // Only the windows' look is lost when the file cannot be written: not worth a box on the way out.
    m_layout.write(WindowState::defaultPath());
}

void Program::connectCommands(fClock &w)
{
    ToolbarCommands *c = m_commands.get();
    // A change of schemes the operator confirms is written at once.
    const auto save = [this] { saveSchemes(); };
    connect(c, &ToolbarCommands::newItemsRequested, this, [this, &w, save] {
        NewItemsDialog::run(*m_state, *m_clock, *m_prompter, &w, save, [this] { m_commands->clockStartedByAnItem(); });
    });
    connect(c, &ToolbarCommands::schemeRequested, this, [this, &w, save] { SchemeDialog::run(*m_tariff, &w, save); });
    connect(c, &ToolbarCommands::aboutRequested, this, &Program::showAbout);
    connect(c, &ToolbarCommands::helpRequested, this,
            [this, &w] { m_help->showProgramHelp(HelpDocument::ContentsContext, &w); });
    connect(c, &ToolbarCommands::historyRequested, this, &Program::showHistory);
    connect(c, &ToolbarCommands::receiptRequested, this, [this, &w] {
        ReceiptDialog::run(*m_receipt, &w, [this] {
            m_receipt->save(*m_store);
            SchemeStorePrompts::commit(*m_store, *m_prompter);
        });
    });
    connect(c, &ToolbarCommands::limitRequested, this,
            [this, &w](int pos) { LimitDialog::run(*m_state, pos, *m_clock, *m_prompter, &w); });
    connect(c, &ToolbarCommands::goodsRequested, this, [this, &w](int pos) {
        GoodsDialog::run(
            *m_state, pos, *m_clock, m_goods, *m_prompter, [this] { saveGoods(); }, &w);
    });
    connect(c, &ToolbarCommands::handOverRequested, this, [this, &w] {
        if (m_handOver)
            m_handOver->run(&w);
    });
    connect(c, &ToolbarCommands::moveRequested, this,
            [this, &w](int pos) { MoveDialog::run(*m_state, pos, *m_clock, *m_prompter, &w); });
}

fSplash *Program::newSplash()
{
    fSplash::MainWindowHooks hooks;
    hooks.load = [this] { mainWindow(); };
    hooks.show = [this] { mainWindow().show(); };
    auto *splash = new fSplash(std::move(hooks), *m_guard, *m_prompter);
    // Created when shown, discarded when closed.
    splash->setAttribute(Qt::WA_DeleteOnClose);
    // Boxes asked while the main window loads (a bad scheme entry) belong to the topmost splash,
    // so that they show above it.
    if (!m_main)
        if (m_boxes)
            *m_boxes = MessageBoxPrompter(splash);
    return splash;
}

bool Program::start()
{
    fSplash *splash = newSplash();
    // The restore question waits until the topmost splash has gone, so nothing covers it; the
    // splash goes only once the main window is up.
    connect(splash, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, [this] {
            m_records->keepLedger();
            keepShifts();
            resumeJournal();
            // Once the main window has painted and the splash is gone for good.
            QTimer::singleShot(3000, this, [] { returnFreedMemory(); });
        });
    });
    return splash->Form_Load() && !m_ending;
}

void Program::endAsConfirmed()
{
    if (m_ending)
        return;
    m_ending = true;
    // The journal stays for the next start; it learns when this run stopped, so that the items'
    // bills can be settled as they stood now.
    if (ItemJournal *journal = m_records->journal()) {
        journal->alive(m_clock->now(), true);
        journal->flush();
    }
    // The code that opened a box or dialog runs on to its end with the answer Esc gives.
    QList<QPointer<QWidget>> modal;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isModal())
            modal.append(w);
    for (const QPointer<QWidget> &w : modal)
        if (w)
            w->close();
    // Boxes opened from here on are closed as they open: start-up goes through to its end, and
    // whatever runs after the main window has gone asks nothing.
    qApp->installEventFilter(this);
    QCoreApplication::exit(0);
    if (m_main && m_main->isVisible())
        m_main->closeConfirmed();
}

bool Program::eventFilter(QObject *watched, QEvent *event)
{
    if (m_ending && event->type() == QEvent::Show)
        if (auto *dialog = qobject_cast<QDialog *>(watched); dialog && dialog->isModal())
            QMetaObject::invokeMethod(dialog, &QWidget::close, Qt::QueuedConnection);
    return false;
}

void Program::showAbout()
{
    fSplash *splash = newSplash();
    splash->setAboutMode();
    if (!splash->Form_Load()) {
        QCoreApplication::exit(0);
        return;
    }
    splash->Timer1()->stop();
}

void Program::resumeJournal()
{
    CrashRecovery::Hooks hooks;
    hooks.restored = [this] {
        // The current item is the operator's choice in this run, not something to bring back.
        m_current->set(0);
        mainWindow();
    };
    hooks.timing = [this] { m_commands->clockStartedByAnItem(); };
    // A restore adds its items one by one, each current in turn as an item the operator adds is,
    // and the list scrolled to every one of thousands, asking the display each time. None is
    // current once it is done (restored, above), so nothing hears of them meanwhile.
    const QSignalBlocker quiet(m_current.get());
    m_records->resumeJournal(std::move(hooks));
}

void Program::keepShifts()
{
    ShiftRecord *shifts = m_records->shifts();
    if (!shifts || m_handOver)
        return;
    fClock &w = mainWindow();
    m_handOver = new ShiftHandOver(*shifts, *m_records->ledger(), m_state.get(), *m_clock,
                                   [this, &w] { return m_printer(&w); }, this);
    m_handOver->setReceipt(m_receipt);
    const auto onDuty = [shifts, &w] { w.setOnDuty(shifts->current() ? shifts->current()->operatorName : QString()); };
    connect(shifts, &ShiftRecord::changed, &w, onDuty);
    onDuty();
}

void Program::showHistory()
{
    fClock &w = mainWindow();
    if (!m_historyWindow) {
        const TimingReports::PrinterFactory printer = [this, &w] { return m_printer(&w); };
        m_historyWindow = new HistoryWindow(*m_history, *m_clock, printer, &w);
        if (DayLedger *ledger = m_records->ledger()) {
            auto *day = new LedgerDayView(*ledger, m_state.get(), *m_clock,
                                          std::make_unique<FileDialogSaveAsker>(m_historyWindow), m_exportFolder,
                                          m_historyWindow);
            day->setShifts(m_records->shifts());
            connect(day, &LedgerDayView::handOverRequested, day, [this, day] {
                if (m_handOver)
                    m_handOver->run(day->window());
            });
            m_historyWindow->addDayView(day);
            m_historyWindow->addPeriodView(new LedgerPeriodView(*ledger, *m_clock,
                                                                std::make_unique<FileDialogSaveAsker>(m_historyWindow),
                                                                m_exportFolder, m_historyWindow));
        }
        m_historyWindow->setReceipt(m_receipt);
        if (m_layout.history.isValid())
            m_historyWindow->resize(m_layout.history.expandedTo(m_historyWindow->minimumSizeHint()));
        centreOn(*m_historyWindow, w);
    }
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}
