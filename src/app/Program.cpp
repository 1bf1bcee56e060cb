#include "Program.h"

#include "HelpDocument.h"
#include "HelpWindow.h"
#include "HistoryLog.h"
#include "HistoryWindow.h"
#include "IniSettingsStore.h"
#include "QtReportPrinter.h"
#include "Reports.h"
#include "ToolbarCommands.h"
#include "WindowHelpViewer.h"
#include "LockFileInstanceGuard.h"
#include "fSplash.h"

#include <QCoreApplication>
#include <QTimer>
#include "MessageBoxPrompter.h"
#include "ModClock.h"
#include "NewItemsDialog.h"
#include "SchemeDialog.h"
#include "WallClock.h"
#include "fClock.h"

Program::Program() : Program(Outside{}) {}

Program::Program(Outside outside)
    : m_store(std::move(outside.store)), m_clock(std::move(outside.clock)), m_state(std::make_unique<ModClock>()),
      m_prompter(std::move(outside.prompter)), m_guard(std::move(outside.guard)), m_printer(std::move(outside.printer))
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
    if (!m_printer)
        m_printer = [](QWidget *owner) { return std::make_unique<QtReportPrinter>(owner); };
}

Program::~Program()
{
    // The history window and any preview belong to the main window; it goes first.
    delete m_historyWindow;
    m_commands.reset();
    m_reports.reset();
    m_main.reset();
}

fClock &Program::mainWindow()
{
    if (!m_main) {
        m_main = std::make_unique<fClock>(*m_state, *m_store, *m_prompter, *m_clock);
        fClock *w = m_main.get();
        // Boxes asked while the main window is up belong to it.
        if (m_boxes)
            *m_boxes = MessageBoxPrompter(w);
        m_history = std::make_unique<HistoryLog>();
        const Reports::PrinterFactory printer = [this, w] { return m_printer(w); };
        m_reports = std::make_unique<Reports>(*m_state, *m_clock, printer);
        m_commands = std::make_unique<ToolbarCommands>(*m_state, *w, *m_prompter, *m_clock, *m_reports, *m_history);
        m_help = std::make_unique<WindowHelpViewer>(*m_prompter);
        connect(w, &fClock::buttonClicked, this, [this](int pos) { m_commands->ButtonClick(pos); });
        connect(w, &fClock::entryClicked, this, [this](const QString &id) { m_commands->MenuClick(id); });
        w->setKeyCommand([this](QChar ch) { return m_commands->KeyPress(ch); });

        fClock::Openers openers;
        openers.newItems = [this, w] { NewItemsDialog::Run(*m_state, *m_clock, *m_prompter, *w, w); };
        openers.scheme = [this, w] { SchemeDialog::Run(*m_state, w); };
        openers.about = [this] { showAbout(); };
        openers.help = [this, w] { m_help->ShowHelp(w->helpFile(), HelpDocument::ContentsContext, w); };
        openers.history = [this] { showHistory(); };
        w->setOpeners(std::move(openers));
    }
    return *m_main;
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
    return newSplash()->Form_Load();
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

void Program::showHistory()
{
    fClock &w = mainWindow();
    if (!m_historyWindow) {
        const Reports::PrinterFactory printer = [this, &w] { return m_printer(&w); };
        m_historyWindow = new HistoryWindow(*m_history, *m_clock, printer, &w);
        m_historyWindow->move(w.geometry().center() - m_historyWindow->rect().center());
    }
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}
