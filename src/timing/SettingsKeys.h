#pragma once
// Every name the program reads or writes in the settings store, in one place.

#include <QString>

namespace SettingsKeys {

inline QString App()
{
    return QStringLiteral("Vantorel");
}
inline QString Section()
{
    return QStringLiteral("SET");
}

// The scheme list: "Max" entries under the keys "1" to "Max".
inline QString Max()
{
    return QStringLiteral("Max");
}
inline QString Scheme(int number)
{
    return QString::number(number);
}

// The view and frame settings.
inline QString View()
{
    return QStringLiteral("VIEW");
}
inline QString DepthMode()
{
    return QStringLiteral("DEPTHMODE");
}
inline QString DepthColor()
{
    return QStringLiteral("DEPTHCOLOR");
}
inline QString LineColor()
{
    return QStringLiteral("LINECOLOR");
}

} // namespace SettingsKeys
