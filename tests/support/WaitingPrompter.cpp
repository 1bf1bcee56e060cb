#include "WaitingPrompter.h"

#include <QEventLoop>
#include <QTimer>

// The question is recorded when the box opens and answered when it closes.
Prompter::Answer WaitingPrompter::msgBox(const QString &text, Buttons buttons, Icon icon, int defaultButton)
{
    const Answer answer = ScriptedPrompter::msgBox(text, buttons, icon, defaultButton);
    waitForTheOperator();
    return answer;
}

Prompter::Answer WaitingPrompter::msgBoxWithChoice(const QString &text, const QString &choice, Icon icon)
{
    const Answer answer = ScriptedPrompter::msgBoxWithChoice(text, choice, icon);
    waitForTheOperator();
    return answer;
}

QString WaitingPrompter::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    const QString text = ScriptedPrompter::inputBox(prompt, title, defaultText);
    waitForTheOperator();
    return text;
}

void WaitingPrompter::waitForTheOperator() const
{
    QEventLoop loop;
    QTimer::singleShot(pauseMs, &loop, &QEventLoop::quit);
    loop.exec();
}
