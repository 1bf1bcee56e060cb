#pragma once
// The command line: what it asks for before any window opens (the help, the version), or why the
// program cannot take it.

#include <QString>
#include <QStringList>

#include <optional>

struct CommandLineAnswer {
    int exitCode = 0;
    QString output; // for standard output
    QString errors; // for standard error
};

// Reads the arguments left after QApplication took Qt's own (-platform, -style ...), the program's
// name first. Nothing when the program should go on to open its window; otherwise what to print and
// the process's exit code: 0 for --help and --version, 1 for an option or argument it does not know.
// Needs the application's name and version set.
std::optional<CommandLineAnswer> AnswerCommandLine(const QStringList &arguments);

// Before QApplication opens the display: when the command line asks for --help or --version, Qt's
// "minimal" platform is chosen, so that the answer comes where there is no display too (over ssh, in
// a packaging script). A -platform option or QT_QPA_PLATFORM still wins.
void ChooseNoDisplayForTextAnswers(int argc, char *argv[]);
