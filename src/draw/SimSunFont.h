#pragma once
// The program's Chinese text font, with a stand-in where SimSun itself is not installed.

#include <QFont>

// The font named "宋体"/SimSun at the given point size, its Latin letters and digits in a plain sans
// face. The first call registers substitutions so that machines without SimSun (any Linux desktop,
// Wine) draw the Chinese text in an installed CJK font.
QFont simSunFont(double pointSize);

// Registers the substitutions without building a font; the program calls it once at start.
void installCjkFontSubstitutions();

// The interface's font: Microsoft YaHei UI on Windows where it is installed, elsewhere the desktop's
// with Latin letters in a sans face whatever the locale; Chinese and symbol faces stand behind it
// for what it cannot draw. Called once the application exists.
void installInterfaceFont();
