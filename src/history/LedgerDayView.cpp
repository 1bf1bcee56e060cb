#include "history/LedgerDayView.h"

#include "history/BackgroundRead.h"
#include "history/LedgerCsv.h"
#include "history/TakingsReports.h"
#include "report/ExportFolder.h"
#include "report/SaveFileAsker.h"
#include "timing/DayLedger.h"
#include "timing/ModClock.h"
#include "timing/ShiftRecord.h"
#include "timing/TimeText.h"
#include "timing/WallClock.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

LedgerDayView::LedgerDayView(const DayLedger &ledger, ModClock *state, const WallClock &clock,
                             std::unique_ptr<SaveFileAsker> asker, std::shared_ptr<ExportFolder> folder,
                             QWidget *parent)
    : QWidget(parent), m_ledger(ledger), m_state(state), m_clock(clock), m_asker(std::move(asker)),
      m_folder(folder ? std::move(folder) : std::make_shared<ExportFolder>())
{
    setObjectName(QStringLiteral("dayView"));
    m_picker = new QDateEdit(this);
    m_picker->setObjectName(QStringLiteral("dtpDay"));
    m_picker->setCalendarPopup(true);
    // The same form as the dates elsewhere in the history window.
    m_picker->setDisplayFormat(locale().dateFormat(QLocale::ShortFormat));
    m_export = new QPushButton(QStringLiteral("导出 &E..."), this);
    m_handOver = new QPushButton(QStringLiteral("交班 &B..."), this);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("日期:"), this));
    top->addWidget(m_picker);
    top->addStretch(1);
    top->addWidget(m_handOver);
    top->addWidget(m_export);

    m_entries = new QTreeWidget(this);
    m_entries->setObjectName(QStringLiteral("lvwDay"));
    m_entries->setUniformRowHeights(true);
    // The view alone shows each item's limit, after the columns it shares with the day's report.
    m_entries->setHeaderLabels(TakingsReports::dayHeadings() << QStringLiteral("限额"));
    m_entries->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_entries->header()->setStretchLastSection(false); // the amounts stay beside the minutes

    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("lblDayTotal"));
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_read = new BackgroundRead(this);
    m_exporting = new BackgroundRead(this, QStringLiteral("正在导出账目..."));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_entries, 1);
    layout->addWidget(m_total);
    layout->addWidget(m_status);
    layout->addWidget(m_read);
    layout->addWidget(m_exporting);

    connect(m_picker, &QDateEdit::dateChanged, this, [this] { refresh(); });
    connect(m_read, &BackgroundRead::cancelled, this, [this] {
        // Nothing of the cancelled read is shown; the open items are still the list's.
        m_then.clear();
        m_takings = DayTakings();
        m_takings.date = day();
        fill();
        m_total->setText(QStringLiteral("已取消读取,未显示已结算的项目。"));
    });
    connect(m_export, &QPushButton::clicked, this, &LedgerDayView::exportDay);
    connect(m_handOver, &QPushButton::clicked, this, &LedgerDayView::handOverRequested);
    if (m_state) {
        // The open items' minutes and amounts go on while the view is open; the file is read
        // again only when the ledger has grown, not at every tick.
        const auto follow = [this] {
            if (isVisible())
                refresh();
        };
        const auto followOpen = [this] {
            if (isVisible() && !reading()) {
                m_takings.addOpen(m_state, m_clock.moment());
                fill();
            }
        };
        connect(m_state, &ModClock::refreshed, this, followOpen);
        connect(m_state, &ModClock::added, this, followOpen);
        connect(m_state, &ModClock::started, this, followOpen);
        connect(m_state, &ModClock::goodsAdded, this, followOpen);
        connect(m_state, &ModClock::moved, this, followOpen);
        connect(m_state, &ModClock::ended, this, follow);
        connect(m_state, &ModClock::allTimed, this, follow);
        connect(m_state, &ModClock::left, this, follow);
        connect(m_state, &ModClock::removed, this, follow);
    }
    showDay(QDate());
}

LedgerDayView::~LedgerDayView() = default;

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

void LedgerDayView::refresh(std::function<void()> then)
{
    if (then)
        m_then.push_back(std::move(then));
    const DayLedger *ledger = &m_ledger;
    m_request = TakingsRequest::days(day(), day(), m_clock.now());
    m_read->start(m_request.dayCount(), [this, ledger, request = m_request](LedgerReadControl &control) {
        auto read =
            std::make_shared<DayTakings>(DayTakings::settledOf(*ledger, request.firstDay(), request.readAt, &control));
        return std::function<void()>([this, read] {
            // The list's items as they are when the day is shown, on the thread they live on.
            m_takings = std::move(*read);
            if (m_shifts && m_shifts->current())
                m_takings.carryShift(*m_shifts->current());
            m_takings.addOpen(m_state, m_clock.moment());
            fill();
            for (const std::function<void()> &next : std::exchange(m_then, {}))
                next();
        });
    });
}

bool LedgerDayView::reading() const
{
    return m_read->running() || m_exporting->running();
}

