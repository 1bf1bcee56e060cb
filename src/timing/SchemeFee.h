#pragma once
// What a scheme charges: its formula evaluated with the minutes put for C.

#include <QString>

#include <optional>

class FormulaEvaluator;

// Puts dblReplace for every C or c of the formula and evaluates it; 0 when anything fails.
double valCalc(FormulaEvaluator &objCalc, const QString &sExpresstion, double dblReplace);

// valCalc's value, nothing for a failure. The text way writes the number into the formula as
// general number text; the other way gives the same to the last bit from the formula compiled
// once, and takes the text way wherever it cannot.
std::optional<double> schemeValue(FormulaEvaluator &calc, const QString &scheme, double number);
std::optional<double> schemeValueByText(FormulaEvaluator &calc, const QString &scheme, double number);
