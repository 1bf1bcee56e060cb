#include "commands/PaidQuestion.h"

#include "dialogs/Prompter.h"
#include "timing/AmountDue.h"

#include <cmath>

namespace PaidQuestion {

std::optional<double> ask(Prompter &prompter, double due)
{
    const QString dueText = AmountDue::text(due);
    const QString prompt = QStringLiteral("应收金额: %1 元\n请输入实收金额(元):").arg(dueText);
    for (;;) {
        QString typed = prompter.inputBox(prompt, QStringLiteral("实收"), dueText).trimmed();
        if (typed.isEmpty())
            return std::nullopt;
        // A counter's operator types "50元" as readily as "50", and a full-width point on a
        // Chinese keyboard.
        typed.remove(QStringLiteral("元")).replace(u'．', u'.');
        bool ok = false;
        const double paid = typed.trimmed().toDouble(&ok);
        // Compared in whole fen, as the bill shows both.
        const std::optional<qint64> paidFen = ok && std::isfinite(paid) ? AmountDue::fen(paid) : std::nullopt;
        const std::optional<qint64> dueFen = AmountDue::fen(due);
        if (paidFen && dueFen && *paidFen >= *dueFen)
            return paid;
        prompter.msgBox(QStringLiteral("实收金额应是不少于应收金额 %1 元的数目。").arg(dueText), Prompter::Buttons::Ok,
                        Prompter::Icon::Exclamation);
    }
}

} // namespace PaidQuestion
