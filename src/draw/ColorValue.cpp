#include "draw/ColorValue.h"

namespace ColorValue {

QColor toColor(qint32 value)
{
    const auto bits = static_cast<quint32>(value);
    return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
}

qint32 fromColor(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return qint32(rgb.red()) | (qint32(rgb.green()) << 8) | (qint32(rgb.blue()) << 16);
}

} // namespace ColorValue
