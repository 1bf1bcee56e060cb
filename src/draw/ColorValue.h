#pragma once

// Converts the program's stored colour numbers (red in the low byte, then green, then blue) to and
// from QColor, and names the fixed greys the frame and text effects use.

#include <QColor>
#include <QtGlobal>

namespace ColorValue {

inline constexpr qint32 black = 0;
inline constexpr qint32 darkGrey = 8421504; // 128, 128, 128
inline constexpr qint32 lightGrey = 12632256; // 192, 192, 192
inline constexpr qint32 white = 16777215; // 255, 255, 255

// Only the low 24 bits count; anything above them is ignored, so a stray high byte read from the
// settings store still gives a usable opaque colour.
QColor toColor(qint32 value);

// The colour's red, green and blue packed the same way; alpha is dropped.
qint32 fromColor(const QColor &colour);

} // namespace ColorValue
