#pragma once
// The help viewer the program uses: the help file in a window of its own.

#include "help/HelpViewer.h"

#include <QPointer>

class HelpWindow;
class Prompter;

// One help window at a time; asking again brings it to the front at the new topic. It is not
// modal, so the operator can read while working.
class WindowHelpViewer : public HelpViewer {
public:
    explicit WindowHelpViewer(Prompter &prompter);
    ~WindowHelpViewer() override;
    WindowHelpViewer(const WindowHelpViewer &) = delete;
    WindowHelpViewer &operator=(const WindowHelpViewer &) = delete;

    void showHelp(const QString &file, int context, QWidget *owner) override;
    // The program's own help file, wherever it was installed (HelpDocument::Locate).
    void showProgramHelp(int context, QWidget *owner);

    // "找不到帮助文件:" and the path looked for.
    static QString missingFileMessage(const QString &file);

    // The window, while one is open.
    HelpWindow *window() const { return m_window; }

private:
    Prompter &m_prompter;
    QPointer<HelpWindow> m_window;
};
