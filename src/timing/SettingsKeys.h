#pragma once
// Every name the program reads or writes in the settings store, in one place.

#include <QString>

namespace SettingsKeys {

inline QString app()
{
    return QStringLiteral("Vantorel");
}
inline QString section()
{
    return QStringLiteral("SET");
}

// The scheme list: "Max" entries under the keys "1" to "Max".
inline QString schemeMax()
{
    return QStringLiteral("Max");
}
inline QString scheme(int number)
{
    return QString::number(number);
}
// A scheme priced by the hour keeps its bands under "Bands<number>" while its numbered key holds
// "0", the value an older version skips with a warning instead of billing it as a formula.
inline QString schemeBands(int number)
{
    return QStringLiteral("Bands") + QString::number(number);
}

// The goods on offer, in a section of their own: "Max", then "Name<i>" and "Price<i>".
inline QString goodsSection()
{
    return QStringLiteral("GOODS");
}

// The view and frame settings.
inline QString view()
{
    return QStringLiteral("VIEW");
}
inline QString depthMode()
{
    return QStringLiteral("DEPTHMODE");
}
inline QString depthColor()
{
    return QStringLiteral("DEPTHCOLOR");
}
inline QString lineColor()
{
    return QStringLiteral("LINECOLOR");
}

// The receipt: the shop's name at its head, whether ending an item asks what the customer paid,
// the rounding of amounts due (its step in fen), and each paper's roll width in mm (0: A4).
inline QString shopName()
{
    return QStringLiteral("ShopName");
}
inline QString askPaid()
{
    return QStringLiteral("AskPaid");
}
inline QString rounding()
{
    return QStringLiteral("Rounding");
}
inline QString paper(const QString &kind)
{
    return QStringLiteral("Paper") + kind;
}

// Where exports were last saved, in a section of its own beside "SET".
inline QString exportSection()
{
    return QStringLiteral("EXPORT");
}
inline QString exportFolder()
{
    return QStringLiteral("FOLDER");
}

} // namespace SettingsKeys
