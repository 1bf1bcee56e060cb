#include "commands/CommandActions.h"

#include <QAction>

#include <cstddef>

CommandActions::CommandActions(QObject *parent) : QObject(parent)
{
    for (const CommandTable::ButtonDef &def : CommandTable::Buttons()) {
        auto *a = new QAction(CommandTable::Caption(def.button), this);
        a->setToolTip(CommandTable::Hint(def.button));
        a->setEnabled(def.enabled);
        m_buttons[static_cast<std::size_t>(def.button)] = a;
    }
    for (const CommandTable::EntryDef &def : CommandTable::Entries()) {
        auto *a = new QAction(CommandTable::Text(def.entry), this);
        a->setObjectName(CommandTable::Id(def.entry));
        a->setEnabled(def.enabled);
        m_entries[static_cast<std::size_t>(def.entry)] = a;
    }
}

QAction *CommandActions::action(Button button) const
{
    return m_buttons[static_cast<std::size_t>(button)];
}

QAction *CommandActions::action(Entry entry) const
{
    return m_entries[static_cast<std::size_t>(entry)];
}
