#pragma once
// fNew: the dialog in which the operator adds timing items, one after another, and manages schemes.

#include <QDialog>

#include <functional>

class ModClock;
class Prompter;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class WallClock;

// OK adds one item to the shared state and leaves the dialog open, cleared, with the same scheme
// selected, so that the next item needs only a name and Enter. Only Cancel or the close box close it.
class NewItemsDialog : public QDialog {
    Q_OBJECT
public:
    // schemesChanged runs after a scheme was removed here or added in the scheme dialog opened
    // from here, so that the list is saved at once.
    NewItemsDialog(ModClock &state, WallClock &clock, Prompter &prompter, QWidget *owner,
                   std::function<void()> schemesChanged = {});

    // Opens the dialog modally over owner and returns when it closes; the new items are its result.
    static void run(ModClock &state, WallClock &clock, Prompter &prompter, QWidget *owner,
                    std::function<void()> schemesChanged = {}, std::function<void()> startedOnAdding = {});

    // "新增 &N" opens the scheme dialog through this; by default modally over the owner. Tests put
    // something in its place that does not wait for an operator.
    void setSchemeDialogOpener(std::function<void()> open);

    // OK is enabled exactly when there is a name (blanks count) and a scheme is selected.
    void doEnabled();

    static QString helpText();

Q_SIGNALS:
    // An item was added started: the main window's clock is to refresh it.
    void startedOnAdding();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void Form_Load();
    void focusNameIfEmpty();
    int selectedLine() const; // 0-based, -1 when no line is selected
    void Lst_Click();
    void cmdNew_Click();
    void cmdRemove_Click();
    void cmdOK_Click();

    ModClock &m_state;
    WallClock &m_clock;
    Prompter &m_prompter;
    std::function<void()> m_schemesChanged;
    std::function<void()> m_openSchemeDialog;

    // The controls carry their design names as object names as well.
    QLineEdit *txtName = nullptr;
    QLineEdit *txtTime = nullptr;
    QListWidget *Lst = nullptr;
    QLabel *lblNoScheme = nullptr;
    QPushButton *cmdNew = nullptr;
    QPushButton *cmdRemove = nullptr;
    QCheckBox *cheCalc = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
