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

// Reads the arguments left once Qt's own are taken out (withoutQtOptions), the program's name
// first. Nothing when the program should go on to open its window; otherwise what to print and the
// process's exit code: 0 for --help and --version, 1 for an option or argument it does not know.
// Needs the application's name and version set.
std::optional<CommandLineAnswer> answerCommandLine(const QStringList &arguments);

// The arguments without the options Qt's application object takes for itself (-platform offscreen,
// -style=fusion, --reverse ...) and their values, as it would leave them. Known before any
// application object exists, so that a command line with more than these is answered without a
// display.
QStringList withoutQtOptions(const QStringList &arguments);
