#include "commands/CommandStates.h"

#include "commands/CommandActions.h"
#include "commands/CommandHost.h"
#include "commands/CurrentItem.h"
#include "timing/ModClock.h"

#include <QAction>

CommandStates::CommandStates(const ModClock &state, const CurrentItem &current, CommandActions &actions,
                             CommandHost &host, QObject *parent)
    : QObject(parent), m_state(state), m_current(current), m_actions(actions), m_host(host)
{
    const ItemRowModel *rows = &m_state.lvwMain;
    connect(rows, &QAbstractItemModel::rowsInserted, this, &CommandStates::showStates);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, &CommandStates::showStates);
    // A started or ended item changes its tag, and with it which of its start and end is offered.
    connect(rows, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                if (roles.isEmpty() || roles.contains(ItemRowModel::TagRole))
                    showStates();
            });
    connect(&m_current, &CurrentItem::changed, this, &CommandStates::showStates);
    showStates();
}

void CommandStates::setStartCaption(StartCaption caption)
{
    m_startCaption = caption;
    showStates();
}

void CommandStates::showStates()
{
    // The current item is the highlighted row, so the commands on one item, the limit among them,
    // are there exactly while a row is highlighted.
    const int pos = m_current.position();
    const bool timed = pos != 0 && m_state.lvwMain.tag(pos);
    m_actions.action(Button::Remove)->setEnabled(pos != 0);
    m_actions.action(Entry::S1)->setEnabled(pos != 0 && !timed);
    m_actions.action(Entry::S2)->setEnabled(timed);
    m_actions.action(Entry::V1)->setEnabled(pos != 0);
    m_actions.action(Entry::P1)->setEnabled(pos != 0);
    for (QAction *onItem : {m_actions.limitAction(), m_actions.goodsAction(), m_actions.moveAction()})
        onItem->setEnabled(pos != 0);

    QAction *start = m_actions.action(Button::Start);
    switch (m_startCaption.value_or(StartCaption::StartAll)) {
    case StartCaption::StartAll:
        if (!m_startCaption)
            break;
        start->setText(QStringLiteral("开始 &S"));
        start->setToolTip(QStringLiteral("开始所有计时。"));
        break;
    case StartCaption::StopAll:
        start->setText(QStringLiteral("终止 &S"));
        start->setToolTip(QStringLiteral("终止所有计时。"));
        break;
    case StartCaption::StopShort: start->setText(QStringLiteral("终止")); break;
    }

    // Empty until the first item is added, as the window opens.
    if (m_state.lngAdded > 0) {
        m_host.setPanelText(StatusPanel::Items, QString::number(m_state.lngItems));
        m_host.setPanelText(StatusPanel::Added, QString::number(m_state.lngAdded));
    }
}
