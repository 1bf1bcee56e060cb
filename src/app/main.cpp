#include "app/AppSetup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const std::optional<int> exitCode = AnswerCommandLineFirst(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    return RunProgram(app, QCoreApplication::arguments());
}
