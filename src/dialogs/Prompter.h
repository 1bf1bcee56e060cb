#pragma once
// Message and input boxes, behind an interface so that logic takes the operator's answer as input.

#include <QString>

class Prompter {
public:
    enum class Icon { Critical, Question, Exclamation, Information };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel, Choice };

    virtual ~Prompter() = default;

    // defaultButton is 1-based among the shown buttons (YesNoCancel with 3 makes Cancel the default).
    virtual Answer msgBox(const QString &text, Buttons buttons, Icon icon, int defaultButton = 1) = 0;
    // A question with a third answer between 是 and 否, on a button of its own that says what it
    // does; 是 is the default. Answers Yes, Choice or No.
    virtual Answer msgBoxWithChoice(const QString &text, const QString &choice, Icon icon) = 0;
    // The typed text, or an empty text when the box was cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultText = QString()) = 0;
};

// The title every box of the program carries.
inline QString appTitle()
{
    return QStringLiteral("Vantorel");
}
