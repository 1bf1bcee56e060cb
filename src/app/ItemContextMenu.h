#pragma once
// The list's context menu: the commands that act on the current item, where the operator points.

#include <QMenu>

class CommandActions;

// Each entry stands for a toolbar command, its twin: it is enabled exactly while the twin is and
// runs the twin when chosen. Each is called as on the toolbar and pressed by the toolbar's letter
// for it, so one command keeps one letter wherever it is chosen.
class ItemContextMenu : public QMenu {
    Q_OBJECT
public:
    explicit ItemContextMenu(CommandActions &actions, QWidget *parent = nullptr);

private:
    void addTwin(const QString &text, QAction *twin);
};
