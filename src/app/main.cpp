#include "app/AppSetup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const std::optional<int> exitCode = answerCommandLineFirst(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    return runProgram(app, QCoreApplication::arguments());
}
