#include "app/WindowState.h"

#include "timing/DurableFile.h"
#include "timing/IniDocument.h"

#include <QStandardPaths>

namespace {
// No screen is this large: a bigger number was written by hand or by mistake.
constexpr int kLargest = 32000;

QString joined(const QList<int> &numbers)
{
    QStringList parts;
    for (const int n : numbers)
        parts << QString::number(n);
    return parts.join(u',');
}

// count numbers, each within [lowest, kLargest], or nothing (count 0: any number of them).
QList<int> numbers(const std::optional<QString> &text, qsizetype count, int lowest)
{
    QList<int> out;
    if (!text)
        return out;
    for (const QString &part : text->split(u',')) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok || n < lowest || n > kLargest)
            return {};
        out << n;
    }
    return count == 0 || out.size() == count ? out : QList<int>();
}
} // namespace

QString WindowState::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/window-state.ini");
}

WindowState WindowState::read(const QString &path)
{
    WindowState state;
    const std::optional<QByteArray> bytes = DurableFile::readRegular(path);
    if (!bytes)
        return state;
    const IniDocument doc = IniDocument::parse(*bytes);
    const QString main = QStringLiteral("Main");
    if (const QList<int> g = numbers(doc.value(main, QStringLiteral("geometry")), 4, -kLargest);
        !g.isEmpty() && g[2] > 0 && g[3] > 0)
        state.main = QRect(g[0], g[1], g[2], g[3]);
    state.mainMaximized = doc.value(main, QStringLiteral("maximized")) == QStringLiteral("true");
    state.columns = numbers(doc.value(main, QStringLiteral("columns")), 0, 0);
    if (const QList<int> s = numbers(doc.value(QStringLiteral("History"), QStringLiteral("size")), 2, 1); !s.isEmpty())
        state.history = QSize(s[0], s[1]);
    return state;
}

bool WindowState::write(const QString &path) const
{
    IniDocument doc;
    const QString main = QStringLiteral("Main");
    if (!this->main.isEmpty())
        doc.setValue(main, QStringLiteral("geometry"),
                     joined({this->main.x(), this->main.y(), this->main.width(), this->main.height()}));
    doc.setValue(main, QStringLiteral("maximized"), mainMaximized ? QStringLiteral("true") : QStringLiteral("false"));
    if (!columns.isEmpty())
        doc.setValue(main, QStringLiteral("columns"), joined(columns));
    if (!history.isEmpty())
        doc.setValue(QStringLiteral("History"), QStringLiteral("size"), joined({history.width(), history.height()}));
    return DurableFile::replace(path, doc.toBytes());
}
