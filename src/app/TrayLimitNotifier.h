#pragma once
// The real notifier: the desktop's notification from a tray icon, the bell, and the main window
// flashing in the task bar, none of which takes the keyboard from the counter.

#include "commands/LimitNotifier.h"

#include <QPointer>

class QSystemTrayIcon;
class QWidget;

class TrayLimitNotifier : public LimitNotifier {
public:
    // window: the one to flash; may be set later.
    explicit TrayLimitNotifier(QWidget *window = nullptr);
    ~TrayLimitNotifier() override;

    void setWindow(QWidget *window) { m_window = window; }
    void notify(const QString &title, const QString &text) override;

private:
    QPointer<QWidget> m_window;
    QSystemTrayIcon *m_tray = nullptr; // made on the first notification, where there is a tray
};
