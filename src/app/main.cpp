#include "AppSetup.h"
#include "Program.h"
#include "fClock.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpApplication(app);
    Program program;
    if (!program.start())
        return 0;
    return app.exec();
}
