#include "draw/SimSunFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QSet>
#include <QStringList>

namespace {

QStringList installed(const QStringList &families)
{
    // The installed families read once: asking the font system about each name (two dozen before
    // the splash shows, and again for every SimSun font) was a tenth of the start.
    static const QSet<QString> known = [] {
        QSet<QString> folded;
        for (const QString &family : QFontDatabase::families()) {
            // A family several foundries make is listed as "Family [Foundry]".
            folded.insert(family.toCaseFolded());
            folded.insert(family.section(QStringLiteral(" ["), 0, 0).toCaseFolded());
        }
        return folded;
    }();
    QStringList found;
    for (const QString &family : families) {
        if (known.contains(family.toCaseFolded()))
            found.append(family);
    }
    return found;
}

// Faces that draw Latin letters and digits upright and plain, best first. The Chinese fonts a
// Linux desktop usually has (and SimSun itself) draw them thin and serifed: the toolbar's N, M and
// F shrank beside their underlines, and the list's PC01 and 12:30 looked typed.
QStringList latinSans()
{
#ifdef Q_OS_WIN
    return installed({QStringLiteral("Segoe UI"), QStringLiteral("Tahoma"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
#else
    return installed({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("FreeSans")});
#endif
}

// Faces for the signs no Chinese or Latin face may hold (the ◀ ▶ of 上一期 and 下一期).
QStringList symbols()
{
    return installed({QStringLiteral("Segoe UI Symbol"), QStringLiteral("DejaVu Sans")});
}

// Chinese faces in order of preference: on Windows its own, then those of a Linux desktop, which
// Wine shows to the programs it runs, the plain ones before the brushed. Naming one that is
// installed matters beyond the Chinese text: under C.UTF-8, a font that leaves the Chinese to the
// font system's own fallback drew the toolbar's key letters without their underline.
QStringList chineseFaces()
{
    return installed({QStringLiteral("Microsoft YaHei UI"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("Droid Sans Fallback"), QStringLiteral("SimSun"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW")});
}

// What draws the list's Chinese where SimSun itself is not installed, best first.
QStringList simSunStandIns()
{
    return {QStringLiteral("NSimSun"),          QStringLiteral("AR PL UMing CN"),  QStringLiteral("AR PL UMing TW"),
            QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Droid Sans Fallback")};
}

// The face the list's Chinese is drawn in: SimSun, or the first of its stand-ins installed.
QStringList listChineseFace()
{
    return installed(QStringList{QStringLiteral("SimSun")} + simSunStandIns()).mid(0, 1);
}

} // namespace

void installCjkFontSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // In order of preference; the font system skips the ones that are not installed.
    const QStringList standIns = simSunStandIns();
    QFont::insertSubstitutions(QStringLiteral("SimSun"), standIns);
    QFont::insertSubstitutions(QStringLiteral("宋体"), standIns);
}

QFont simSunFont(double pointSize)
{
    installCjkFontSubstitutions();
    QFont font(QStringLiteral("SimSun"));
    // The Chinese text in SimSun (or what stands in for it); Latin letters and digits in a plain
    // sans face, alike under every locale and on every system.
    font.setFamilies(latinSans() + QStringList{QStringLiteral("SimSun")} + symbols());
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

void installInterfaceFont()
{
    QFont font = QApplication::font();
    QStringList families;
#ifdef Q_OS_WIN
    // Microsoft YaHei UI is the face of a Chinese Windows' own dialogs; an English Windows has it
    // too, but gives its programs Segoe UI, which has no Chinese.
    families = installed({QStringLiteral("Microsoft YaHei UI"), QStringLiteral("Microsoft YaHei")}).mid(0, 1);
#endif
    // Then a Latin sans face before the desktop's: under a Chinese locale the font system puts the
    // CJK font first for every letter (even for the generic sans-serif), under C.UTF-8 it does not,
    // and Wine without its own fonts gives a serif; the Latin face keeps the look alike.
    // The Chinese in the list's face where that is installed: a second CJK face would cost the
    // program several megabytes for the same characters.
    families += latinSans().mid(0, 1) + QStringList{font.family()} + listChineseFace() + chineseFaces() + symbols();
    families.removeDuplicates();
    font.setFamilies(families);
    // Set for every widget: Windows gives item views, headers, menus and the status bar fonts of
    // their own, which would otherwise keep the tables in a face without Latin sans letters.
    QApplication::setFont(font);
}
