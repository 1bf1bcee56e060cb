#pragma once
// The bands of a scheme priced by the hour of the day, as the scheme dialog edits them.

#include "dialogs/FormulaCheck.h"
#include "timing/SchemeBands.h"

#include <QGroupBox>

#include <memory>
#include <optional>
#include <vector>

class FormulaEvaluator;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QVBoxLayout;

// One line per band: its start time and its formula, each formula checked as it is typed, as the
// dialog checks a single formula. The verdict shown is that of the band being edited.
class BandEditor : public QGroupBox {
    Q_OBJECT
public:
    BandEditor(const FormulaEvaluator &evaluator, QWidget *parent);
    ~BandEditor() override;

    // Starts with one band from midnight, priced by the formula.
    void start(const QString &formula);
    // The bands, once every formula is accepted and no two bands start at the same time.
    std::optional<SchemeBands> bands() const;
    // Moves the input focus to the formula of the band being edited.
    void focusBand();

signals:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Band;
    void addBand(int start, const QString &formula);
    void onAddClicked();
    void onRemoveClicked();
    void bandEdited(Band *band);
    bool startTaken(const Band *band) const;
    void refresh();
    void chainTabs();

    const FormulaEvaluator &m_evaluator;
    std::vector<std::unique_ptr<Band>> m_bands;
    int m_current = 0;
    QVBoxLayout *m_lines = nullptr;
    QLabel *m_tip = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
};
