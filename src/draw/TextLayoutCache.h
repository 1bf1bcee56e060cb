#pragma once
// Laid-out texts kept for drawing again: a list repainted every minute shows mostly the same
// cell texts, and shaping them anew each time costs more than drawing them.

#include <QCache>
#include <QFont>
#include <QSize>
#include <QString>
#include <QTextLayout>

#include <memory>

class TextLayoutCache {
public:
    // The text laid out on one line of this width and aligned within it (alignment as drawn, already
    // mirrored for right-to-left), cut short as elide says when it does not fit.
    struct Line {
        std::unique_ptr<QTextLayout> layout; // of the text, or of the part that fits when cut short
        QSize box; // the whole text's bounds, rounded as the styles round them
    };

    // Room for every cell of a list filling a large screen, and a bound on what is kept.
    explicit TextLayoutCache(int capacity = 1024) : m_lines(capacity) { }

    // The text laid out on one line; nullptr for a text of several lines, or one too wide that is
    // not to be cut short: neither is kept.
    const Line *line(const QString &text, const QFont &font, int width, Qt::Alignment alignment,
                     Qt::LayoutDirection direction, Qt::TextElideMode elide);

private:
    struct Key {
        QString text;
        QFont font;
        int width;
        int alignment;
        int direction;
        int elide;
        bool operator==(const Key &other) const = default;
    };
    friend size_t qHash(const Key &key, size_t seed)
    {
        return qHashMulti(seed, key.text, key.font, key.width, key.alignment, key.direction, key.elide);
    }

    QCache<Key, Line> m_lines;
};
