#include "dialogs/MoveDialog.h"

#include "dialogs/Prompter.h"
#include "timing/ModClock.h"
#include "timing/WallClock.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

MoveDialog::MoveDialog(const QString &name, Prompter &prompter, Apply apply, QWidget *owner)
    : QDialog(owner), m_prompter(prompter), m_apply(std::move(apply))
{
    setObjectName(QStringLiteral("fMove"));
    setWindowTitle(QStringLiteral("换机 - ") + name);
    auto *about = new QLabel(QStringLiteral("“%1”的计时、商品和限额都转到新的项名称下,按一项结算。").arg(name), this);
    about->setTextFormat(Qt::PlainText);
    about->setWordWrap(true);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtNewName"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &MoveDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addWidget(new QLabel(QStringLiteral("新的项名称:"), this));
    layout->addWidget(m_name);
    layout->addWidget(buttons);
    m_name->setFocus();
}

void MoveDialog::run(ModClock &state, int pos, const WallClock &clock, Prompter &prompter, QWidget *owner)
{
    if (!state.lvwMain.isValid(pos))
        return;
    const QPersistentModelIndex row = state.lvwMain.handle(pos);
    MoveDialog dialog(
        state.lvwMain.at(pos).name, prompter,
        [&state, &clock, row](const QString &newName) {
            return state.moveTo(state.lvwMain.positionOf(row), newName, clock.moment());
        },
        owner);
    dialog.exec();
}

void MoveDialog::accept()
{
    const QString refusal = m_apply(m_name->text());
    if (refusal.isEmpty()) {
        QDialog::accept();
        return;
    }
    m_prompter.msgBox(refusal, Prompter::Buttons::Ok, Prompter::Icon::Exclamation);
    m_name->setFocus();
    m_name->selectAll();
}
