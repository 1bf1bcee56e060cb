#pragma once
// A scripted prompter that answers only after a real pause spent in a nested event loop, as a modal
// box does while the operator reads it: timers keep ticking meanwhile, so re-entrancy shows up.

#include "ScriptedPrompter.h"

class WaitingPrompter : public ScriptedPrompter {
public:
    explicit WaitingPrompter(int pause = 1200) : pauseMs(pause) { }

    Answer msgBox(const QString &text, Buttons buttons, Icon icon, int defaultButton = 1) override;
    Answer msgBoxWithChoice(const QString &text, const QString &choice, Icon icon) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText = QString()) override;

    // How long each box stays up, in real milliseconds.
    int pauseMs;

private:
    void waitForTheOperator() const;
};