void LedgerDayView::cancelRead()
{
    m_read->cancel();
    m_exporting->cancel();
}

void LedgerDayView::setShifts(const ShiftRecord *shifts)
{
    m_shifts = shifts;
    if (shifts)
        connect(shifts, &ShiftRecord::changed, this, [this] {
            if (isVisible())
                refresh();
        });
}

void LedgerDayView::addGroup(const QString &what, const QList<DayTakings::Line> &lines)
{
    auto *group = new QTreeWidgetItem(QStringList {QStringLiteral("%1 (%2 项)").arg(what).arg(lines.size())});
    group->setFlags(Qt::ItemIsEnabled);
    const bool shifts = m_takings.withShifts();
    for (const DayTakings::Line &line : lines) {
        const QStringList texts = TakingsReports::dayRow(line, m_receipt->rounding, m_goods);
        QStringList extra {line.limit.text()};
        if (shifts)
            extra << m_takings.shiftOf(line);
        auto *row = new QTreeWidgetItem(texts + extra);
        // Minutes and amounts line up on the right, as in the report, so their digits stand in columns.
        for (qsizetype column = 4; column < texts.size(); ++column)
            row->setTextAlignment(int(column), Qt::AlignRight | Qt::AlignVCenter);
        group->addChild(row);
    }
    m_entries->addTopLevelItem(group);
    group->setExpanded(true);
}

void LedgerDayView::fill()
{
    const DayTakings &t = m_takings;
    m_entries->clear();
    m_goods = TakingsReports::withGoods(t);
    // The rounding may have changed since the view was made: the heading names the one shown.
    QStringList headings = TakingsReports::dayHeadings(m_receipt->rounding, m_goods) << QStringLiteral("限额");
    if (t.withShifts())
        headings << QStringLiteral("班次");
    m_entries->setColumnCount(int(headings.size()));
    m_entries->setHeaderLabels(headings);
    // Only today has items still on the list: a past day was closed with them.
    const bool today = t.date == m_clock.now().date() && m_state;
    addGroup(QStringLiteral("已结算"), t.settled);
    QString total = TakingsReports::dayTotal(QStringLiteral("已结算"), t.settled, m_receipt->rounding, m_goods);
    total += shiftTotals();
    if (today) {
        addGroup(QStringLiteral("未结算"), t.open);
        total += u'\n' + TakingsReports::dayTotal(QStringLiteral("未结算"), t.open, m_receipt->rounding, m_goods);
    }
    if (t.skipped > 0)
        total += QStringLiteral(" (有%1行记录已损坏,未计入)").arg(t.skipped);
    // A file that could not be read is not a day without takings.
    if (t.unreadable)
        total += QStringLiteral("\n当日的账目文件无法读取,已结算的项目未知。");
    m_total->setText(total);
    m_export->setEnabled(exportable());
    m_status->clear();
}

QString LedgerDayView::shiftTotals() const
{
    if (!m_takings.withShifts())
        return {};
    QString totals;
    for (qsizetype k = 0; k < m_takings.shifts.size(); ++k) {
        QList<DayTakings::Line> lines;
        for (const DayTakings::Line &line : m_takings.settled)
            if (line.shift == k)
                lines.append(line);
        const Shift &shift = m_takings.shifts[k].shift;
        if (lines.isEmpty() && !shift.from.isValid())
            continue;
        const QString who = shift.from.isValid()
            ? QStringLiteral("  班次 %1 (%2 起)").arg(shift.operatorName, TimeText::generalDateTime(shift.from))
            : QStringLiteral("  未记班次");
        totals += u'\n' + TakingsReports::dayTotal(who, lines, m_receipt->rounding, m_goods);
    }
    return totals;
}

ReportDocument LedgerDayView::report(bool bPreview) const
{
    return TakingsReports::dayDocument(m_request.readingAt(m_clock.now()), m_takings, bPreview, *m_receipt);
}

bool LedgerDayView::exportable() const
{
    return m_takings.lines > 0 || !m_takings.open.isEmpty();
}

bool LedgerDayView::exportDay()
{
    // The file holds what the view shows: the open items' bills at this moment, shown again with
    // them, and the ledger as it is at this moment.
    const Moment now = m_clock.moment();
    if (!reading()) {
        m_takings.addOpen(m_state, now);
        fill();
    }
    // One export at a time: the window answers its keys while one is written.
    m_export->setEnabled(false);
    const TakingsRequest request = m_request.readingAt(now.wall);
    const QString name = TakingsReports::ledgerFileName(request.firstDay(), request.lastDay(), request.readAt);
    const std::optional<QString> path =
        LedgerCsv::save(*m_asker, *m_folder, name, *m_exporting, m_ledger, {request, m_takings.open});
    m_export->setEnabled(exportable());
    m_status->setText(LedgerCsv::savedText(path));
    return path && !path->isEmpty();
}

void LedgerDayView::showEvent(QShowEvent *event)
{
    // A view left on today goes on showing today after midnight, and shows what left since.
    const QDate today = m_clock.now().date();
    showDay(day() == m_today ? today : day());
    QWidget::showEvent(event);
}
