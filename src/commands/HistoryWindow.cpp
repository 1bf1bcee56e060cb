#include "commands/HistoryWindow.h"

#include "commands/HistoryLog.h"
#include "dialogs/CloseOnEscape.h"
#include "timing/TimeText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

HistoryWindow::HistoryWindow(const HistoryLog &log, const WallClock &clock, TimingReports::PrinterFactory factory,
                             QWidget *owner)
    : QWidget(owner, Qt::Window), m_log(log), m_report(clock, std::move(factory))
{
    setWindowTitle(QStringLiteral("历史数据"));
    setObjectName(QStringLiteral("fHistory"));

    m_summary = new QLabel(this);
    m_entries = new QTreeWidget(this);
    m_entries->setObjectName(QStringLiteral("lvwHistory"));
    m_entries->setRootIsDecorated(false);
    m_entries->setUniformRowHeights(true);
    m_entries->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entries->setHeaderLabels(ColumnHeaders());
    m_entries->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *buttons = new QDialogButtonBox(this);
    m_preview = buttons->addButton(QStringLiteral("预览 &V"), QDialogButtonBox::ActionRole);
    m_print = buttons->addButton(QStringLiteral("打印 &P"), QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_entries, 1);
    layout->addWidget(buttons);
    resize(720, 360);
    CloseOnEscape(this);

    connect(m_preview, &QPushButton::clicked, this, &HistoryWindow::PreviewSelected);
    connect(m_print, &QPushButton::clicked, this, &HistoryWindow::PrintSelected);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_entries, &QTreeWidget::itemSelectionChanged, this, &HistoryWindow::updateButtons);
    connect(m_entries, &QTreeWidget::itemActivated, this, &HistoryWindow::PreviewSelected);
    connect(&log, &HistoryLog::recorded, this, &HistoryWindow::fill);
    fill();
}

QStringList HistoryWindow::ColumnHeaders()
{
    return {QStringLiteral("项名称"),         QStringLiteral("计时方案"), QStringLiteral("计时次数"),
            QStringLiteral("耗时累计(分钟)"), QStringLiteral("结果"),     QStringLiteral("移除时间"),
            QStringLiteral("移除方式")};
}

void HistoryWindow::fill()
{
    m_entries->clear();
    for (int k = 0; k < m_log.Count(); ++k) {
        const RemovedItem &removed = m_log.Newest(k);
        const Item &item = removed.item;
        const QStringList texts {item.name,
                                 item.scheme,
                                 QString::number(item.sessionCount()),
                                 TimeText::GeneralNumber(removed.minutes()),
                                 TimeText::GeneralNumber(item.fee), // what the list showed last
                                 TimeText::GeneralDateTime(removed.removedAt),
                                 removed.ended ? QStringLiteral("结束并打印") : QStringLiteral("仅移除")};
        m_entries->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    m_summary->setText(m_log.Count() == 0
                           ? QStringLiteral("本次运行以来还没有移除过计时项。")
                           : QStringLiteral("本次运行以来移除的计时项: %1 (最近移除的在最上面)").arg(m_log.Count()));
    // The newest entry is the one the operator most likely came for.
    if (m_log.Count() > 0)
        SelectEntry(0);
    updateButtons();
}

void HistoryWindow::updateButtons()
{
    const bool selected = SelectedEntry() >= 0;
    m_preview->setEnabled(selected);
    m_print->setEnabled(selected);
}

int HistoryWindow::SelectedEntry() const
{
    const QList<QTreeWidgetItem *> selected = m_entries->selectedItems();
    return selected.isEmpty() ? -1 : m_entries->indexOfTopLevelItem(selected.first());
}

void HistoryWindow::SelectEntry(int index)
{
    if (QTreeWidgetItem *line = m_entries->topLevelItem(index))
        m_entries->setCurrentItem(line);
}

void HistoryWindow::PreviewSelected()
{
    const int index = SelectedEntry();
    if (index >= 0 && index < m_log.Count())
        m_report.Show(m_log.Newest(index), true);
}

void HistoryWindow::PrintSelected()
{
    const int index = SelectedEntry();
    if (index >= 0 && index < m_log.Count())
        m_report.Show(m_log.Newest(index), false);
}
