#pragma once
// The period view of the history window: a day, a week, a month or any range of the day ledgers,
// as a chart of the takings, a table of the items and the busy hours, with print and CSV export.

#include "history/BusyHoursTable.h"
#include "history/TakingsRequest.h"
#include "report/ReportDocument.h"
#include "timing/PeriodTakings.h"
#include "timing/ReceiptSettings.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class BackgroundRead;
class DayLedger;
class ExportFolder;
class PeriodChart;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;
class SaveFileAsker;
class ShiftTable;
class WallClock;

class LedgerPeriodView : public QWidget {
    Q_OBJECT
public:
    enum Kind { Day, Week, Month, Range };

    LedgerPeriodView(const DayLedger &ledger, const WallClock &clock, std::unique_ptr<SaveFileAsker> asker,
                     std::shared_ptr<ExportFolder> folder = nullptr, QWidget *parent = nullptr);
    ~LedgerPeriodView() override;

    // The period of this kind holding day (a week starts on Monday); for a range, day to to.
    void showPeriod(Kind kind, const QDate &day, const QDate &to = {});
    // The period before (-1) or after (+1) the shown one, of the same length: PageUp and PageDown.
    void step(int direction);
    // Reads the shown period's files again, off the GUI thread; then, when given, runs once the
    // figures are shown (never when the operator cancels the read).
    void refresh(std::function<void()> then = {});
    // A read or an export is running; the figures shown are those of the read before.
    bool reading() const;
    // Stops the running read (the view shows no figures until the next) and export.
    void cancelRead();
    // Asks for a file name and writes the period's ledger lines there as CSV; true when written.
    bool exportPeriod();
    // The period's report as the view shows it, with the chart when this build draws one; refresh
    // first for figures read afresh.
    // The rounding and the paper the view and its paper follow; the defaults until given.
    void setReceipt(std::shared_ptr<const ReceiptSettings> receipt) { m_receipt = std::move(receipt); }

    ReportDocument report(bool bPreview);

    const PeriodTakings &takings() const { return m_takings; }
    Kind kind() const;
    // What the view reads: the period asked for, being read or shown.
    const TakingsRequest &request() const { return m_request; }
    // What the takings shown answer, read at now: what a report or an export of them sums.
    TakingsRequest shown() const;
    QDate first() const { return m_request.firstDay(); }
    QDate last() const { return m_request.lastDay(); }

    QStandardItemModel *items() const { return m_items; }
    QTableView *itemTable() const { return m_itemTable; }
    QTableWidget *busyHours() const { return m_busy; }
    QTableWidget *shifts() const;
    QLabel *total() const { return m_total; }
    QLabel *status() const { return m_status; }
    QDateEdit *fromPicker() const { return m_from; }
    QDateEdit *toPicker() const { return m_to; }
    PeriodChart *chart() const { return m_chart; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fill();
    void pickersChanged();

    const DayLedger &m_ledger;
    const WallClock &m_clock;
    std::unique_ptr<SaveFileAsker> m_asker;
    std::shared_ptr<ExportFolder> m_folder; // where exports are first offered, shared with the reports
    TakingsRequest m_request;
    PeriodTakings m_takings; // what the last whole read of a request came to
    Kind m_kindShown = Week; // its kind
    // The day the operator is looking at within it: today at first, then the day picked or stepped
    // to. Another kind of period is the one that holds it.
    QDate m_looking;
    BackgroundRead *m_read = nullptr;
    BackgroundRead *m_exporting = nullptr; // a CSV export being written
    std::vector<std::function<void()>> m_then; // to run once the read under way is shown
    bool m_shown = false; // the first showing picks this week
    QDate m_today; // today when the view was last shown
    bool m_setting = false; // the pickers are being set by the view, not the operator
    QComboBox *m_kind = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QPushButton *m_export = nullptr;
    PeriodChart *m_chart = nullptr;
    QStandardItemModel *m_items = nullptr;
    QTableView *m_itemTable = nullptr;
    BusyHoursTable *m_busy = nullptr;
    ShiftTable *m_shifts = nullptr;
    QLabel *m_total = nullptr;
    QLabel *m_status = nullptr;
    std::shared_ptr<const ReceiptSettings> m_receipt = std::make_shared<ReceiptSettings>();
};
