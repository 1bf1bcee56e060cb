#pragma once
// The history window: the items removed since the program started, newest first, and the day's
// ledger.

#include "history/RemovedItemReport.h"

#include <QWidget>

class HistoryLog;
class LedgerDayView;
class LedgerPeriodView;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;

// A window of its own beside the main window, not modal, so that the operator can keep it open
// while working; it follows the log as items are removed.
class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    HistoryWindow(const HistoryLog &log, const WallClock &clock, TimingReports::PrinterFactory factory,
                  QWidget *owner = nullptr);

    static QStringList columnHeaders();

    // Index into the log (0 = newest) of the selected line, -1 when none is selected.
    int selectedEntry() const;
    void selectEntry(int index);

    // The selected entry's report, or on the day or period view theirs, previewed or printed.
    void previewSelected();
    void printSelected();

    QTreeWidget *entries() const { return m_entries; }

    // The settings the removed items' bills and both views follow.
    void setReceipt(const std::shared_ptr<const ReceiptSettings> &receipt);

    // Adds the day view as the page 今日 beside the items removed in this run; the window owns it.
    void addDayView(LedgerDayView *view);
    // Adds the period view as the page 期间, after the day view; the window owns it.
    void addPeriodView(LedgerPeriodView *view);
    // Brings the page of this run's items (0), the day view (1) or the period view (2) to the front.
    void showPage(int page);

private:
    void fill();
    void updateButtons();
    void present(bool bPreview);
    bool onDayView() const;
    bool onPeriodView() const;

    const HistoryLog &m_log;
    RemovedItemReport m_report;
    TimingReports::PrinterFactory m_factory;
    std::unique_ptr<ReportPrinter> m_dayReport; // its own, so a day's preview stays beside an item's
    std::unique_ptr<ReportPrinter> m_periodReport;
    LedgerDayView *m_dayView = nullptr;
    LedgerPeriodView *m_periodView = nullptr;
    QTabWidget *m_pages = nullptr;
    QTreeWidget *m_entries = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_preview = nullptr;
    QPushButton *m_print = nullptr;
};
