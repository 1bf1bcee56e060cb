#include "commands/LimitAlerts.h"

#include "commands/CommandHost.h"
#include "commands/CommandTable.h"
#include "commands/LimitNotifier.h"
#include "timing/ModClock.h"
#include "timing/TimeText.h"

LimitAlerts::LimitAlerts(ModClock &state, CommandHost &host, LimitNotifier &notifier, QObject *parent)
    : QObject(parent), m_state(state), m_host(host), m_notifier(notifier)
{
    connect(&state, &ModClock::limitsReached, this, &LimitAlerts::tell);
    // A session ended at its limit has ended before the alert is told, so only the operator's own
    // end or start reaches an alert that stands.
    connect(&state, &ModClock::started, this, &LimitAlerts::answered);
    connect(&state, &ModClock::ended, this, [this](const BookedSession &s) { answered(s.name); });
    connect(&state, &ModClock::allTimed, this, [this](bool on, const QDateTime &, const QList<BookedSession> &ended) {
        for (const BookedSession &s : ended)
            answered(s.name);
        if (!on)
            return;
        // Start-all restarts the items that ended at their limits, and leaves the others alone.
        const QList<Alert> alerts = m_alerts;
        for (const Alert &alert : alerts)
            if (!alert.running && m_state.cRunning.value(m_state.lvwMain.positionOfName(alert.name), false))
                answered(alert.name);
    });
    connect(&state, &ModClock::limitSet, this, [this](const QString &name) { answered(name); });
    connect(&state, &ModClock::left, this, [this](const QList<ItemBill> &bills) {
        for (const ItemBill &bill : bills)
            answered(bill.name);
    });
    connect(&state, &ModClock::removed, this, &LimitAlerts::answered);
    // Moving the customer is acting on the item, and the alert's old name would name no item.
    connect(&state, &ModClock::moved, this, [this](const QString &from) { answered(from); });
}

QString LimitAlerts::title()
{
    return QStringLiteral("计时项已到限额");
}

QString LimitAlerts::message(const QStringList &names, const QDateTime &at)
{
    return names.join(QStringLiteral("、")) + QStringLiteral(" 已到限额(%1)").arg(TimeText::hourMinute(at.time()));
}

void LimitAlerts::acknowledge()
{
    if (m_alerts.isEmpty())
        return;
    m_alerts.clear();
    show();
}

void LimitAlerts::tell(const QStringList &names, const QDateTime &at)
{
    for (const QString &name : names) {
        answered(name);
        m_alerts.append({name, at, m_state.cRunning.value(m_state.lvwMain.positionOfName(name), false)});
    }
    show();
    m_notifier.notify(title(), message(names, at));
}

void LimitAlerts::answered(const QString &name)
{
    const qsizetype before = m_alerts.size();
    m_alerts.removeIf([&name](const Alert &alert) { return alert.name == name; });
    if (m_alerts.size() != before)
        show();
}

void LimitAlerts::show()
{
    if (m_alerts.isEmpty()) {
        m_host.setPanelText(StatusPanel::Hint, QString::fromUtf16(StatusPanel::kKeysHint));
        m_host.setPanelToolTip(StatusPanel::Hint, QString());
        return;
    }
    // The alerts told together read as they were told: "PC1、PC2 已到限额(10:05);PC7 已到限额(10:12)".
    QStringList lines;
    for (qsizetype first = 0; first < m_alerts.size();) {
        QStringList names;
        qsizetype k = first;
        for (; k < m_alerts.size() && m_alerts[k].at == m_alerts[first].at; ++k)
            names << m_alerts[k].name;
        lines << message(names, m_alerts[first].at);
        first = k;
    }
    m_host.setPanelText(StatusPanel::Hint, lines.join(u';'));
    // The panel may cut a long line; its tooltip gives it whole, and how to put the keys back.
    m_host.setPanelToolTip(StatusPanel::Hint,
                           lines.join(u'\n') + QStringLiteral("\n单击此处或按 Esc 表示已知悉,状态栏恢复快捷键提示。"));
}
