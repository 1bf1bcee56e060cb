#pragma once
// What the application object needs before any window opens: Chinese for Qt's own buttons and
// dialogs, CJK fonts, the program's name, version and icon; the program's run in it, from its
// command line on.

#include <QStringList>

#include <optional>

class QApplication;
class QCoreApplication;

void setUpApplication(QApplication &app);

// Before any application object exists. A command line with more than Qt's own options is only
// answered (--help, --version, or the usage and exit code 1 for what the program does not know),
// under a plain QCoreApplication: no display is opened, so the answer comes over ssh or in a
// packaging script too. The process's exit code then; nothing when the program is to start.
std::optional<int> answerCommandLineFirst(int argc, char *argv[]);

// Sets the application up, starts the program and runs it to its end; the process's exit code.
// A signal to end the process, or the desktop session ending, ends it as the answer Yes to the
// exit question does. The command line (QCoreApplication::arguments()) is read first, as
// answerCommandLineFirst reads it. Without arguments (a test's own process) no command line is read.
int runProgram(QApplication &app, const QStringList &arguments);
int runProgram(QApplication &app);
