#pragma once
// A read of the ledgers on a thread of its own, so that the history window stays responsive over
// files of any size: a progress bar with a cancel button appears when it takes a while.

#include "timing/DayLedger.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QThread;

class BackgroundRead : public QWidget {
    Q_OBJECT
public:
    // Runs on the reading thread with that read's control and gives back what the GUI thread is to
    // do with the result once the read is whole.
    using Work = std::function<std::function<void()>(LedgerReadControl &control)>;

    // text says what is being done while it shows.
    explicit BackgroundRead(QWidget *parent = nullptr, const QString &text = QStringLiteral("正在读取账目..."));
    // Stops the read still running and waits for its thread: it must not outlive the ledger.
    ~BackgroundRead() override;

    // Starts reading days days (0 or 1: one file, whose progress cannot be told); a read still
    // running is dropped, its result never shown.
    void start(int days, Work work);
    // The operator's cancel: the read stops and nothing of it is shown.
    void cancel();
    bool running() const { return m_current != nullptr; }

    // A read longer than this shows its progress.
    static constexpr int kQuietMs = 500;

Q_SIGNALS:
    void cancelled(); // the operator cancelled a read

private:
    struct Run;
    void drop();

    std::shared_ptr<Run> m_current;
    std::vector<QThread *> m_threads; // started and not yet finished, the dropped ones too
    QTimer m_quiet; // shows the progress once a read has taken kQuietMs
    QTimer m_poll; // follows the days read
    QLabel *m_label = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
};
