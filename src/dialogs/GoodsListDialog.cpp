#include "dialogs/GoodsListDialog.h"

#include "dialogs/Prompter.h"
#include "timing/AmountDue.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

GoodsListDialog::GoodsListDialog(const QList<GoodsLine> &goods, Prompter &prompter, QWidget *owner)
    : QDialog(owner), m_prompter(prompter), m_goods(goods)
{
    setObjectName(QStringLiteral("fGoodsList"));
    setWindowTitle(QStringLiteral("商品列表"));
    m_table = new QTableWidget(0, 2, this);
    m_table->setObjectName(QStringLiteral("lvwGoods"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("名称"), QStringLiteral("单价(元)")});
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->verticalHeader()->hide();
    for (const GoodsLine &g : goods)
        addRow(g.name, AmountDue::text(g.price));

    auto *add = new QPushButton(QStringLiteral("添加 &A"), this);
    auto *remove = new QPushButton(QStringLiteral("删除 &D"), this);
    connect(add, &QPushButton::clicked, this, [this] {
        addRow();
        m_table->setCurrentCell(m_table->rowCount() - 1, 0);
        m_table->editItem(m_table->currentItem());
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (const int row = m_table->currentRow(); row >= 0)
            m_table->removeRow(row);
    });
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &GoodsListDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *rowButtons = new QVBoxLayout;
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch(1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_table, 1);
    middle->addLayout(rowButtons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(middle);
    layout->addWidget(buttons);
    resize(360, 300);
}

std::optional<QList<GoodsLine>> GoodsListDialog::edit(const QList<GoodsLine> &goods, Prompter &prompter, QWidget *owner)
{
    GoodsListDialog dialog(goods, prompter, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.goods();
}

void GoodsListDialog::addRow(const QString &name, const QString &price)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, 0, new QTableWidgetItem(name));
    auto *priceItem = new QTableWidgetItem(price);
    priceItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_table->setItem(row, 1, priceItem);
}

void GoodsListDialog::accept()
{
    QList<GoodsLine> goods;
    QSet<QString> names;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QString name = m_table->item(row, 0) ? m_table->item(row, 0)->text().trimmed() : QString();
        const QString price = m_table->item(row, 1) ? m_table->item(row, 1)->text().trimmed() : QString();
        if (name.isEmpty() && price.isEmpty())
            continue;
        if (name.isEmpty())
            return refuse(row, 0, QStringLiteral("请输入商品名称。"));
        const std::optional<double> taken = GoodsLine::priceOf(price);
        if (!taken)
            return refuse(row, 1, QStringLiteral("“%1”的单价必须是不小于 0 的数,例如 3.50。").arg(name));
        if (names.contains(name.toCaseFolded()))
            return refuse(row, 0, QStringLiteral("商品“%1”已在列表中。").arg(name));
        names.insert(name.toCaseFolded());
        goods.append({name, *taken, 1});
    }
    m_goods = goods;
    QDialog::accept();
}

void GoodsListDialog::refuse(int row, int column, const QString &why)
{
    m_prompter.msgBox(why, Prompter::Buttons::Ok, Prompter::Icon::Exclamation);
    m_table->setCurrentCell(row, column);
}
