#include "commands/LimitAlerts.h"

#include "commands/CommandHost.h"
#include "commands/CommandTable.h"
#include "commands/LimitNotifier.h"
#include "timing/ModClock.h"
#include "timing/TimeText.h"

LimitAlerts::LimitAlerts(ModClock &state, CommandHost &host, LimitNotifier &notifier, QObject *parent)
    : QObject(parent), m_host(host), m_notifier(notifier)
{
    connect(&state, &ModClock::limitsReached, this, &LimitAlerts::tell);
}

QString LimitAlerts::title()
{
    return QStringLiteral("计时项已到限额");
}

QString LimitAlerts::message(const QStringList &names, const QDateTime &at)
{
    return names.join(QStringLiteral("、")) + QStringLiteral(" 已到限额(%1)").arg(TimeText::hourMinute(at.time()));
}

void LimitAlerts::tell(const QStringList &names, const QDateTime &at)
{
    const QString text = message(names, at);
    m_host.setPanelText(StatusPanel::Hint, text);
    m_notifier.notify(title(), text);
}
