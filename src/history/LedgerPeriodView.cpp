#include "history/LedgerPeriodView.h"

#include "history/BackgroundRead.h"
#include "history/BusyHoursTable.h"
#include "history/ShiftTable.h"
#include "history/LedgerCsv.h"
#include "history/PeriodChart.h"
#include "history/PeriodItemRows.h"
#include "history/TakingsReports.h"
#include "report/ExportFolder.h"
#include "report/SaveFileAsker.h"
#include "timing/DayLedger.h"
#include "timing/TimeText.h"
#include "timing/WallClock.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

QDate mondayOf(const QDate &day)
{
    return day.addDays(1 - day.dayOfWeek());
}

} // namespace

LedgerPeriodView::LedgerPeriodView(const DayLedger &ledger, const WallClock &clock,
                                   std::unique_ptr<SaveFileAsker> asker, std::shared_ptr<ExportFolder> folder,
                                   QWidget *parent)
    : QWidget(parent), m_ledger(ledger), m_clock(clock), m_asker(std::move(asker)),
      m_folder(folder ? std::move(folder) : std::make_shared<ExportFolder>())
{
    setObjectName(QStringLiteral("periodView"));
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cboPeriod"));
    m_kind->addItems({QStringLiteral("日"), QStringLiteral("周"), QStringLiteral("月"), QStringLiteral("自定")});
    const QString dateForm = locale().dateFormat(QLocale::ShortFormat);
    m_from = new QDateEdit(this);
    m_to = new QDateEdit(this);
    for (QDateEdit *picker : {m_from, m_to}) {
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(dateForm);
        // A date half typed is not a date asked for: the period follows when it is entered.
        picker->setKeyboardTracking(false);
    }
    auto *previous = new QPushButton(QStringLiteral("◀ 上一期"), this);
    auto *next = new QPushButton(QStringLiteral("下一期 ▶"), this);
    previous->setToolTip(QStringLiteral("PageUp"));
    next->setToolTip(QStringLiteral("PageDown"));
    m_export = new QPushButton(QStringLiteral("导出 &E..."), this);

    auto *top = new QHBoxLayout;
    auto *kindLabel = new QLabel(QStringLiteral("期间(&D):"), this);
    kindLabel->setBuddy(m_kind);
    top->addWidget(kindLabel);
    top->addWidget(m_kind);
    top->addWidget(m_from);
    top->addWidget(new QLabel(QStringLiteral("至"), this));
    top->addWidget(m_to);
    top->addWidget(previous);
    top->addWidget(next);
    top->addStretch(1);
    top->addWidget(m_export);

    // Qt Charts is loaded only once the operator looks at a period, not with the history window.
    m_chart = PeriodChart::make(this, PeriodChart::Loading::WhenShown);

    m_items = new QStandardItemModel(0, int(TakingsReports::periodHeadings().size()), this);
    m_items->setHorizontalHeaderLabels(TakingsReports::periodHeadings());
    m_items->setSortRole(PeriodItemRows::kSortRole);
    m_itemTable = new QTableView(this);
    m_itemTable->setObjectName(QStringLiteral("lvwPeriod"));
    m_itemTable->setModel(m_items);
    m_itemTable->setSortingEnabled(true);
    m_itemTable->sortByColumn(0, Qt::AscendingOrder);
    m_itemTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_itemTable->verticalHeader()->hide();
    m_itemTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_busy = new BusyHoursTable(this);
    m_shifts = new ShiftTable(this);

    auto *tables = new QSplitter(Qt::Horizontal, this);
    tables->addWidget(m_itemTable);
    tables->addWidget(m_busy);
    tables->addWidget(m_shifts);
    tables->setStretchFactor(0, 3);
    tables->setStretchFactor(1, 1);
    tables->setStretchFactor(2, 2);
    auto *parts = new QSplitter(Qt::Vertical, this);
    parts->addWidget(m_chart);
    parts->addWidget(tables);

    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("lblPeriodTotal"));
    m_total->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblPeriodStatus"));
    m_status->setWordWrap(true);
    m_read = new BackgroundRead(this);
    m_exporting = new BackgroundRead(this, QStringLiteral("正在导出账目..."));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(parts, 1);
    layout->addWidget(m_total);
    layout->addWidget(m_status);
    layout->addWidget(m_read);
    layout->addWidget(m_exporting);

    // The keys step the period as soon as the view shows, wherever the focus is in its window: in
    // the view, the date pickers included, or still on the tab just chosen with the keys. A hidden
    // view takes no keys, so the other pages keep theirs.
    for (const auto &[key, direction] : {std::pair {Qt::Key_PageUp, -1}, std::pair {Qt::Key_PageDown, 1}}) {
        auto *shortcut = new QShortcut(QKeySequence(key), this, nullptr, nullptr, Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, d = direction] { step(d); });
    }
    connect(previous, &QPushButton::clicked, this, [this] { step(-1); });
    connect(next, &QPushButton::clicked, this, [this] { step(1); });
    connect(m_kind, &QComboBox::currentIndexChanged, this, &LedgerPeriodView::pickersChanged);
    connect(m_from, &QDateEdit::dateChanged, this, &LedgerPeriodView::pickersChanged);
    connect(m_to, &QDateEdit::dateChanged, this, &LedgerPeriodView::pickersChanged);
    connect(m_export, &QPushButton::clicked, this, &LedgerPeriodView::exportPeriod);
    connect(m_read, &BackgroundRead::cancelled, this, [this] {
        // Nothing half-summed, and no figures of another period beside the dates asked for.
        m_then.clear();
        m_takings = PeriodTakings();
        m_takings.first = first();
        m_takings.last = last();
        m_takings.cancelled = true;
        fill();
    });
}

