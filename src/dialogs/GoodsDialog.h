#pragma once
// The small dialog in which the operator sells goods to the current item's customer: which goods,
// how many. The list of goods on offer can be kept from it.

#include "timing/GoodsLine.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <optional>

class ModClock;
class Prompter;
class WallClock;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// Opens with the goods chosen first and the quantity 1, so that Enter sells one. The dialog only
// asks: editList keeps the goods on offer (and says what they are now, nothing when cancelled).
class GoodsDialog : public QDialog {
    Q_OBJECT
public:
    using EditList = std::function<std::optional<QList<GoodsLine>>(const QList<GoodsLine> &offer)>;

    GoodsDialog(const QString &name, const QList<GoodsLine> &offer, EditList editList, QWidget *owner);

    // Opens the dialog for item pos modally over owner; the goods go on the item at the operator's
    // OK. offer is the goods on offer, changed in place (and saved by save) when edited from here.
    static void run(ModClock &state, int pos, const WallClock &clock, QList<GoodsLine> &offer, Prompter &prompter,
                    const std::function<void()> &save, QWidget *owner);

    // What the operator chose, with its quantity; nothing while the list is empty.
    std::optional<GoodsLine> chosen() const;

    QComboBox *goodsBox() const { return m_goods; }
    QSpinBox *quantityBox() const { return m_quantity; }

private:
    void showOffer(const QList<GoodsLine> &offer);

    EditList m_editList;
    QList<GoodsLine> m_offer;
    QComboBox *m_goods = nullptr;
    QSpinBox *m_quantity = nullptr;
    QLabel *m_empty = nullptr;
    QPushButton *m_ok = nullptr;
};
