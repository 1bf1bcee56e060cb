#pragma once
// What the application object needs before any window opens: Chinese for Qt's own buttons and
// dialogs, CJK fonts, the program's name, version and icon; the program's run in it, from its
// command line on; and where its help file is.

#include <QStringList>

class QApplication;

void SetUpApplication(QApplication &app);

// Sets the application up, starts the program and runs it to its end; the process's exit code.
// A signal to end the process, or the desktop session ending, ends it as the answer Yes to the
// exit question does. The command line (QCoreApplication::arguments()) is read first: --help and
// --version print and end the run with no window, an unknown option prints the usage and ends it
// with 1. Without arguments (a test's own process) no command line is read.
int RunProgram(QApplication &app, const QStringList &arguments);
int RunProgram(QApplication &app);

// The help file Vantorel.hlp: beside the program first (a build tree, Windows, an unpacked copy),
// then in the data folders as vantorel/Vantorel.hlp (share/vantorel/ under $XDG_DATA_HOME, /usr/local
// and /usr, or $XDG_DATA_DIRS). Where it is in neither, the path beside the program, which the help
// command names when it cannot open it.
QString FindHelpFile();
