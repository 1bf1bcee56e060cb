#include "draw/TextLayoutCache.h"

#include <QTextOption>

#include <memory>

const TextLayoutCache::Line *TextLayoutCache::line(const QString &text, const QFont &font, int width,
                                                   Qt::Alignment alignment, Qt::LayoutDirection direction)
{
    Key key {text, font, width, int(alignment), int(direction)};
    if (const Line *kept = m_lines.object(key))
        return kept;
    if (text.contains(QLatin1Char('\n')) || text.contains(QChar::LineSeparator))
        return nullptr;
    auto made = std::make_unique<Line>();
    made->layout.setText(text);
    made->layout.setFont(font);
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setTextDirection(direction);
    option.setAlignment(alignment);
    made->layout.setTextOption(option);
    made->layout.beginLayout();
    QTextLine first = made->layout.createLine();
    const bool single = first.isValid() && !made->layout.createLine().isValid();
    if (first.isValid()) {
        first.setLineWidth(width);
        first.setPosition(QPointF(0, 0));
        made->naturalWidth = first.naturalTextWidth();
    }
    made->layout.endLayout();
    if (!single)
        return nullptr;
    made->box = made->layout.boundingRect().size().toSize();
    const Line *kept = made.get();
    m_lines.insert(std::move(key), made.release());
    return kept;
}
