#include "app/MainToolbar.h"

#include "app/ToolbarButton.h"
#include "commands/CommandActions.h"
#include "draw/Artwork.h"

#include <QAction>
#include <QMenu>

#include <cstddef>

namespace {
constexpr int kGapWidth = 8; // 2 mm at 96 dots per inch
} // namespace

MainToolbar::MainToolbar(CommandActions &actions, QWidget *parent) : QToolBar(parent), m_actions(actions)
{
    setObjectName(QStringLiteral("Tbar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    // The buttons and gaps have their own widths; the toolbar adds nothing between them.
    setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: none; }"));
    setContentsMargins(0, 0, 0, 0);
    addSpacer(0); // position 1
    bool first = true;
    for (const CommandTable::ButtonDef &def : CommandTable::buttons()) {
        if (!first)
            addSpacer(kGapWidth); // positions 3 to 19
        first = false;
        QAction *action = actions.action(def.button);
        action->setIcon(Artwork::toolbarIcon(def.image));
        auto *b = new ToolbarButton(def.button, action, this);
        if (def.kind == CommandTable::Kind::DropDown) {
            auto *menu = new QMenu(b);
            for (const CommandTable::EntryDef &e : CommandTable::entriesOf(def.button))
                menu->addAction(actions.action(e.entry));
            if (def.button == Button::Style) {
                menu->addSeparator();
                menu->addAction(actions.receiptAction());
            }
            b->setMenu(menu);
            b->setPopupMode(QToolButton::MenuButtonPopup);
        }
        addWidget(b);
        m_buttons[static_cast<std::size_t>(def.button)] = b;
    }
}

ToolbarButton *MainToolbar::button(Button button) const
{
    return m_buttons[static_cast<std::size_t>(button)];
}

QAction *MainToolbar::entry(Entry entry) const
{
    return m_actions.action(entry);
}

void MainToolbar::addSpacer(int width)
{
    auto *gap = new QWidget(this);
    gap->setFixedWidth(width);
    addWidget(gap);
}
