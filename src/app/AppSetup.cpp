#include "app/AppSetup.h"

#include "app/Program.h"
#include "app/QuitSignals.h"
#include "draw/Artwork.h"
#include "draw/SimSunFont.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void SetUpApplication(QApplication &app)
{
    QCoreApplication::setApplicationName(QStringLiteral("Vantorel"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vantorel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTOREL_VERSION));
    QApplication::setWindowIcon(Artwork::appIcon());
    // Lets Wayland desktops match the window to its menu entry (X11 uses the window class).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vantorel.Vantorel"));
    InstallCjkFontSubstitutions();

    // Message boxes say 是(&Y), 否(&N), 取消 and 确定 like the rest of the program.
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

int RunProgram(QApplication &app)
{
    SetUpApplication(app);
    Program program;
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &program, &Program::endAsConfirmed);
    if (!program.start())
        return 0;
    return app.exec();
}
