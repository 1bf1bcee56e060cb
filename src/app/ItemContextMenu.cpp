#include "app/ItemContextMenu.h"

#include "commands/CommandActions.h"

#include <QAction>

ItemContextMenu::ItemContextMenu(CommandActions &actions, QWidget *parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("mnuItem"));
    addTwin(QStringLiteral("开始 &S"), actions.action(Entry::S1));
    addTwin(QStringLiteral("终止 &E"), actions.action(Entry::S2));
    addTwin(QStringLiteral("预览 &V"), actions.action(Entry::V1));
    addTwin(QStringLiteral("打印 &P"), actions.action(Entry::P1));
    // Removing cannot be taken back; it stands apart from the rest.
    addSeparator();
    addTwin(QStringLiteral("移除 &M"), actions.action(Button::Remove));
}

void ItemContextMenu::addTwin(const QString &text, QAction *twin)
{
    QAction *entry = addAction(text);
    entry->setEnabled(twin->isEnabled());
    connect(twin, &QAction::enabledChanged, entry, &QAction::setEnabled);
    connect(entry, &QAction::triggered, twin, &QAction::trigger);
}
