#include "history/HandOverDialog.h"

#include "history/TakingsReports.h"
#include "timing/ShiftRecord.h"
#include "timing/TimeText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

HandOverDialog::HandOverDialog(const std::optional<Shift> &shift, const DayTakings &taken, const QDateTime &asOf,
                               AmountDue::Rounding rule, bool goods, QWidget *owner)
    : QDialog(owner), m_handingOver(shift.has_value())
{
    setObjectName(QStringLiteral("fHandOver"));
    setWindowTitle(m_handingOver ? QStringLiteral("交班") : QStringLiteral("上班"));
    m_figures = new QLabel(this);
    m_figures->setTextFormat(Qt::PlainText);
    if (m_handingOver) {
        const QList<DayTakings::Line> all = taken.settled + taken.open;
        // The figures stand as they were when the dialog opened; the cash-up is taken at 交班.
        m_figures->setText(QStringLiteral("当班: %1, %2 起, 截至 %3\n")
                               .arg(shift->operatorName, TimeText::generalDateTime(shift->from),
                                    TimeText::longTime(asOf.time()))
                           + TakingsReports::dayTotal(QStringLiteral("已结算"), taken.settled, rule, goods) + u'\n'
                           + TakingsReports::dayTotal(QStringLiteral("未结算"), taken.open, rule, goods) + u'\n'
                           + TakingsReports::dayTotal(QStringLiteral("合计"), all, rule, goods));
    } else {
        m_figures->setText(QStringLiteral("现在没有操作员当班。"));
    }
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtOperator"));
    m_name->setMaxLength(40);
    m_print = new QCheckBox(QStringLiteral("直接打印交班结算单 &P"), this);
    m_print->setVisible(m_handingOver);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(m_handingOver ? QStringLiteral("交班") : QStringLiteral("上班"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &HandOverDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_figures);
    layout->addWidget(new QLabel(m_handingOver ? QStringLiteral("接班操作员 (不填则无人接班):")
                                               : QStringLiteral("操作员:"),
                                 this));
    layout->addWidget(m_name);
    layout->addWidget(m_print);
    layout->addWidget(buttons);
    m_name->setFocus();
}

QString HandOverDialog::nextOperator() const
{
    return ShiftRecord::operatorName(m_name->text());
}

bool HandOverDialog::printAtOnce() const
{
    return m_print->isChecked();
}

void HandOverDialog::accept()
{
    // A shift needs someone to begin it; a hand-over may leave the counter closed.
    if (!m_handingOver && nextOperator().isEmpty()) {
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}
