#pragma once
// The help window: the help file's text with its list of topics beside it.

#include <QUrl>
#include <QWidget>

class HelpDocument;
class QListWidget;
class QTextBrowser;

// Links inside the file move within it, with back and forward as in a browser; links to web
// addresses open in the operator's browser.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *owner = nullptr);

    // Shows the file at path, whose content is doc, at the topic with this context number.
    void open(const QString &path, const HelpDocument &doc, int context);
    void showAnchor(const QString &anchor);

    QString file() const { return m_file; }
    // The anchor shown last, from the topics list, a link or a context number.
    QString currentAnchor() const;

    QTextBrowser *browser() const { return m_browser; }
    QListWidget *topics() const { return m_topics; }

private:
    void sourceChanged(const QUrl &url);

    QString m_file;
    QString m_contentsAnchor;
    QListWidget *m_topics = nullptr;
    QTextBrowser *m_browser = nullptr;
};
