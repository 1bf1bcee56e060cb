#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstring>

std::optional<CommandLineAnswer> AnswerCommandLine(const QStringList &arguments)
{
    // Option names stay English, as in every other program on the desktop; the texts are Chinese
    // like the program (Qt's Chinese translation gives "用法" and "选项").
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("计时计费系统：为计时项目计时，按计时方案的公式计算费用。"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("显示本帮助后退出。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("显示版本号后退出。"));
    parser.addOption(help);
    parser.addOption(version);

    if (!parser.parse(arguments))
        return CommandLineAnswer {1, {}, parser.errorText() + u'\n' + parser.helpText()};
    // The program opens no files: a stray word is as wrong as an unknown option.
    if (!parser.positionalArguments().isEmpty()) {
        const QString error = QStringLiteral("多余的参数：%1").arg(parser.positionalArguments().join(u' '));
        return CommandLineAnswer {1, {}, error + u'\n' + parser.helpText()};
    }
    if (parser.isSet(help))
        return CommandLineAnswer {0, parser.helpText(), {}};
    if (parser.isSet(version))
        return CommandLineAnswer {
            0, QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n', {}};
    return std::nullopt;
}

void ChooseNoDisplayForTextAnswers(int argc, char *argv[])
{
#ifndef Q_OS_WIN // Windows always has its display, and its deployment may carry no "minimal" plugin.
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        for (const char *textOnly : {"-h", "--help", "-v", "--version"}) {
            if (std::strcmp(argv[i], textOnly) == 0) {
                if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
                    qputenv("QT_QPA_PLATFORM", "minimal");
                return;
            }
        }
    }
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
#endif
}
