#include "draw/SimSunFont.h"

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
