#pragma once
// The small dialog that asks where the current item's customer moves: the new name of the item.

#include <QDialog>

#include <functional>

class ModClock;
class Prompter;
class WallClock;
class QLineEdit;

// The dialog only asks: it hands the new name to apply, which moves the item and says why it was
// refused (a name in use); a refusal is shown and the dialog stays open for another name.
class MoveDialog : public QDialog {
    Q_OBJECT
public:
    using Apply = std::function<QString(const QString &newName)>;

    MoveDialog(const QString &name, Prompter &prompter, Apply apply, QWidget *owner);

    // Opens the dialog for item pos modally over owner; the item moves at the operator's OK.
    static void run(ModClock &state, int pos, const WallClock &clock, Prompter &prompter, QWidget *owner);

    QLineEdit *nameBox() const { return m_name; }

private:
    void accept() override;

    Prompter &m_prompter;
    Apply m_apply;
    QLineEdit *m_name = nullptr;
};
