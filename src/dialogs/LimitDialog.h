#pragma once
// The small dialog in which the operator gives the current item a limit in minutes or in money,
// or clears it.

#include "timing/ItemLimit.h"

#include <QDialog>

#include <functional>

class ModClock;
class Prompter;
class WallClock;
struct Item;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Opens with the focus in the amount, so that a number and Enter set it. The dialog only asks: it
// hands the operator's choice to apply, which sets it and says why it was refused (a flat fee can
// take no money limit); a refusal is shown and the dialog stays open for another try.
class LimitDialog : public QDialog {
    Q_OBJECT
public:
    using Apply = std::function<QString(ItemLimit::Kind kind, double amount, bool endAtLimit)>;

    // name: the item's, in the title; about: its name and bill as they stand, shown above the
    // choice; current: its limit.
    LimitDialog(const QString &name, const QString &about, const ItemLimit &current, Prompter &prompter, Apply apply,
                QWidget *owner);

    // Opens the dialog for item pos modally over owner and returns when it closes; the limit is set
    // on the item at the moment of the operator's OK.
    static void run(ModClock &state, int pos, const WallClock &clock, Prompter &prompter, QWidget *owner);
    // "PC1: 耗时累计 12 分钟, 结果 1": what the operator sets the limit against.
    static QString about(const Item &item);

    QLineEdit *amountBox() const { return m_amount; }
    QRadioButton *moneyButton() const { return m_money; }
    QCheckBox *endBox() const { return m_end; }
    QPushButton *clearButton() const { return m_clear; }

private:
    void accept() override;
    void clear();
    void tryApply(ItemLimit::Kind kind, double amount);

    Prompter &m_prompter;
    Apply m_apply;
    QRadioButton *m_minutes = nullptr;
    QRadioButton *m_money = nullptr;
    QLineEdit *m_amount = nullptr;
    QLabel *m_unit = nullptr;
    QCheckBox *m_end = nullptr;
    QPushButton *m_clear = nullptr;
};
