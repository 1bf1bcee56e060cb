#pragma once
// The program's Chinese text font, with a stand-in where SimSun itself is not installed.

#include <QFont>

// The font named "宋体"/SimSun at the given point size. The first call registers substitutions so
// that machines without SimSun (any Linux desktop) draw the text in an installed CJK font.
QFont simSunFont(double pointSize);

// Registers the substitutions without building a font; the program calls it once at start.
void installCjkFontSubstitutions();

// The interface's font, with Latin letters drawn in the desktop's sans-serif face whatever the
// locale. Called once the application exists.
void installInterfaceFont();
