#pragma once

#include <QString>

#include <cstdio>

// Writes text for the person at the terminal, or for whatever reads the program's output. On
// Windows the local 8-bit code page cannot hold Chinese text on most systems: a console is given
// the text as UTF-16, and a pipe or file gets UTF-8.
void writeConsoleText(std::FILE *stream, const QString &text);
