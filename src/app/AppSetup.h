#pragma once
// What the application object needs before any window opens: Chinese for Qt's own buttons and
// dialogs, CJK fonts, the program's name, version and icon.

class QApplication;

void SetUpApplication(QApplication &app);
