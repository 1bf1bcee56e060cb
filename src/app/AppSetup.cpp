#include "app/AppSetup.h"

#include "app/CommandLine.h"
#include "app/ConsoleText.h"
#include "app/FreedMemory.h"
#include "app/Program.h"
#include "app/QuitSignals.h"
#include "draw/SimSunFont.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <csignal>
#include <cstdio>

namespace {
// What an answer on the command line needs as well as the windows.
void setUpNamesAndTranslation(QCoreApplication &app)
{
    QCoreApplication::setApplicationName(QStringLiteral("Vantorel"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vantorel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTOREL_VERSION));
    // Message boxes say 是(&Y), 否(&N), 取消 and 确定 like the rest of the program, and the usage
    // says 用法 and 选项.
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

// Dates and times read in the interface's language: the system's own forms where its language is
// Chinese (any region, as the operator set it), Simplified Chinese's on any other system, rather
// than "7 Dec 2026" inside a Chinese window.
void chooseLocale()
{
    const QLocale system = QLocale::system();
    QLocale::setDefault(system.language() == QLocale::Chinese
                            ? system
                            : QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China));
}

int print(const CommandLineAnswer &answer)
{
    writeConsoleText(stdout, answer.output);
    writeConsoleText(stderr, answer.errors);
    return answer.exitCode;
}
} // namespace

void setUpApplication(QApplication &app)
{
    returnLargeBlocksWhenFreed();
#ifdef SIGXFSZ
    // A file grown past the process's size limit fails its write, told and retried like a full
    // disk, instead of ending the program with every item being timed.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    setUpNamesAndTranslation(app);
    chooseLocale();
    // Lets Wayland desktops match the window to its menu entry (X11 uses the window class).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vantorel.Vantorel"));
    installCjkFontSubstitutions();
    installInterfaceFont();
}

std::optional<int> answerCommandLineFirst(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (withoutQtOptions(arguments).size() <= 1)
        return std::nullopt;
    QCoreApplication app(argc, argv);
    setUpNamesAndTranslation(app);
    if (const std::optional<CommandLineAnswer> answer = answerCommandLine(withoutQtOptions(app.arguments())))
        return print(*answer);
    // Nothing to answer after all (a lone "--"): the program starts, under its own application.
    return std::nullopt;
}

int runProgram(QApplication &app, const QStringList &arguments)
{
    setUpApplication(app);
    if (!arguments.isEmpty()) {
        if (const std::optional<CommandLineAnswer> answer = answerCommandLine(withoutQtOptions(arguments)))
            return print(*answer);
    }
    Program program;
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &program, &Program::endAsConfirmed);
    if (!program.start())
        return 0;
    return app.exec();
}

int runProgram(QApplication &app)
{
    return runProgram(app, {});
}
