#pragma once
// The hand-over at the end of an operator's turn: what the shift took so far, who takes over, and
// whether the cash-up is printed at once or previewed first. With nobody on duty it asks only who
// begins.

#include "timing/AmountDue.h"
#include "timing/DayTakings.h"
#include "timing/Shift.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;

class HandOverDialog : public QDialog {
    Q_OBJECT
public:
    // shift: the one on duty, with what it took up to asOf; none: nobody is on duty yet.
    HandOverDialog(const std::optional<Shift> &shift, const DayTakings &taken, const QDateTime &asOf,
                   AmountDue::Rounding rule, bool goods, QWidget *owner);

    // The name typed, as a shift keeps it; empty after a hand-over: nobody takes over.
    QString nextOperator() const;
    // The cash-up goes straight to the printer rather than to a preview.
    bool printAtOnce() const;
    // A shift was on duty to hand over; otherwise the dialog asked who begins one.
    bool handingOver() const { return m_handingOver; }

    QLineEdit *nameBox() const { return m_name; }
    QLabel *figures() const { return m_figures; }

private:
    void accept() override;

    bool m_handingOver;
    QLabel *m_figures = nullptr;
    QLineEdit *m_name = nullptr;
    QCheckBox *m_print = nullptr;
};
