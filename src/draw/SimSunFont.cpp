#include "draw/SimSunFont.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

void installCjkFontSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // In order of preference; fontconfig skips the ones that are not installed.
    const QStringList standIns = {
        QStringLiteral("AR PL UMing CN"),   QStringLiteral("AR PL UMing TW"),    QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Droid Sans Fallback"),
    };
    QFont::insertSubstitutions(QStringLiteral("SimSun"), standIns);
    QFont::insertSubstitutions(QStringLiteral("宋体"), standIns);
}

QFont simSunFont(double pointSize)
{
    installCjkFontSubstitutions();
    QFont font(QStringLiteral("SimSun"));
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

void installInterfaceFont()
{
#ifndef Q_OS_WIN
    // Under a Chinese locale fontconfig puts the CJK font first for every letter (even for the
    // generic sans-serif), and the CJK fonts a Linux desktop usually has draw Latin thin and
    // serifed: the toolbar's N, M and F shrank beside their underlines. An installed Latin sans
    // face takes the Latin letters; the desktop's font keeps the Chinese ones. Windows' fonts are
    // chosen per script already.
    const QStringList latinSans = {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                                   QStringLiteral("Liberation Sans"), QStringLiteral("FreeSans")};
    QFont font = QGuiApplication::font();
    const QString desktop = font.family();
    if (latinSans.contains(desktop))
        return;
    for (const QString &latin : latinSans) {
        if (QFontDatabase::hasFamily(latin)) {
            font.setFamilies({latin, desktop});
            QGuiApplication::setFont(font);
            return;
        }
    }
#endif
}
