#pragma once
// Names in the order the operator numbered them: PC2 before PC10.

#include <QString>

namespace NumberedOrder {

// Runs of digits compare by their value, leading zeros aside; the rest by character.
bool before(const QString &a, const QString &b);

} // namespace NumberedOrder
