#include "history/BackgroundRead.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

#include <algorithm>

struct BackgroundRead::Run {
    LedgerReadControl control;
    int days = 0;
    std::function<void()> show; // set by the reading thread before it finishes
};

BackgroundRead::BackgroundRead(QWidget *parent, const QString &text) : QWidget(parent)
{
    setObjectName(QStringLiteral("ledgerReading"));
    m_label = new QLabel(text, this);
    m_bar = new QProgressBar(this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setToolTip(QStringLiteral("Esc"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_bar, 1);
    layout->addWidget(m_cancel);
    hide();

    m_quiet.setSingleShot(true);
    m_quiet.setInterval(kQuietMs);
    m_poll.setInterval(100);
    connect(&m_quiet, &QTimer::timeout, this, [this] {
        if (running()) {
            show();
            m_poll.start();
        }
    });
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (m_current && m_current->days > 1)
            m_bar->setValue(m_current->control.daysRead.load(std::memory_order_relaxed));
    });
    connect(m_cancel, &QPushButton::clicked, this, &BackgroundRead::cancel);
}

BackgroundRead::~BackgroundRead()
{
    drop();
    for (QThread *thread : m_threads) {
        thread->wait();
        delete thread;
    }
}

void BackgroundRead::start(int days, Work work)
{
    drop();
    auto run = std::make_shared<Run>();
    run->days = days;
    m_current = run;
    QThread *thread = QThread::create([run, work = std::move(work)] { run->show = work(run->control); });
    m_threads.push_back(thread);
    connect(thread, &QThread::finished, this, [this, thread, run] {
        m_threads.erase(std::remove(m_threads.begin(), m_threads.end(), thread), m_threads.end());
        thread->deleteLater();
        if (m_current != run)
            return;
        m_current.reset();
        m_quiet.stop();
        m_poll.stop();
        hide();
        if (run->show && !run->control.cancel.load())
            run->show();
    });
    // A single file cannot tell how far it has got: the bar only says that it is busy.
    m_bar->setRange(0, days > 1 ? days : 0);
    m_bar->setValue(0);
    m_quiet.start();
    thread->start();
}

void BackgroundRead::cancel()
{
    if (!running())
        return;
    drop();
    Q_EMIT cancelled();
}

void BackgroundRead::drop()
{
    if (m_current)
        m_current->control.cancel.store(true);
    m_current.reset();
    m_quiet.stop();
    m_poll.stop();
    hide();
}
