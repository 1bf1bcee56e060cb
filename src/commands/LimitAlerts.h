#pragma once
// Tells the operator of the items that have just reached their limits: once for all of them, by
// the notifier and by a line in status panel 1.

#include <QDateTime>
#include <QObject>
#include <QStringList>

class CommandHost;
class LimitNotifier;
class ModClock;

class LimitAlerts : public QObject {
    Q_OBJECT
public:
    LimitAlerts(ModClock &state, CommandHost &host, LimitNotifier &notifier, QObject *parent = nullptr);

    static QString title();
    // "PC1、PC2 已到限额(10:05)": the names, as many as reached their limits in one refresh.
    static QString message(const QStringList &names, const QDateTime &at);

private:
    void tell(const QStringList &names, const QDateTime &at);

    CommandHost &m_host;
    LimitNotifier &m_notifier;
};
