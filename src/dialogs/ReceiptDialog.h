#pragma once
// The small dialog in which the operator names the shop, chooses the till's rounding, whether
// ending an item asks what the customer paid, and the paper each report is printed on.

#include "timing/ReceiptSettings.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;

class ReceiptDialog : public QDialog {
    Q_OBJECT
public:
    ReceiptDialog(const ReceiptSettings &current, QWidget *owner);

    // The settings as the dialog shows them now.
    ReceiptSettings settings() const;

    // Opens the dialog modally over owner; on OK the operator's choice replaces settings and save
    // keeps it.
    static void run(ReceiptSettings &settings, QWidget *owner, const std::function<void()> &save);

    QLineEdit *shopBox() const { return m_shop; }
    QCheckBox *askPaidBox() const { return m_askPaid; }
    QComboBox *roundingBox() const { return m_rounding; }
    QComboBox *paperBox(ReceiptSettings::Paper paper) const { return m_papers[size_t(paper)]; }

private:
    ReceiptSettings m_base; // what the dialog opened on
    QLineEdit *m_shop = nullptr;
    QCheckBox *m_askPaid = nullptr;
    QComboBox *m_rounding = nullptr;
    std::array<QComboBox *, ReceiptSettings::PaperCount> m_papers {};
};
