#include "app/QuitSignals.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef Q_OS_UNIX
namespace {
// A handler may do next to nothing safely: it writes one byte into a pipe, and the event loop,
// which watches the other end, does the rest.
int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onQuitSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

bool openPipe()
{
    if (::pipe(g_pipe) != 0)
        return false;
    for (const int fd : g_pipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        // A burst of signals must never block the handler on a full pipe.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}
} // namespace
#endif

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_UNIX
    Q_ASSERT(g_pipe[0] == -1);
    if (openPipe()) {
        m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            char bytes[64];
            while (::read(g_pipe[0], bytes, sizeof bytes) > 0) { }
            emit received();
        });
        for (const int sig : kSignals) {
            struct sigaction old { };
            if (::sigaction(sig, nullptr, &old) != 0 || old.sa_handler == SIG_IGN)
                continue;
            struct sigaction action { };
            action.sa_handler = onQuitSignal;
            sigemptyset(&action.sa_mask);
            action.sa_flags = SA_RESTART;
            ::sigaction(sig, &action, nullptr);
        }
    }
#endif
#ifdef Q_OS_WIN
    // Windows has no such signals for a program without a console: the session's end comes as a
    // message, which every native event filter sees before Qt handles it.
    QCoreApplication::instance()->installNativeEventFilter(this);
#elif !defined(QT_NO_SESSIONMANAGER)
    // On X11 the session's end comes as the session manager's request to save.
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, &QuitSignals::received);
#endif
}

bool QuitSignals::nativeEventFilter([[maybe_unused]] const QByteArray &eventType, [[maybe_unused]] void *message,
                                    qintptr *)
{
#ifdef Q_OS_WIN
    // Windows waits for the answer to this query, but may stop the process at any time once the
    // end is confirmed. Ending here, as the operator's Yes does, puts the journal's end mark on disk
    // at once and the settings as the event loop unwinds, both before the confirmation can come;
    // Qt's own handling then answers that the session may end.
    if (eventType == "windows_generic_MSG" && static_cast<const MSG *>(message)->message == WM_QUERYENDSESSION)
        Q_EMIT received();
#endif
    return false;
}

QuitSignals::~QuitSignals()
{
#ifdef Q_OS_WIN
    QCoreApplication::instance()->removeNativeEventFilter(this);
#endif
#ifdef Q_OS_UNIX
    if (g_pipe[0] == -1)
        return;
    for (const int sig : kSignals) {
        struct sigaction current { };
        if (::sigaction(sig, nullptr, &current) == 0 && current.sa_handler == onQuitSignal)
            ::signal(sig, SIG_DFL);
    }
    delete m_notifier;
    m_notifier = nullptr;
    for (int &fd : g_pipe) {
        ::close(fd);
        fd = -1;
    }
#endif
}
