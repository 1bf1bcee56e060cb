#pragma once
// The check a scheme formula passes before it can be added: it holds a C and evaluates with C = 1.

#include <QString>

class FormulaEvaluator;

// The scheme dialog runs it on its one formula, the band editor on each band's.
class FormulaCheck {
public:
    // Rebuilds sCheckText from the formula and tells whether it holds a C.
    bool CheckClock(const QString &formula);
    // Checks the formula afresh.
    void check(const FormulaEvaluator &evaluator, const QString &formula);

    bool accepted() const { return !bNoMacro && bEvaluated; }
    // "表达式正确。" or why the formula is refused.
    QString verdict() const;

    QString sCheckText;
    double dblCheckValue = 0;
    bool bEvaluated = false; // the check gave a finite number, which may well be 0
    bool bNoMacro = false;
};
