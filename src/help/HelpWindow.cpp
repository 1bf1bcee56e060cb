#include "help/HelpWindow.h"

#include "dialogs/CloseOnEscape.h"
#include "help/HelpDocument.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("fHelp"));
    setWindowTitle(QStringLiteral("Vantorel 帮助"));

    m_topics = new QListWidget(this);
    m_topics->setObjectName(QStringLiteral("lstTopics"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenLinks(false);

    auto *contents = new QPushButton(QStringLiteral("目录 &C"), this);
    auto *back = new QPushButton(QStringLiteral("后退 &B"), this);
    auto *forward = new QPushButton(QStringLiteral("前进 &F"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch(1);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_topics);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({180, 560});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(760, 560);
    closeOnEscape(this);

    connect(contents, &QPushButton::clicked, this, [this] { showAnchor(m_contentsAnchor); });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::sourceChanged);
    connect(m_topics, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { showAnchor(item->data(Qt::UserRole).toString()); });
    connect(m_topics, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { showAnchor(item->data(Qt::UserRole).toString()); });
    // Links are followed here rather than by the browser itself, so that web addresses leave the
    // help window and links within the file keep back and forward working.
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        if (link.scheme() == u"http" || link.scheme() == u"https" || link.scheme() == u"mailto")
            QDesktopServices::openUrl(link);
        else if (link.hasFragment())
            showAnchor(link.fragment());
    });
}

void HelpWindow::open(const QString &path, const HelpDocument &doc, int context)
{
    m_file = path;
    m_contentsAnchor = doc.anchorFor(HelpDocument::ContentsContext);
    m_topics->clear();
    for (const HelpTopic &t : doc.topics()) {
        auto *item = new QListWidgetItem(t.title, m_topics);
        item->setData(Qt::UserRole, t.anchor);
    }
    m_browser->clearHistory();
    // The content is given here, not read again by the browser: the file may have changed since.
    m_browser->setHtml(doc.html());
    showAnchor(doc.anchorFor(context));
}

void HelpWindow::showAnchor(const QString &anchor)
{
    QUrl url;
    url.setFragment(anchor.isEmpty() ? QString() : anchor);
    m_browser->setSource(url);
    // Moving to the same anchor again records nothing, but the operator expects to see it.
    if (!anchor.isEmpty())
        m_browser->scrollToAnchor(anchor);
}

QString HelpWindow::currentAnchor() const
{
    return m_browser->source().fragment();
}

void HelpWindow::sourceChanged(const QUrl &url)
{
    const QString anchor = url.fragment();
    for (int row = 0; row < m_topics->count(); ++row) {
        if (m_topics->item(row)->data(Qt::UserRole).toString() == anchor) {
            m_topics->setCurrentRow(row);
            return;
        }
    }
}
