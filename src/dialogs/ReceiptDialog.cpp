#include "dialogs/ReceiptDialog.h"

#include "dialogs/Prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace {
const AmountDue::Rounding kRules[] = {AmountDue::Rounding::Fen, AmountDue::Rounding::Jiao,
                                      AmountDue::Rounding::HalfYuan, AmountDue::Rounding::Yuan};
const char16_t *const kRuleNames[] = {u"到分(不取整)", u"按0.1元取整", u"按0.5元取整", u"按1元取整"};
const char16_t *const kPaperNames[] = {u"计时账单", u"计时项清单", u"日账目", u"期间账目", u"交班结算"};

QString paperText(int width)
{
    return width == 0 ? QStringLiteral("A4 纸") : QStringLiteral("%1 mm 卷纸").arg(width);
}
} // namespace

ReceiptDialog::ReceiptDialog(const ReceiptSettings &current, QWidget *owner) : QDialog(owner), m_base(current)
{
    setWindowTitle(QStringLiteral("账单与纸张 - ") + appTitle());
    auto *form = new QFormLayout(this);
    m_shop = new QLineEdit(current.shopName, this);
    m_shop->setPlaceholderText(QStringLiteral("空: 账单上不印店名"));
    form->addRow(QStringLiteral("店名(&N):"), m_shop);
    m_rounding = new QComboBox(this);
    for (size_t k = 0; k < std::size(kRules); ++k) {
        m_rounding->addItem(QString::fromUtf16(kRuleNames[k]), int(kRules[k]));
        if (kRules[k] == current.rounding)
            m_rounding->setCurrentIndex(int(k));
    }
    form->addRow(QStringLiteral("应收金额(&R):"), m_rounding);
    m_askPaid = new QCheckBox(QStringLiteral("结束计时并打印时询问实收金额, 账单上印实收与找零(&P)"), this);
    m_askPaid->setChecked(current.askPaid);
    form->addRow(m_askPaid);
    for (int p = 0; p < ReceiptSettings::PaperCount; ++p) {
        auto *box = new QComboBox(this);
        for (const int width : ReceiptSettings::kRollWidths) {
            box->addItem(paperText(width), width);
            if (width == current.rollWidth[size_t(p)])
                box->setCurrentIndex(box->count() - 1);
        }
        m_papers[size_t(p)] = box;
        form->addRow(QString::fromUtf16(kPaperNames[p]) + QStringLiteral("纸张:"), box);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

ReceiptSettings ReceiptDialog::settings() const
{
    ReceiptSettings s = m_base;
    s.shopName = m_shop->text().trimmed();
    s.askPaid = m_askPaid->isChecked();
    s.rounding = AmountDue::roundingFromStep(m_rounding->currentData().toInt());
    for (int p = 0; p < ReceiptSettings::PaperCount; ++p)
        s.rollWidth[size_t(p)] = m_papers[size_t(p)]->currentData().toInt();
    return s;
}

void ReceiptDialog::run(ReceiptSettings &settings, QWidget *owner, const std::function<void()> &save)
{
    ReceiptDialog dialog(settings, owner);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings = dialog.settings();
    if (save)
        save();
}
