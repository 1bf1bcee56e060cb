#include "ScriptedPrompter.h"

namespace {
Prompter::Answer defaultAnswer(Prompter::Buttons buttons, int defaultButton)
{
    switch (buttons) {
    case Prompter::Buttons::Ok: return Prompter::Answer::Ok;
    case Prompter::Buttons::YesNo: return defaultButton == 2 ? Prompter::Answer::No : Prompter::Answer::Yes;
    case Prompter::Buttons::YesNoCancel:
        return defaultButton == 3 ? Prompter::Answer::Cancel
            : defaultButton == 2  ? Prompter::Answer::No
                                  : Prompter::Answer::Yes;
    }
    return Prompter::Answer::Ok;
}
} // namespace

Prompter::Answer ScriptedPrompter::msgBox(const QString &text, Buttons buttons, Icon icon, int defaultButton)
{
    asked.append({text, QString(), buttons, icon, defaultButton, false});
    return answers.isEmpty() ? defaultAnswer(buttons, defaultButton) : answers.dequeue();
}

Prompter::Answer ScriptedPrompter::msgBoxWithChoice(const QString &text, const QString &choice, Icon icon)
{
    asked.append({text, choice, Buttons::YesNo, icon, 1, false});
    return answers.isEmpty() ? Answer::Yes : answers.dequeue();
}

QString ScriptedPrompter::inputBox(const QString &prompt, const QString &title, const QString &)
{
    asked.append({prompt, title, Buttons::Ok, Icon::Information, 1, true});
    return inputs.isEmpty() ? QString() : inputs.dequeue();
}
