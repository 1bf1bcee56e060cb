#include "app/TrayLimitNotifier.h"

#include "draw/Artwork.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {
constexpr int kShownMs = 15000;
} // namespace

TrayLimitNotifier::TrayLimitNotifier(QWidget *window) : m_window(window)
{ }

TrayLimitNotifier::~TrayLimitNotifier()
{
    delete m_tray;
}

void TrayLimitNotifier::notify(const QString &title, const QString &text)
{
    // A desktop without a tray (or a notification service behind it) still has the bell, the
    // flashing task bar entry and the line in the status bar.
    if (!m_tray && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(Artwork::appIcon());
        m_tray->setToolTip(QStringLiteral("Vantorel"));
    }
    if (m_tray) {
        m_tray->show();
        m_tray->showMessage(title, text, QSystemTrayIcon::Warning, kShownMs);
    }
    QApplication::beep();
    if (m_window)
        QApplication::alert(m_window);
}
