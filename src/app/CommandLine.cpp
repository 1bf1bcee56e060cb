#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

std::optional<CommandLineAnswer> answerCommandLine(const QStringList &arguments)
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

QStringList withoutQtOptions(const QStringList &arguments)
{
    // Each takes the next argument as its value; Qt reads them with one dash or two.
    static const QStringList withValue = {QStringLiteral("platform"),
                                          QStringLiteral("platformpluginpath"),
                                          QStringLiteral("platformtheme"),
                                          QStringLiteral("plugin"),
                                          QStringLiteral("qwindowgeometry"),
                                          QStringLiteral("geometry"),
                                          QStringLiteral("qwindowtitle"),
                                          QStringLiteral("title"),
                                          QStringLiteral("qwindowicon"),
                                          QStringLiteral("icon"),
                                          QStringLiteral("session"),
                                          QStringLiteral("display"),
                                          QStringLiteral("name"),
                                          QStringLiteral("style"),
                                          QStringLiteral("stylesheet")};
    static const QStringList alone = {QStringLiteral("reverse"),     QStringLiteral("testability"),
                                      QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                                      QStringLiteral("dograb"),      QStringLiteral("sync")};
    // These also take their value after "=".
    static const QStringList withEquals = {QStringLiteral("style"), QStringLiteral("stylesheet"),
                                           QStringLiteral("qmljsdebugger")};
    QStringList left;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (i == 0 || !arg.startsWith(u'-') || arg == u"-" || arg == u"--") {
            left << arg;
            continue;
        }
        const QString name = arg.mid(arg.startsWith(u"--") ? 2 : 1);
        if (withValue.contains(name)) {
            ++i;
            continue;
        }
        if (alone.contains(name))
            continue;
        const qsizetype eq = name.indexOf(u'=');
        if (eq > 0 && withEquals.contains(name.left(eq)))
            continue;
        left << arg;
    }
    return left;
}
