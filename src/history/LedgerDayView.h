#pragma once
// The day view of the history window: the day as an operator closes it, what was settled and what
// is still open with their amounts due and totals, and the export of the day's ledger.

#include "history/TakingsRequest.h"
#include "report/ReportDocument.h"
#include "timing/DayTakings.h"
#include "timing/ReceiptSettings.h"

#include <QDate>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class BackgroundRead;
class DayLedger;
class ExportFolder;
class ModClock;
class ShiftRecord;
class SaveFileAsker;
class QDateEdit;
class QLabel;
class QPushButton;
class QTreeWidget;
class WallClock;

class LedgerDayView : public QWidget {
    Q_OBJECT
public:
    // state: the list whose items are still open today; null shows the settled items alone.
    LedgerDayView(const DayLedger &ledger, ModClock *state, const WallClock &clock,
                  std::unique_ptr<SaveFileAsker> asker, std::shared_ptr<ExportFolder> folder = nullptr,
                  QWidget *parent = nullptr);
    ~LedgerDayView() override;

    QDate day() const;
    // Shows that day's file as it is now; today when the day is not valid.
    void showDay(const QDate &day);
    // Reads the shown day's file again, off the GUI thread: an item may have left the list
    // meanwhile. then, when given, runs once the day is shown (never when the read is cancelled).
    void refresh(std::function<void()> then = {});
    // A read or an export is running; what is shown is the read before.
    bool reading() const;
    // Stops the running read (the view shows nothing settled until the next) and export.
    void cancelRead();
    // Asks for a file name and writes the shown day there as CSV, its ledger and, today, the items
    // still open marked as such; true when it was written.
    bool exportDay();
    // The shown day as a report, as the view shows it; refresh first for it read afresh.
    // The rounding and the paper the view and its paper follow; the defaults until given.
    void setReceipt(std::shared_ptr<const ReceiptSettings> receipt) { m_receipt = std::move(receipt); }

    ReportDocument report(bool bPreview) const;
    // The operator on duty: a shift begun on an earlier day is shown with today's lines, and the
    // view reads the day again when a shift changes hands.
    void setShifts(const ShiftRecord *shifts);
    // What the view reads: the shown day, up to the moment of the last refresh.
    const TakingsRequest &request() const { return m_request; }
    // The shown day as last read.
    const DayTakings &takings() const { return m_takings; }

    QTreeWidget *entries() const { return m_entries; }
    QLabel *total() const { return m_total; }
    QDateEdit *picker() const { return m_picker; }
    QPushButton *exportButton() const { return m_export; }
    QPushButton *handOverButton() const { return m_handOver; }

Q_SIGNALS:
    // The operator asked to hand the shift over.
    void handOverRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fill();
    bool exportable() const;
    void addGroup(const QString &what, const QList<DayTakings::Line> &lines);
    QString shiftTotals() const;

    const DayLedger &m_ledger;
    ModClock *m_state;
    const WallClock &m_clock;
    std::unique_ptr<SaveFileAsker> m_asker;
    std::shared_ptr<ExportFolder> m_folder; // where exports are first offered, shared with the reports
    QDate m_today; // today when the view last looked, to follow the date past midnight
    TakingsRequest m_request;
    DayTakings m_takings; // what the last read of a request came to
    bool m_goods = false; // goods were sold that day: their columns are shown
    BackgroundRead *m_read = nullptr;
    BackgroundRead *m_exporting = nullptr; // a CSV export being written
    std::vector<std::function<void()>> m_then; // to run once the read under way is shown
    QDateEdit *m_picker = nullptr;
    QTreeWidget *m_entries = nullptr;
    QLabel *m_total = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_handOver = nullptr;
    const ShiftRecord *m_shifts = nullptr;
    std::shared_ptr<const ReceiptSettings> m_receipt = std::make_shared<ReceiptSettings>();
};
