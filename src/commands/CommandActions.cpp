#include "commands/CommandActions.h"

#include <QAction>

#include <cstddef>

CommandActions::CommandActions(QObject *parent) : QObject(parent)
{
    for (const CommandTable::ButtonDef &def : CommandTable::buttons()) {
        auto *a = new QAction(CommandTable::caption(def.button), this);
        a->setToolTip(CommandTable::hint(def.button));
        a->setEnabled(def.enabled);
        m_buttons[static_cast<std::size_t>(def.button)] = a;
    }
    for (const CommandTable::EntryDef &def : CommandTable::entries()) {
        auto *a = new QAction(CommandTable::text(def.entry), this);
        a->setObjectName(CommandTable::id(def.entry));
        a->setEnabled(def.enabled);
        m_entries[static_cast<std::size_t>(def.entry)] = a;
    }
    m_limit = new QAction(QStringLiteral("设定限额… &L"), this);
    m_limit->setObjectName(QStringLiteral("Limit"));
    m_limit->setEnabled(false);
    m_receipt = new QAction(QStringLiteral("账单与纸张… &B"), this);
    m_receipt->setObjectName(QStringLiteral("Receipt"));
    m_goods = new QAction(QStringLiteral("添加商品… &G"), this);
    m_goods->setObjectName(QStringLiteral("Goods"));
    m_goods->setEnabled(false);
    m_move = new QAction(QStringLiteral("换机… &J"), this);
    m_move->setObjectName(QStringLiteral("Move"));
    m_move->setEnabled(false);
    m_handOver = new QAction(QStringLiteral("交班… &B"), this);
    m_handOver->setObjectName(QStringLiteral("HandOver"));
}

QAction *CommandActions::letterCommandFor(QChar ch) const
{
    // Only the Latin letters themselves, as for the buttons.
    const char16_t upper =
        ch.unicode() >= u'a' && ch.unicode() <= u'z' ? char16_t(ch.unicode() - u'a' + u'A') : char16_t(ch.unicode());
    switch (upper) {
    case LimitLetter: return m_limit;
    case GoodsLetter: return m_goods;
    case MoveLetter: return m_move;
    case HandOverLetter: return m_handOver;
    default: return nullptr;
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
