#include "dialogs/MessageBoxPrompter.h"

#include <QInputDialog>
#include <QLayout>
#include <QList>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Critical: return QMessageBox::Critical;
    case Prompter::Icon::Question: return QMessageBox::Question;
    case Prompter::Icon::Exclamation: return QMessageBox::Warning;
    case Prompter::Icon::Information: break;
    }
    return QMessageBox::Information;
}

// The buttons in the order the operator sees them, which is the order defaultButton counts in.
QList<QMessageBox::StandardButton> boxButtons(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    case Prompter::Buttons::YesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case Prompter::Buttons::Ok: break;
    }
    return {QMessageBox::Ok};
}

Prompter::Answer answerFor(int button)
{
    switch (button) {
    case QMessageBox::Yes: return Prompter::Answer::Yes;
    case QMessageBox::No: return Prompter::Answer::No;
    case QMessageBox::Cancel: return Prompter::Answer::Cancel;
    default: return Prompter::Answer::Ok;
    }
}

} // namespace

Prompter::Answer MessageBoxPrompter::msgBox(const QString &text, Buttons buttons, Icon icon, int defaultButton)
{
    const QList<QMessageBox::StandardButton> shown = boxButtons(buttons);
    QMessageBox::StandardButtons flags;
    for (QMessageBox::StandardButton b : shown)
        flags |= b;
    QMessageBox box(boxIcon(icon), appTitle(), text, flags, m_parent);
    // The texts carry names the operator typed: one that looks like markup is shown as typed, and
    // it does not run the question's lines together.
    box.setTextFormat(Qt::PlainText);
    if (defaultButton >= 1 && defaultButton <= shown.size())
        box.setDefaultButton(shown.at(defaultButton - 1));
    // Over a window that stays on top (the splash) a box must stay on top as well, or it opens
    // beneath it and the operator sees a frozen program.
    if (m_parent && m_parent->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return answerFor(box.exec());
}

Prompter::Answer MessageBoxPrompter::msgBoxWithChoice(const QString &text, const QString &choice, Icon icon)
{
    QMessageBox box(boxIcon(icon), appTitle(), text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *chosen = box.addButton(choice, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Yes);
    if (m_parent && m_parent->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const int button = box.exec();
    return box.clickedButton() == chosen ? Answer::Choice : answerFor(button);
}

QString MessageBoxPrompter::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    // A box of one line has nothing to gain from a larger size: no maximise button, and a fixed
    // size, so that window managers draw no resize strip under it either.
    QInputDialog box(m_parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    box.setWindowTitle(title.isEmpty() ? appTitle() : title);
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    box.adjustSize(); // lays the box out; its layout would otherwise let it grow in width
    if (QLayout *layout = box.layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}
