#include "dialogs/LimitDialog.h"

#include "dialogs/Prompter.h"
#include "timing/ModClock.h"
#include "timing/TimeText.h"
#include "timing/WallClock.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

LimitDialog::LimitDialog(const QString &name, const QString &about, const ItemLimit &current, Prompter &prompter,
                         Apply apply, QWidget *owner)
    : QDialog(owner), m_prompter(prompter), m_apply(std::move(apply))
{
    setObjectName(QStringLiteral("fLimit"));
    // The title names the item as well, so that the operator sees whose limit this is at a glance.
    setWindowTitle(QStringLiteral("设定限额 - ") + name);
    auto *item = new QLabel(about, this);
    // A name is shown as typed, even one that looks like markup.
    item->setTextFormat(Qt::PlainText);
    item->setWordWrap(true);

    m_minutes = new QRadioButton(QStringLiteral("按分钟 &T"), this);
    m_money = new QRadioButton(QStringLiteral("按金额 &Y"), this);
    (current.kind == ItemLimit::Kind::Money ? m_money : m_minutes)->setChecked(true);
    m_amount = new QLineEdit(this);
    m_amount->setObjectName(QStringLiteral("txtLimit"));
    if (current.isSet())
        m_amount->setText(TimeText::generalNumber(current.amount));
    m_unit = new QLabel(this);
    const auto showUnit = [this] {
        m_unit->setText(m_money->isChecked() ? QStringLiteral("元") : QStringLiteral("分钟"));
    };
    connect(m_money, &QRadioButton::toggled, this, showUnit);
    showUnit();
    m_end = new QCheckBox(QStringLiteral("到限额时终止计时 &E"), this);
    m_end->setChecked(current.endAtLimit);
    // Choosing the kind (Alt+T, Alt+Y) or the end (Alt+E) leaves the amount to type next, where
    // the focus goes back.
    const auto backToAmount = [this] {
        m_amount->setFocus();
        m_amount->selectAll();
    };
    connect(m_money, &QRadioButton::toggled, this, backToAmount);
    connect(m_end, &QCheckBox::toggled, this, backToAmount);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    m_clear = buttons->addButton(QStringLiteral("清除限额 &C"), QDialogButtonBox::ResetRole);
    m_clear->setEnabled(current.isSet());
    connect(buttons, &QDialogButtonBox::accepted, this, &LimitDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_clear, &QPushButton::clicked, this, &LimitDialog::clear);

    auto *kinds = new QHBoxLayout;
    kinds->addWidget(m_minutes);
    kinds->addWidget(m_money);
    kinds->addStretch(1);
    auto *amount = new QHBoxLayout;
    amount->addWidget(new QLabel(QStringLiteral("限额:"), this));
    amount->addWidget(m_amount, 1);
    amount->addWidget(m_unit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(item);
    layout->addLayout(kinds);
    layout->addLayout(amount);
    layout->addWidget(m_end);
    layout->addWidget(buttons);
    setTabOrder(m_amount, m_minutes);
    m_amount->setFocus();
    m_amount->selectAll();
}

void LimitDialog::run(ModClock &state, int pos, const WallClock &clock, Prompter &prompter, QWidget *owner)
{
    if (!state.lvwMain.isValid(pos))
        return;
    // The clock goes on while the dialog is open; the handle follows the item's row.
    const QPersistentModelIndex row = state.lvwMain.handle(pos);
    const Apply apply = [&state, &clock, row](ItemLimit::Kind kind, double amount, bool endAtLimit) {
        return state.setLimit(state.lvwMain.positionOf(row), kind, amount, endAtLimit, clock.moment());
    };
    const Item &item = state.lvwMain.at(pos);
    LimitDialog dialog(item.name, about(item), item.limit, prompter, apply, owner);
    dialog.exec();
}

QString LimitDialog::about(const Item &item)
{
    return QStringLiteral("%1: 耗时累计 %2 分钟, 结果 %3")
        .arg(item.name, TimeText::generalNumber(item.minutesShown), TimeText::generalNumber(item.fee));
}

void LimitDialog::accept()
{
    bool ok = false;
    const double amount = m_amount->text().trimmed().toDouble(&ok);
    if (!ok) {
        m_prompter.msgBox(QStringLiteral("请输入限额,例如 60 分钟或 10 元。"), Prompter::Buttons::Ok,
                          Prompter::Icon::Exclamation);
        m_amount->setFocus();
        return;
    }
    tryApply(m_money->isChecked() ? ItemLimit::Kind::Money : ItemLimit::Kind::Minutes, amount);
}

void LimitDialog::clear()
{
    tryApply(ItemLimit::Kind::None, 0);
}

void LimitDialog::tryApply(ItemLimit::Kind kind, double amount)
{
    const QString refusal = m_apply(kind, amount, m_end->isChecked());
    if (refusal.isEmpty()) {
        QDialog::accept();
        return;
    }
    m_prompter.msgBox(refusal, Prompter::Buttons::Ok, Prompter::Icon::Exclamation);
    m_amount->setFocus();
    m_amount->selectAll();
}
