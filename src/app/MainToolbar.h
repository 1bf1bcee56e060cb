#pragma once
// The main window's toolbar: ten command buttons between spacers, five of them with menus.

#include <QHash>
#include <QToolBar>

class QAction;
class ToolbarButton;

class MainToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit MainToolbar(QWidget *parent = nullptr);

    ToolbarButton *button(int position) const { return m_buttons.value(position); }
    QAction *entry(const QString &id) const { return m_entries.value(id); }
    const QHash<QString, QAction *> &entries() const { return m_entries; }

Q_SIGNALS:
    void buttonClicked(int position);
    void entryClicked(const QString &id);

private:
    void addSpacer(int width);
    QHash<int, ToolbarButton *> m_buttons;
    QHash<QString, QAction *> m_entries;
};
