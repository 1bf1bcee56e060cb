#include "dialogs/GoodsDialog.h"

#include "dialogs/GoodsListDialog.h"
#include "timing/AmountDue.h"
#include "timing/ModClock.h"
#include "timing/WallClock.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

GoodsDialog::GoodsDialog(const QString &name, const QList<GoodsLine> &offer, EditList editList, QWidget *owner)
    : QDialog(owner), m_editList(std::move(editList))
{
    setObjectName(QStringLiteral("fGoods"));
    setWindowTitle(QStringLiteral("添加商品 - ") + name);
    m_goods = new QComboBox(this);
    m_goods->setObjectName(QStringLiteral("cboGoods"));
    m_quantity = new QSpinBox(this);
    m_quantity->setObjectName(QStringLiteral("txtQuantity"));
    m_quantity->setRange(1, GoodsLine::kMostQuantity);
    m_empty = new QLabel(QStringLiteral("商品列表为空,请先编辑商品列表。"), this);
    auto *edit = new QPushButton(QStringLiteral("编辑商品列表… &E"), this);
    connect(edit, &QPushButton::clicked, this, [this] {
        if (const std::optional<QList<GoodsLine>> edited = m_editList(m_offer))
            showOffer(*edited);
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("商品:"), m_goods);
    form->addRow(QStringLiteral("数量:"), m_quantity);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_empty);
    layout->addWidget(edit, 0, Qt::AlignLeft);
    layout->addWidget(buttons);
    showOffer(offer);
    m_goods->setFocus();
}

void GoodsDialog::showOffer(const QList<GoodsLine> &offer)
{
    const QString was = m_goods->currentText();
    m_offer = offer;
    m_goods->clear();
    for (const GoodsLine &g : offer)
        m_goods->addItem(QStringLiteral("%1  %2 元").arg(g.name, AmountDue::text(g.price)));
    m_goods->setCurrentIndex(std::max(0, int(m_goods->findText(was))));
    m_empty->setVisible(offer.isEmpty());
    m_ok->setEnabled(!offer.isEmpty());
}

std::optional<GoodsLine> GoodsDialog::chosen() const
{
    const int index = m_goods->currentIndex();
    if (index < 0 || index >= m_offer.size())
        return std::nullopt;
    GoodsLine g = m_offer[index];
    g.quantity = m_quantity->value();
    return g;
}

void GoodsDialog::run(ModClock &state, int pos, const WallClock &clock, QList<GoodsLine> &offer, Prompter &prompter,
                      const std::function<void()> &save, QWidget *owner)
{
    if (!state.lvwMain.isValid(pos))
        return;
    // The handle follows the item's row while the dialog is open.
    const QPersistentModelIndex row = state.lvwMain.handle(pos);
    GoodsDialog dialog(
        state.lvwMain.at(pos).name, offer,
        [&offer, &prompter, &save, owner](const QList<GoodsLine> &shown) {
            std::optional<QList<GoodsLine>> edited = GoodsListDialog::edit(shown, prompter, owner);
            if (edited) {
                offer = *edited;
                save();
            }
            return edited;
        },
        owner);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const std::optional<GoodsLine> g = dialog.chosen())
        state.addGoods(state.lvwMain.positionOf(row), *g, clock.moment());
}
