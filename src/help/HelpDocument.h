#pragma once
// The help file "Vantorel.hlp": one UTF-8 HTML document whose head lists its topics.

#include <QList>
#include <QString>

#include <optional>

// Each topic of the file is declared in the document's head, in the order the topics are listed:
//   <meta name="vantorel-topic" content="CONTEXT;ANCHOR;TITLE">
// CONTEXT is the number the program asks for, ANCHOR the name of the <a name="..."> that starts
// the topic in the body, TITLE what the topics list shows. Context 1 is the contents topic.
struct HelpTopic {
    int context = 0;
    QString anchor;
    QString title;
};

class HelpDocument {
public:
    static constexpr int ContentsContext = 1;

    static QString fileName() { return QStringLiteral("Vantorel.hlp"); }
    // The help file in folder, with one separator between them.
    static QString pathIn(const QString &folder);
    // The program's help file: beside the program first (a build tree, Windows, an unpacked copy),
    // then in the data folders as vantorel/Vantorel.hlp (share/vantorel/ under $XDG_DATA_HOME,
    // /usr/local and /usr, or $XDG_DATA_DIRS). Where it is in neither, the path beside the
    // program, which the help command names when it cannot open it.
    static QString locate();

    static HelpDocument fromHtml(const QString &html);
    // Nothing when the file is missing or cannot be read.
    static std::optional<HelpDocument> load(const QString &path);

    const QString &html() const { return m_html; }
    const QList<HelpTopic> &topics() const { return m_topics; }

    // The anchor of the topic with this context number; the contents topic when no topic has it,
    // and an empty text when the file has no topics at all.
    QString anchorFor(int context) const;
    // The names of every <a name="..."> and every internal link target (href="#...") in the body.
    QStringList anchorNames() const;
    QStringList linkTargets() const;

private:
    QString m_html;
    QList<HelpTopic> m_topics;
};
