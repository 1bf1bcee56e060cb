#pragma once
// fFangAn: the dialog in which the operator types the fee formula of a new timing scheme.

#include <QDialog>
#include <QString>

#include <functional>

class Tariff;
class QLabel;
class QLineEdit;
class QPushButton;

// Each change of the formula is tried with C = 1; only a formula that holds a C and gives a
// finite number there (0 included) can be added. OK appends the text as typed to the shared scheme list cFangAn.
class SchemeDialog : public QDialog {
    Q_OBJECT
public:
    // schemesChanged runs after OK has appended the scheme, so that the list is saved at once.
    SchemeDialog(Tariff &state, QWidget *owner, std::function<void()> schemesChanged = {});

    // Opens the dialog modally over owner and returns when it closes; cFangAn is its only result.
    static void run(Tariff &state, QWidget *owner, std::function<void()> schemesChanged = {});

    // Rebuilds sCheckText from the formula and tells whether it holds a C.
    bool CheckClock();
    // Shows the verdict and enables OK from bEvaluated and bNoMacro.
    void CheckEnabled();

    static QString firstHelpText();
    static QString secondHelpText();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void onText1Changed();
    void cmdOK_Click();

    Tariff &m_state;
    std::function<void()> m_schemesChanged;
    // The controls carry their design names as object names as well.
    QLineEdit *Text1 = nullptr;
    QLabel *lblTip = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QString sCheckText;
    double dblCheckValue = 0;
    bool bEvaluated = false; // the check gave a finite number, which may well be 0
    bool bNoMacro = false;
};
