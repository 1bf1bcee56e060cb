#pragma once
// The program's message and input boxes, shown over a given window with the program's title.

#include "dialogs/Prompter.h"

#include <QPointer>
#include <QWidget>

class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget *parent) : m_parent(parent) { }

    Answer msgBox(const QString &text, Buttons buttons, Icon icon, int defaultButton = 1) override;
    Answer msgBoxWithChoice(const QString &text, const QString &choice, Icon icon) override;
    // An empty title gives the program's title.
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText = QString()) override;

private:
    // Guarded: the window a box is shown over (the splash at start-up) may be discarded first.
    QPointer<QWidget> m_parent;
};
