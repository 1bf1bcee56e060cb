#pragma once
// The main window's toolbar: ten command buttons between spacers, five of them with menus.

#include "commands/CommandTable.h"

#include <QToolBar>

#include <array>

class CommandActions;
class QAction;
class ToolbarButton;

// Shows the commands' actions as the command table lays them out; it runs nothing itself.
class MainToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit MainToolbar(CommandActions &actions, QWidget *parent = nullptr);

    ToolbarButton *button(Button button) const;
    // The action a menu entry shows.
    QAction *entry(Entry entry) const;

private:
    void addSpacer(int width);
    CommandActions &m_actions;
    std::array<ToolbarButton *, CommandTable::ButtonCount> m_buttons {};
};
