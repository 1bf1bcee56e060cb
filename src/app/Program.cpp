#include "Program.h"

#include "IniSettingsStore.h"
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

Program::Program()
    : m_store(std::make_unique<IniSettingsStore>()), m_clock(std::make_unique<SystemWallClock>()),
      m_state(std::make_unique<ModClock>()), m_prompter(std::make_unique<MessageBoxPrompter>(nullptr)),
      m_guard(std::make_unique<LockFileInstanceGuard>())
{
}

Program::~Program() = default;

fClock &Program::mainWindow()
{
    if (!m_main) {
        m_main = std::make_unique<fClock>(*m_state, *m_store, *m_prompter, *m_clock);
        fClock *w = m_main.get();
        // Boxes asked while the main window is up belong to it.
        *m_prompter = MessageBoxPrompter(w);
        fClock::Openers openers;
        openers.newItems = [this, w] { NewItemsDialog::Run(*m_state, *m_clock, *m_prompter, *w, w); };
        openers.scheme = [this, w] { SchemeDialog::Run(*m_state, w); };
        openers.about = [this] { showAbout(); };
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
