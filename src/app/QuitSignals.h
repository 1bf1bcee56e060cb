#pragma once
// Turns a request from outside the windows to end the program (SIGTERM, SIGINT or SIGHUP, or the
// desktop session ending) into one Qt signal, delivered from the event loop.

#include <QAbstractNativeEventFilter>
#include <QObject>

class QSocketNotifier;

class QuitSignals : public QObject, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Catches the signals while the object lives; one such object per process. A signal the
    // process was started with ignored (SIGHUP under nohup, SIGINT in a background job) stays
    // ignored.
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

Q_SIGNALS:
    void received();

private:
    // Windows tells each program that the session is ending by a message, WM_QUERYENDSESSION.
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
#ifdef Q_OS_UNIX
    QSocketNotifier *m_notifier = nullptr; // watches the pipe the signal handler writes into
#endif
};