LedgerPeriodView::~LedgerPeriodView() = default;

LedgerPeriodView::Kind LedgerPeriodView::kind() const
{
    return Kind(m_kind->currentIndex());
}

void LedgerPeriodView::showPeriod(Kind kind, const QDate &day, const QDate &to)
{
    QDate first = day.isValid() ? day : m_clock.now().date();
    QDate last = first;
    switch (kind) {
    case Day: break;
    case Week:
        first = mondayOf(first);
        last = first.addDays(6);
        break;
    case Month:
        first = QDate(first.year(), first.month(), 1);
        last = first.addMonths(1).addDays(-1);
        break;
    case Range:
        last = to.isValid() ? to : first;
        if (last < first)
            std::swap(first, last);
        // A range longer than the reading allows is cut to its most recent days.
        if (first.daysTo(last) >= PeriodTakings::kMostDays)
            first = last.addDays(1 - PeriodTakings::kMostDays);
        break;
    }
    m_setting = true;
    m_kind->setCurrentIndex(kind);
    m_from->setDate(first);
    m_to->setDate(last);
    // The end follows from the start except for a range the operator sets both ends of.
    m_to->setEnabled(kind == Range);
    m_setting = false;
    m_request = TakingsRequest::days(first, last);
    m_kindShown = kind;
    m_looking = kind == Range ? first : (day.isValid() ? day : m_clock.now().date());
    refresh();
}

void LedgerPeriodView::pickersChanged()
{
    if (m_setting)
        return;
    // A range is read as the operator set it, or not at all: neither end moves the other.
    if (kind() == Range) {
        const QDate first = m_from->date();
        const QDate last = m_to->date();
        if (last < first) {
            m_status->setText(QStringLiteral("结束日期早于开始日期,请重新选择。"));
            return;
        }
        if (first.daysTo(last) >= PeriodTakings::kMostDays) {
            m_status->setText(QStringLiteral("期间最长 %1 天,请重新选择。").arg(PeriodTakings::kMostDays));
            return;
        }
    }
    if (kind() != m_kindShown && kind() != Range) {
        // A week that holds today becomes the month that holds today, not the one its Monday is in.
        const QDate today = m_clock.now().date();
        const QDate day = today >= first() && today <= last() ? today : std::clamp(m_looking, first(), last());
        showPeriod(kind(), day);
        return;
    }
    showPeriod(kind(), m_from->date(), m_to->date());
}

void LedgerPeriodView::step(int direction)
{
    const QDate first = this->first();
    // The day looked at steps with the period, so that another kind of period holds it too.
    switch (kind()) {
    case Day: showPeriod(Day, m_looking.addDays(direction)); break;
    case Week: showPeriod(Week, m_looking.addDays(7 * direction)); break;
    case Month: showPeriod(Month, m_looking.addMonths(direction)); break;
    case Range: {
        const qint64 days = qint64(m_request.dayCount()) * direction;
        showPeriod(Range, first.addDays(days), last().addDays(days));
        break;
    }
    }
}

