#pragma once
// Tells the operator of the items that have just reached their limits: once for all of them, by
// the notifier, and by a line in status panel 1 that stays until the operator has acted on them.

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QStringList>

class CommandHost;
class LimitNotifier;
class ModClock;

// An item's alert stands while it is at its limit and unanswered: ending or starting it, changing
// or clearing its limit, its leaving the list, or the operator's acknowledging the alerts answers
// it. Panel 1 shows the alerts that stand, or the keys' hint again when none does.
class LimitAlerts : public QObject {
    Q_OBJECT
public:
    LimitAlerts(ModClock &state, CommandHost &host, LimitNotifier &notifier, QObject *parent = nullptr);

    static QString title();
    // "PC1、PC2 已到限额(10:05)": the names, as many as reached their limits in one refresh.
    static QString message(const QStringList &names, const QDateTime &at);

    // The operator has seen the alerts (a click on panel 1, Esc in the main window).
    void acknowledge();

private:
    struct Alert {
        QString name;
        QDateTime at;
        bool running = false; // still timed when told: it was not ended at its limit
    };

    void tell(const QStringList &names, const QDateTime &at);
    void answered(const QString &name);
    void show();

    ModClock &m_state;
    CommandHost &m_host;
    LimitNotifier &m_notifier;
    QList<Alert> m_alerts;
};
