#pragma once
// Turns a fee formula whose every C has already been replaced by a number into a value.

#include <QString>

#include <memory>
#include <optional>

class CompiledScheme;

class FormulaEvaluator {
public:
    FormulaEvaluator();
    ~FormulaEvaluator();
    FormulaEvaluator(const FormulaEvaluator &) = delete;
    FormulaEvaluator &operator=(const FormulaEvaluator &) = delete;

    // The value of the formula, or nothing when the text is not a formula we accept or its value
    // is not a finite number. Never throws and never ends the process.
    std::optional<double> Evaluate(const QString &text) const;

    // The scheme compiled once and kept for its next calls; null when it cannot be compiled, and
    // then the caller writes its number into the text. Valid until the next call.
    CompiledScheme *compiled(const QString &scheme) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
