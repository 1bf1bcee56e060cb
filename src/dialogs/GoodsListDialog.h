#pragma once
// The small dialog in which the operator keeps the goods on offer: adds, removes and changes their
// names and prices.

#include "timing/GoodsLine.h"

#include <QDialog>
#include <QList>

#include <optional>

class Prompter;
class QTableWidget;

// One row per goods, its name and its price per piece. OK checks every row: a name, a price that is
// a number from 0 up, no name twice; a row left empty is dropped. A refusal is shown and the dialog
// stays open on the row at fault.
class GoodsListDialog : public QDialog {
    Q_OBJECT
public:
    GoodsListDialog(const QList<GoodsLine> &goods, Prompter &prompter, QWidget *owner);

    // The list as the operator confirmed it, or nothing when cancelled.
    static std::optional<QList<GoodsLine>> edit(const QList<GoodsLine> &goods, Prompter &prompter, QWidget *owner);

    QTableWidget *table() const { return m_table; }
    // The rows as last accepted.
    const QList<GoodsLine> &goods() const { return m_goods; }

    void addRow(const QString &name = {}, const QString &price = {});

private:
    void accept() override;
    void refuse(int row, int column, const QString &why);

    Prompter &m_prompter;
    QTableWidget *m_table = nullptr;
    QList<GoodsLine> m_goods;
};
