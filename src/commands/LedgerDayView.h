#pragma once
// The day view of the history window: every item that left the list on a day, with its fee, the
// day's total, and the export of the day's ledger.

#include <QDate>
#include <QWidget>

#include <memory>

class DayLedger;
class SaveFileAsker;
class QDateEdit;
class QLabel;
class QPushButton;
class QTreeWidget;
class WallClock;

class LedgerDayView : public QWidget {
    Q_OBJECT
public:
    LedgerDayView(const DayLedger &ledger, const WallClock &clock, std::unique_ptr<SaveFileAsker> asker,
                  QWidget *parent = nullptr);
    ~LedgerDayView() override;

    static QStringList columnHeaders();

    QDate day() const;
    // Shows that day's file as it is now; today when the day is not valid.
    void showDay(const QDate &day);
    // Reads the shown day's file again: an item may have left the list meanwhile.
    void refresh();
    // Asks for a file name and writes the shown day's ledger there as CSV; true when it was written.
    bool exportDay();

    QTreeWidget *entries() const { return m_entries; }
    QLabel *total() const { return m_total; }
    QDateEdit *picker() const { return m_picker; }
    QPushButton *exportButton() const { return m_export; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    const DayLedger &m_ledger;
    const WallClock &m_clock;
    std::unique_ptr<SaveFileAsker> m_asker;
    QDate m_today; // today when the view last looked, to follow the date past midnight
    QDateEdit *m_picker = nullptr;
    QTreeWidget *m_entries = nullptr;
    QLabel *m_total = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_export = nullptr;
};
