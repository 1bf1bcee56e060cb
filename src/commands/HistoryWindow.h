#pragma once
// The history window: the items removed since the program started, newest first.

#include "commands/RemovedItemReport.h"

#include <QWidget>

class HistoryLog;
class QLabel;
class QPushButton;
class QTreeWidget;

// A window of its own beside the main window, not modal, so that the operator can keep it open
// while working; it follows the log as items are removed.
class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    HistoryWindow(const HistoryLog &log, const WallClock &clock, TimingReports::PrinterFactory factory,
                  QWidget *owner = nullptr);

    static QStringList ColumnHeaders();

    // Index into the log (0 = newest) of the selected line, -1 when none is selected.
    int SelectedEntry() const;
    void SelectEntry(int index);

    // The selected entry's report, previewed or printed.
    void PreviewSelected();
    void PrintSelected();

    QTreeWidget *entries() const { return m_entries; }

private:
    void fill();
    void updateButtons();

    const HistoryLog &m_log;
    RemovedItemReport m_report;
    QTreeWidget *m_entries = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_preview = nullptr;
    QPushButton *m_print = nullptr;
};
