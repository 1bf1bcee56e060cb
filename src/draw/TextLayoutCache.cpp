#include "draw/TextLayoutCache.h"

#include <QFontMetrics>
#include <QTextOption>

namespace {
// Laid out as a list's style lays a cell's text out; nullptr for a text of several lines.
std::unique_ptr<QTextLayout> laidOut(const QString &text, const QFont &font, int width, Qt::Alignment alignment,
                                     Qt::LayoutDirection direction)
{
    auto layout = std::make_unique<QTextLayout>(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setTextDirection(direction);
    option.setAlignment(alignment);
    layout->setTextOption(option);
    // Keeps the shaped glyphs, which the layout otherwise drops once laid out and shapes again
    // at every drawing.
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine first = layout->createLine();
    const bool single = first.isValid() && !layout->createLine().isValid();
    if (first.isValid()) {
        first.setLineWidth(width);
        first.setPosition(QPointF(0, 0));
    }
    layout->endLayout();
    return single ? std::move(layout) : nullptr;
}
} // namespace

const TextLayoutCache::Line *TextLayoutCache::line(const QString &text, const QFont &font, int width,
                                                   Qt::Alignment alignment, Qt::LayoutDirection direction,
                                                   Qt::TextElideMode elide)
{
    Key key {text, font, width, int(alignment), int(direction), int(elide)};
    if (const Line *kept = m_lines.object(key))
        return kept;
    if (text.contains(QLatin1Char('\n')) || text.contains(QChar::LineSeparator))
        return nullptr;
    auto made = std::make_unique<Line>();
    made->layout = laidOut(text, font, width, alignment, direction);
    if (!made->layout)
        return nullptr;
    // The height is the whole text's, the text drawn the part that fits, cut where the style cuts it.
    made->box = made->layout->boundingRect().size().toSize();
    if (made->layout->lineAt(0).naturalTextWidth() > width) {
        if (elide == Qt::ElideNone)
            return nullptr;
        made->layout = laidOut(QFontMetrics(font).elidedText(text, elide, width), font, width, alignment, direction);
        if (!made->layout)
            return nullptr;
    }
    const Line *kept = made.get();
    m_lines.insert(std::move(key), made.release());
    return kept;
}
