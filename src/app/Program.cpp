#include "Program.h"

#include "IniSettingsStore.h"
#include "MessageBoxPrompter.h"
#include "ModClock.h"
#include "NewItemsDialog.h"
#include "SchemeDialog.h"
#include "WallClock.h"
#include "fClock.h"

Program::Program()
    : m_store(std::make_unique<IniSettingsStore>()), m_clock(std::make_unique<SystemWallClock>()),
      m_state(std::make_unique<ModClock>()), m_prompter(std::make_unique<MessageBoxPrompter>(nullptr))
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
        w->setOpeners(std::move(openers));
    }
    return *m_main;
}
