#include "app/AppSetup.h"
#include "app/CommandLine.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ChooseNoDisplayForTextAnswers(argc, argv);
    QApplication app(argc, argv);
    return RunProgram(app, QCoreApplication::arguments());
}
