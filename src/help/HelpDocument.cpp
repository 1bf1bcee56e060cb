#include "help/HelpDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

QStringList captures(const QString &html, const QRegularExpression &pattern)
{
    QStringList out;
    for (const QRegularExpressionMatch &m : pattern.globalMatch(html))
        out << m.captured(1);
    return out;
}

} // namespace

QString HelpDocument::pathIn(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + fileName();
    return folder + u'/' + fileName();
}

QString HelpDocument::locate()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(fileName());
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("vantorel/") + fileName());
    return installed.isEmpty() ? beside : installed;
}

HelpDocument HelpDocument::fromHtml(const QString &html)
{
    static const QRegularExpression topic(
        QStringLiteral(R"re(<meta\s+name\s*=\s*"vantorel-topic"\s+content\s*=\s*"\s*(\d+)\s*;([^;"]+);([^"]*)")re"),
        QRegularExpression::CaseInsensitiveOption);
    HelpDocument doc;
    doc.m_html = html;
    for (const QRegularExpressionMatch &m : topic.globalMatch(html))
        doc.m_topics.append({m.captured(1).toInt(), m.captured(2).trimmed(), m.captured(3).trimmed()});
    return doc;
}

std::optional<HelpDocument> HelpDocument::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromHtml(QString::fromUtf8(file.readAll()));
}

QString HelpDocument::anchorFor(int context) const
{
    QString contents;
    for (const HelpTopic &t : m_topics) {
        if (t.context == context)
            return t.anchor;
        if (t.context == ContentsContext)
            contents = t.anchor;
    }
    if (contents.isEmpty() && !m_topics.isEmpty())
        contents = m_topics.first().anchor;
    return contents;
}

QStringList HelpDocument::anchorNames() const
{
    static const QRegularExpression name(QStringLiteral(R"re(<a\s+name\s*=\s*"([^"]+)")re"),
                                         QRegularExpression::CaseInsensitiveOption);
    return captures(m_html, name);
}

QStringList HelpDocument::linkTargets() const
{
    static const QRegularExpression href(QStringLiteral(R"re(href\s*=\s*"#([^"]+)")re"),
                                         QRegularExpression::CaseInsensitiveOption);
    return captures(m_html, href);
}
