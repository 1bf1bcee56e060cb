#include "commands/LedgerDayView.h"

#include "commands/HistoryLog.h"
#include "commands/LedgerCsv.h"
#include "report/SaveFileAsker.h"
#include "timing/DayLedger.h"
#include "timing/DurableFile.h"
#include "timing/TimeText.h"
#include "timing/WallClock.h"

#include <QDateEdit>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const SaveFileAsker::Kind kCsv {QStringLiteral("导出账目"), QStringLiteral("CSV 文件"), QStringLiteral("csv"),
                                QStringLiteral("无法写入导出文件:\n"), QMessageBox::Critical};
} // namespace

LedgerDayView::LedgerDayView(const DayLedger &ledger, const WallClock &clock, std::unique_ptr<SaveFileAsker> asker,
                             QWidget *parent)
    : QWidget(parent), m_ledger(ledger), m_clock(clock), m_asker(std::move(asker))
{
    setObjectName(QStringLiteral("dayView"));
    m_picker = new QDateEdit(this);
    m_picker->setObjectName(QStringLiteral("dtpDay"));
    m_picker->setCalendarPopup(true);
    // The same form as the dates elsewhere in the history window.
    m_picker->setDisplayFormat(locale().dateFormat(QLocale::ShortFormat));
    m_export = new QPushButton(QStringLiteral("导出 &E..."), this);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("日期:"), this));
    top->addWidget(m_picker);
    top->addStretch(1);
    top->addWidget(m_export);

    m_entries = new QTreeWidget(this);
    m_entries->setObjectName(QStringLiteral("lvwDay"));
    m_entries->setRootIsDecorated(false);
    m_entries->setUniformRowHeights(true);
    m_entries->setHeaderLabels(columnHeaders());
    m_entries->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("lblDayTotal"));
    m_status = new QLabel(this);
    m_status->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_entries, 1);
    layout->addWidget(m_total);
    layout->addWidget(m_status);

    connect(m_picker, &QDateEdit::dateChanged, this, &LedgerDayView::refresh);
    connect(m_export, &QPushButton::clicked, this, &LedgerDayView::exportDay);
    showDay(QDate());
}

LedgerDayView::~LedgerDayView() = default;

QStringList LedgerDayView::columnHeaders()
{
    return {QStringLiteral("项名称"),   QStringLiteral("计时方案"),       QStringLiteral("移除时间"),
            QStringLiteral("移除方式"), QStringLiteral("耗时累计(分钟)"), QStringLiteral("结果")};
}

QDate LedgerDayView::day() const
{
    return m_picker->date();
}

void LedgerDayView::showDay(const QDate &day)
{
    m_today = m_clock.now().date();
    m_picker->setMaximumDate(m_today);
    const QDate shown = day.isValid() ? day : m_today;
    if (shown == m_picker->date())
        refresh();
    else
        m_picker->setDate(shown); // refreshes
}

void LedgerDayView::refresh()
{
    const LedgerDay d = m_ledger.read(day(), m_clock.now());
    m_entries->clear();
    for (const LedgerEntry &e : d.entries) {
        if (e.kind != LedgerEntry::Kind::Left)
            continue;
        const QStringList texts {e.name,
                                 e.scheme,
                                 TimeText::longTime(e.end.toLocalTime().time()),
                                 RemovedItem::howRemoved(e.ended, e.atExit),
                                 TimeText::generalNumber(e.minutes),
                                 TimeText::generalNumber(e.fee)};
        m_entries->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    QString total = QStringLiteral("合计: %1 项, 耗时累计(分钟): %2, 结果: %3")
                        .arg(d.itemsLeft())
                        .arg(TimeText::generalNumber(d.minutes()), TimeText::generalNumber(d.fees()));
    if (d.skipped > 0)
        total += QStringLiteral(" (有%1行记录已损坏,未计入)").arg(d.skipped);
    m_total->setText(total);
    m_export->setEnabled(!d.entries.empty());
    m_status->clear();
}

bool LedgerDayView::exportDay()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    const QString suggestion =
        QDir(folder).filePath(QStringLiteral("账目-%1.csv").arg(day().toString(QStringLiteral("yyyy-MM-dd"))));
    const QString path = m_asker->fileName(kCsv, suggestion);
    if (path.isEmpty())
        return false;
    // Read again: the file may have grown since the view was filled.
    if (!DurableFile::replace(path, LedgerCsv::bytes(m_ledger.read(day(), m_clock.now())))) {
        m_status->setText(QStringLiteral("导出失败。"));
        m_asker->saveFailed(kCsv, path);
        return false;
    }
    m_status->setText(QStringLiteral("已导出到 ") + QDir::toNativeSeparators(path));
    return true;
}

void LedgerDayView::showEvent(QShowEvent *event)
{
    // A view left on today goes on showing today after midnight, and shows what left since.
    const QDate today = m_clock.now().date();
    showDay(day() == m_today ? today : day());
    QWidget::showEvent(event);
}
