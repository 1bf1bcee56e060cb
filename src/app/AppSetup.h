#pragma once
// What the application object needs before any window opens: Chinese for Qt's own buttons and
// dialogs, CJK fonts, the program's name, version and icon; and the program's run in it.

class QApplication;

void SetUpApplication(QApplication &app);

// Sets the application up, starts the program and runs it to its end; the process's exit code.
// A signal to end the process, or the desktop session ending, ends it as the answer Yes to the
// exit question does.
int RunProgram(QApplication &app);
