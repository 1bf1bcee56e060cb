#include "commands/HelpDocument.h"

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

QString HelpDocument::PathIn(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + FileName();
    return folder + u'/' + FileName();
}

QString HelpDocument::Locate()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(FileName());
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("vantorel/") + FileName());
    return installed.isEmpty() ? beside : installed;
}

HelpDocument HelpDocument::FromHtml(const QString &html)
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

std::optional<HelpDocument> HelpDocument::Load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return FromHtml(QString::fromUtf8(file.readAll()));
}

QString HelpDocument::AnchorFor(int context) const
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

QStringList HelpDocument::AnchorNames() const
{
    static const QRegularExpression name(QStringLiteral(R"re(<a\s+name\s*=\s*"([^"]+)")re"),
                                         QRegularExpression::CaseInsensitiveOption);
    return captures(m_html, name);
}

QStringList HelpDocument::LinkTargets() const
{
    static const QRegularExpression href(QStringLiteral(R"re(href\s*=\s*"#([^"]+)")re"),
                                         QRegularExpression::CaseInsensitiveOption);
    return captures(m_html, href);
}
