#pragma once
// A prompter that answers from a script and records every question, for tests of logic that asks.

#include "dialogs/Prompter.h"

#include <QList>
#include <QQueue>
#include <QString>

class ScriptedPrompter : public Prompter {
public:
    struct Asked {
        QString text;
        QString title; // input boxes; the choice's button of a question with one
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::Information;
        int defaultButton = 1;
        bool input = false;
    };

    Answer msgBox(const QString &text, Buttons buttons, Icon icon, int defaultButton = 1) override;
    Answer msgBoxWithChoice(const QString &text, const QString &choice, Icon icon) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText = QString()) override;

    // Answers handed out in order; when they run out, a box answers with its default button and an
    // input box with an empty text (as if cancelled).
    QQueue<Answer> answers;
    QQueue<QString> inputs;
    QList<Asked> asked;
};
