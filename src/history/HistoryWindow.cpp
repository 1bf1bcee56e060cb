#include "history/HistoryWindow.h"

#include "commands/HistoryLog.h"
#include "history/LedgerDayView.h"
#include "history/LedgerPeriodView.h"
#include "timing/TimeText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

HistoryWindow::HistoryWindow(const HistoryLog &log, const WallClock &clock, TimingReports::PrinterFactory factory,
                             QWidget *owner)
    : QWidget(owner, Qt::Window), m_log(log), m_report(clock, factory), m_factory(std::move(factory))
{
    setWindowTitle(QStringLiteral("历史数据"));
    setObjectName(QStringLiteral("fHistory"));

    m_pages = new QTabWidget(this);
    auto *run = new QWidget(m_pages);
    m_summary = new QLabel(run);
    m_entries = new QTreeWidget(run);
    m_entries->setObjectName(QStringLiteral("lvwHistory"));
    m_entries->setRootIsDecorated(false);
    m_entries->setUniformRowHeights(true);
    m_entries->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entries->setHeaderLabels(columnHeaders());
    m_entries->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *buttons = new QDialogButtonBox(this);
    m_preview = buttons->addButton(QStringLiteral("预览 &V"), QDialogButtonBox::ActionRole);
    m_print = buttons->addButton(QStringLiteral("打印 &P"), QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);

    auto *runLayout = new QVBoxLayout(run);
    runLayout->setContentsMargins(0, 0, 0, 0);
    runLayout->addWidget(m_summary);
    runLayout->addWidget(m_entries, 1);
    m_pages->addTab(run, QStringLiteral("本次运行"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buttons);
    // Large enough for the period's chart, a useful part of its table and of the busy hours; a
    // smaller screen gets its free area (the window is centred and fitted onto it when it opens).
    resize(960, 720);
    // Esc stops a long read of the ledgers on the page in front, and otherwise closes the window as
    // it closes the program's other windows of their own.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [this] {
        if (onDayView() && m_dayView->reading())
            m_dayView->cancelRead();
        else if (onPeriodView() && m_periodView->reading())
            m_periodView->cancelRead();
        else
            this->close();
    });

    connect(m_preview, &QPushButton::clicked, this, &HistoryWindow::previewSelected);
    connect(m_print, &QPushButton::clicked, this, &HistoryWindow::printSelected);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_entries, &QTreeWidget::itemSelectionChanged, this, &HistoryWindow::updateButtons);
    connect(m_entries, &QTreeWidget::itemActivated, this, &HistoryWindow::previewSelected);
    connect(m_pages, &QTabWidget::currentChanged, this, &HistoryWindow::updateButtons);
    connect(&log, &HistoryLog::recorded, this, &HistoryWindow::fill);
    fill();
}

void HistoryWindow::addDayView(LedgerDayView *view)
{
    m_dayView = view;
    m_pages->addTab(view, QStringLiteral("今日"));
    // An item that leaves the list is in the ledger before the log hears of it.
    connect(&m_log, &HistoryLog::recorded, view, [view] { view->refresh(); });
}

void HistoryWindow::addPeriodView(LedgerPeriodView *view)
{
    m_periodView = view;
    m_pages->addTab(view, QStringLiteral("期间"));
    connect(&m_log, &HistoryLog::recorded, view, [view] {
        if (view->isVisible())
            view->refresh();
    });
}

void HistoryWindow::showPage(int page)
{
    m_pages->setCurrentIndex(page);
}

QStringList HistoryWindow::columnHeaders()
{
    return {QStringLiteral("项名称"),         QStringLiteral("计时方案"), QStringLiteral("计时次数"),
            QStringLiteral("耗时累计(分钟)"), QStringLiteral("结果"),     QStringLiteral("移除时间"),
            QStringLiteral("移除方式"),       QStringLiteral("限额")};
}

void HistoryWindow::fill()
{
    m_entries->clear();
    for (int k = 0; k < m_log.count(); ++k) {
        const RemovedItem &removed = m_log.newest(k);
        const Item &item = removed.item;
        const QStringList texts {item.name,
                                 item.scheme,
                                 QString::number(item.sessionCount()),
                                 TimeText::generalNumber(removed.minutes()),
                                 TimeText::generalNumber(item.fee), // what the list showed last
                                 TimeText::generalDateTime(removed.removedAt),
                                 RemovedItem::howRemoved(removed.ended),
                                 item.limit.text()};
        m_entries->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    m_summary->setText(m_log.count() == 0
                           ? QStringLiteral("本次运行以来还没有移除过计时项。")
                           : QStringLiteral("本次运行以来移除的计时项: %1 (最近移除的在最上面)").arg(m_log.count()));
    // The newest entry is the one the operator most likely came for.
    if (m_log.count() > 0)
        selectEntry(0);
    updateButtons();
}

void HistoryWindow::updateButtons()
{
    // On the first page the reports are of this run's items; on the day and period views of theirs.
    const bool enabled = onDayView() || onPeriodView() || (m_pages->currentIndex() == 0 && selectedEntry() >= 0);
    m_preview->setEnabled(enabled);
    m_print->setEnabled(enabled);
}

bool HistoryWindow::onDayView() const
{
    return m_dayView && m_pages->currentWidget() == m_dayView;
}

bool HistoryWindow::onPeriodView() const
{
    return m_periodView && m_pages->currentWidget() == m_periodView;
}

int HistoryWindow::selectedEntry() const
{
    const QList<QTreeWidgetItem *> selected = m_entries->selectedItems();
    return selected.isEmpty() ? -1 : m_entries->indexOfTopLevelItem(selected.first());
}

void HistoryWindow::selectEntry(int index)
{
    if (QTreeWidgetItem *line = m_entries->topLevelItem(index))
        m_entries->setCurrentItem(line);
}

void HistoryWindow::previewSelected()
{
    present(true);
}

void HistoryWindow::printSelected()
{
    present(false);
}

void HistoryWindow::present(bool bPreview)
{
    // Each view has a component of its own, so that a day's preview stays beside a period's. One
    // that could not be made is tried again by the next report.
    const auto presentWith = [this](std::unique_ptr<ReportPrinter> &printer, const ReportDocument &document) {
        if (!printer && m_factory)
            printer = m_factory();
        if (printer)
            printer->present(document);
    };
    // Read afresh, off the GUI thread; the report follows once the figures are shown.
    if (onDayView())
        return m_dayView->refresh(
            [this, presentWith, bPreview] { presentWith(m_dayReport, m_dayView->report(bPreview)); });
    if (onPeriodView())
        return m_periodView->refresh(
            [this, presentWith, bPreview] { presentWith(m_periodReport, m_periodView->report(bPreview)); });
    const int index = selectedEntry();
    if (index >= 0 && index < m_log.count())
        m_report.show(m_log.newest(index), bPreview);
}

void HistoryWindow::setReceipt(const std::shared_ptr<const ReceiptSettings> &receipt)
{
    m_report.setReceipt(receipt);
    if (m_dayView)
        m_dayView->setReceipt(receipt);
    if (m_periodView)
        m_periodView->setReceipt(receipt);
}
