#include "timing/GoodsLine.h"

#include "timing/AmountDue.h"

#include <cmath>

double GoodsLine::amount() const
{
    const std::optional<qint64> fen = AmountDue::fen(price);
    return fen ? AmountDue::fromFen(*fen * quantity) : std::nan("");
}

bool GoodsLine::valid() const
{
    const std::optional<double> taken = GoodsLine::priceOf(QString::number(price, 'f', 2));
    return !name.trimmed().isEmpty() && taken && *taken == price && quantity >= 1 && quantity <= kMostQuantity;
}

std::optional<double> GoodsLine::priceOf(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    // A price beyond a million yuan is a typing slip, not goods on a café's counter.
    if (!ok || !(value >= 0 && value <= 1e6))
        return std::nullopt;
    return AmountDue::rounded(value);
}

double GoodsLine::total(const QList<GoodsLine> &lines)
{
    QList<double> amounts;
    for (const GoodsLine &line : lines)
        amounts.append(line.amount());
    return AmountDue::total(amounts);
}

double GoodsLine::due(double fee, const QList<GoodsLine> &lines, AmountDue::Rounding rule)
{
    if (lines.isEmpty() && rule == AmountDue::Rounding::Fen)
        return fee;
    return AmountDue::total({AmountDue::total({fee}, rule), total(lines)});
}

void GoodsLine::merge(QList<GoodsLine> &lines, const GoodsLine &goods)
{
    for (GoodsLine &line : lines)
        if (line.sameAs(goods)) {
            line.quantity += goods.quantity;
            return;
        }
    lines.append(goods);
}

QString GoodsLine::text() const
{
    return QStringLiteral("%1 %2 × %3 = %4 元")
        .arg(name)
        .arg(quantity)
        .arg(AmountDue::text(price), AmountDue::text(amount()));
}
