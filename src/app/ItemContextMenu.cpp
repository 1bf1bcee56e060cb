#include "app/ItemContextMenu.h"

#include "commands/CommandActions.h"
#include "commands/CommandTable.h"

#include <QAction>

namespace {

QString withoutLetter(const QString &text)
{
    return text.left(text.indexOf(u'&')).trimmed();
}

// The entries of the preview and print menus are both "所选计时项 &S", and 开始's entry takes S
// too: here they carry their button's name and letter, the letter that reaches them on the toolbar.
QString underButton(Button button, Entry entry)
{
    return withoutLetter(CommandTable::caption(button)) + withoutLetter(CommandTable::text(entry))
        + QStringLiteral(" &") + QChar(CommandTable::of(button).letter);
}

} // namespace

ItemContextMenu::ItemContextMenu(CommandActions &actions, QWidget *parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("mnuItem"));
    addTwin(CommandTable::text(Entry::S1), actions.action(Entry::S1));
    addTwin(CommandTable::text(Entry::S2), actions.action(Entry::S2));
    addTwin(underButton(Button::Preview, Entry::V1), actions.action(Entry::V1));
    addTwin(underButton(Button::Print, Entry::P1), actions.action(Entry::P1));
    addTwin(actions.limitAction()->text(), actions.limitAction());
    addTwin(actions.goodsAction()->text(), actions.goodsAction());
    addTwin(actions.moveAction()->text(), actions.moveAction());
    // Removing cannot be taken back; it stands apart from the rest.
    addSeparator();
    addTwin(CommandTable::caption(Button::Remove), actions.action(Button::Remove));
}

void ItemContextMenu::addTwin(const QString &text, QAction *twin)
{
    QAction *entry = addAction(text);
    entry->setEnabled(twin->isEnabled());
    connect(twin, &QAction::enabledChanged, entry, &QAction::setEnabled);
    connect(entry, &QAction::triggered, twin, &QAction::trigger);
}