void LedgerPeriodView::refresh(std::function<void()> then)
{
    if (then)
        m_then.push_back(std::move(then));
    const DayLedger *ledger = &m_ledger;
    m_request = m_request.readingAt(m_clock.now());
    const AmountDue::Rounding rule = m_receipt->rounding;
    m_read->start(m_request.dayCount(), [this, ledger, r = m_request, rule](LedgerReadControl &control) {
        auto read = std::make_shared<PeriodTakings>(
            PeriodTakings::of(*ledger, r.firstDay(), r.lastDay(), r.readAt, &control, rule));
        return std::function<void()>([this, read] {
            m_takings = std::move(*read);
            fill();
            for (const std::function<void()> &next : std::exchange(m_then, {}))
                next();
        });
    });
}

bool LedgerPeriodView::reading() const
{
    return m_read->running() || m_exporting->running();
}

void LedgerPeriodView::cancelRead()
{
    m_read->cancel();
    m_exporting->cancel();
}

void LedgerPeriodView::fill()
{
    const PeriodTakings &p = m_takings;
    // The heading names the rounding the amounts were read with, and the goods when any were sold.
    PeriodItemRows::fill(*m_items, p);
    m_itemTable->sortByColumn(m_itemTable->horizontalHeader()->sortIndicatorSection(),
                              m_itemTable->horizontalHeader()->sortIndicatorOrder());
    m_busy->setHours(p.busyHours);
    m_shifts->setShifts(p.shifts, TakingsReports::withGoods(p));
    m_chart->setTakings(p);

    QString total = TakingsReports::periodText(p) + QStringLiteral("  ") + TakingsReports::periodTotal(p);
    if (p.skipped > 0)
        total += QStringLiteral(" (有%1行记录已损坏,未计入)").arg(p.skipped);
    // A day whose file could not be read is not a day without takings.
    if (p.unreadable > 0)
        total += QStringLiteral("\n有%1天的账目文件无法读取,未计入合计。").arg(p.unreadable);
    if (p.cancelled)
        total = TakingsReports::periodText(p) + QStringLiteral("  已取消读取,未显示合计。");
    m_total->setText(total);
    m_export->setEnabled(p.lines > 0);
    m_status->clear();
}

QTableWidget *LedgerPeriodView::shifts() const
{
    return m_shifts;
}

ReportDocument LedgerPeriodView::report(bool bPreview)
{
    // For paper: 170 by 75 mm at 200 dots an inch, the width of an A4 or Letter page's text.
    const QImage chart = m_chart->image(QSize(1339, 591), 200);
    return TakingsReports::periodDocument(shown(), m_takings, bPreview, chart, *m_receipt);
}

TakingsRequest LedgerPeriodView::shown() const
{
    // The period shown, which a read under way has not replaced yet, as of now.
    return TakingsRequest::days(m_takings.first, m_takings.last, m_clock.now());
}

bool LedgerPeriodView::exportPeriod()
{
    const TakingsRequest r = shown();
    int unreadable = 0;
    // One export at a time: the window answers its keys while one is written.
    m_export->setEnabled(false);
    const std::optional<QString> path =
        LedgerCsv::save(*m_asker, *m_folder, TakingsReports::ledgerFileName(r.firstDay(), r.lastDay(), r.readAt),
                        *m_exporting, m_ledger, {r, {}}, &unreadable);
    m_export->setEnabled(m_takings.lines > 0);
    QString said = LedgerCsv::savedText(path);
    // The file holds what could be read; the days that could not are not in it, and the operator hears so.
    if (path && !path->isEmpty() && unreadable > 0)
        said += QStringLiteral(" (有%1天的账目文件无法读取,未导出)").arg(unreadable);
    m_status->setText(said);
    return path && !path->isEmpty();
}

void LedgerPeriodView::showEvent(QShowEvent *event)
{
    // First shown: this week. Afterwards the period stays, read again for what was booked since;
    // one that held today when last shown moves on with today, as the day view does past midnight.
    const QDate today = m_clock.now().date();
    if (!m_shown)
        showPeriod(Week, today);
    else if (m_today >= first() && m_today <= last() && (today < first() || today > last()) && kind() != Range)
        showPeriod(kind(), today);
    else
        refresh();
    m_shown = true;
    m_today = today;
    QWidget::showEvent(event);
}
