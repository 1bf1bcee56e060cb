#include "dialogs/FormulaCheck.h"

#include "formula/FormulaEvaluator.h"

bool FormulaCheck::CheckClock(const QString &formula)
{
    bool found = false;
    sCheckText.clear();
    // Every C becomes 1, even inside a function name: the check knows nothing of names.
    for (const QChar ch : formula) {
        if (ch == u'C' || ch == u'c') {
            found = true;
            sCheckText += u'1';
        } else {
            sCheckText += ch;
        }
    }
    return found;
}

void FormulaCheck::check(const FormulaEvaluator &evaluator, const QString &formula)
{
    bNoMacro = false;
    bEvaluated = false;
    if (!CheckClock(formula)) {
        dblCheckValue = 0;
        bNoMacro = true;
    } else {
        const std::optional<double> value = evaluator.Evaluate(sCheckText);
        bEvaluated = value.has_value();
        dblCheckValue = value.value_or(0.0);
    }
}

QString FormulaCheck::verdict() const
{
    // A formula is judged by whether it evaluates, not by its value: "the first ten minutes free"
    // (MAX(0,C-10)*5/60) is worth 0 at C = 1 and is a sound scheme. The evaluator gives nothing
    // for a failure or a value that is not a finite number.
    if (accepted())
        return QStringLiteral("表达式正确。");
    if (bNoMacro)
        return QStringLiteral("表达式没有包含取时宏'C',计时方案无意义。");
    return QStringLiteral("计时表达式不正确,公式语法错误!");
}
