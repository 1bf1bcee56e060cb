#include "help/WindowHelpViewer.h"

#include "commands/WindowPlacement.h"
#include "dialogs/Prompter.h"
#include "help/HelpDocument.h"
#include "help/HelpWindow.h"

#include <QDir>

WindowHelpViewer::WindowHelpViewer(Prompter &prompter) : m_prompter(prompter)
{ }

WindowHelpViewer::~WindowHelpViewer()
{
    // A window with an owner goes with its owner; one without would outlive every reference.
    if (m_window && !m_window->parent())
        delete m_window.data();
}

QString WindowHelpViewer::missingFileMessage(const QString &file)
{
    return QStringLiteral("找不到帮助文件:") + u'\n' + QDir::toNativeSeparators(file);
}

void WindowHelpViewer::showHelp(const QString &file, int context, QWidget *owner)
{
    const std::optional<HelpDocument> doc = HelpDocument::load(file);
    if (!doc) {
        m_prompter.msgBox(missingFileMessage(file), Prompter::Buttons::Ok, Prompter::Icon::Exclamation);
        return;
    }
    if (m_window && m_window->parentWidget() != owner)
        delete m_window.data();
    if (!m_window) {
        m_window = new HelpWindow(owner);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        if (owner)
            centreOn(*m_window, *owner);
    }
    m_window->open(file, *doc, context);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void WindowHelpViewer::showProgramHelp(int context, QWidget *owner)
{
    // Looked for each time: a help file installed while the program runs is found too.
    showHelp(HelpDocument::locate(), context, owner);
}
