#include "timing/NumberedOrder.h"

namespace NumberedOrder {

// PC2 before PC10, as the operator numbered them: runs of digits compare by their value. Not left
// to QCollator, whose numeric mode depends on how Qt was built and on the locale.
bool before(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype from = i;
            const qsizetype bFrom = j;
            while (i < a.size() && a[i].isDigit())
                ++i;
            while (j < b.size() && b[j].isDigit())
                ++j;
            // Leading zeros aside, the longer run is the larger number.
            const QStringView x = QStringView(a).sliced(from, i - from);
            const QStringView y = QStringView(b).sliced(bFrom, j - bFrom);
            const auto trimmed = [](QStringView v) {
                while (v.size() > 1 && v.front() == u'0')
                    v = v.sliced(1);
                return v;
            };
            const QStringView tx = trimmed(x);
            const QStringView ty = trimmed(y);
            if (tx.size() != ty.size())
                return tx.size() < ty.size();
            if (const int c = tx.compare(ty); c != 0)
                return c < 0;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    // One name is the start of the other, or they differ only in leading zeros.
    return a.size() - i < b.size() - j || (a.size() - i == b.size() - j && a < b);
}

} // namespace NumberedOrder
