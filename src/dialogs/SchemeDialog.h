#pragma once
// fFangAn: the dialog in which the operator types the fee formula of a new timing scheme.

#include "dialogs/FormulaCheck.h"

#include <QDialog>
#include <QString>

#include <functional>

class BandEditor;
class Tariff;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Each change of the formula is tried with C = 1; only a formula that holds a C and gives a
// finite number there (0 included) can be added. OK appends the text as typed to the shared scheme list cFangAn.
// "按时段计价" swaps the formula for bands priced by the hour of the day, each formula checked alike;
// OK then appends the bands' text.
class SchemeDialog : public QDialog {
    Q_OBJECT
public:
    // schemesChanged runs after OK has appended the scheme, so that the list is saved at once.
    SchemeDialog(Tariff &state, QWidget *owner, std::function<void()> schemesChanged = {});

    // Opens the dialog modally over owner and returns when it closes; cFangAn is its only result.
    static void run(Tariff &state, QWidget *owner, std::function<void()> schemesChanged = {});

    // Rebuilds sCheckText from the formula and tells whether it holds a C.
    bool CheckClock();
    // Shows the verdict on the formula and enables OK from it.
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
    void showBands(bool shown);
    void bandsChanged();
    void focusInput();
    // The buttons at the foot of the dialog, taller twips lower while it shows bands.
    void placeFooter(int taller);

    Tariff &m_state;
    std::function<void()> m_schemesChanged;
    // The controls carry their design names as object names as well.
    QGroupBox *Frame1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *lblTip = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QCheckBox *chkBands = nullptr;
    BandEditor *m_bands = nullptr; // made when first asked for
    FormulaCheck m_check;
};
