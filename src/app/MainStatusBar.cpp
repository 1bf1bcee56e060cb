#include "app/MainStatusBar.h"

#include "commands/CommandTable.h"
#include "timing/TimeText.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace {
struct PanelDef {
    const char16_t *text;
    const char16_t *tip;
    int widthTwips;
};
const PanelDef kPanels[] = {
    {StatusPanel::kKeysHint, u"", 3440},
    {u"数量:", u"", 600},
    {u"", u"", 1440},
    {u"总数量:", u"总计时项数量", 801},
    {u"", u"", 1440},
    {u"时间:", u"当前系统时间", 601},
    {u"", u"", 1440},
};
} // namespace

MainStatusBar::MainStatusBar(double twipsPerPixel, QWidget *parent) : QFrame(parent), m_strip(new QWidget(this))
{
    setObjectName(QStringLiteral("Sbar"));
    QFont small = font();
    small.setPointSizeF(9);
    setFont(small);
    // The panels sit on a strip as wide as all of them together, and the bar itself has no layout:
    // a window narrower than the panels cuts the row at its right edge instead of squeezing the
    // panels into each other.
    auto *row = new QHBoxLayout(m_strip);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    for (const PanelDef &def : kPanels) {
        auto *label = new QLabel(QString::fromUtf16(def.text), m_strip);
        label->setTextFormat(Qt::PlainText);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setToolTip(QString::fromUtf16(def.tip));
        label->setFixedWidth(qRound(def.widthTwips / twipsPerPixel));
        // Opaque, as a status bar's panels are: the time panel changing every second then draws
        // itself alone, not the bar and the window's picture under it first.
        label->setAutoFillBackground(true);
        row->addWidget(label);
        m_panels.append(label);
    }
    m_strip->setFixedSize(row->sizeHint());
    // The panels are laid out once and stay where they are: a layout would be asked again at every
    // second the time panel changes, measuring every panel's text, and would ask the window above
    // it to lay itself out too.
    row->activate();
    for (QLabel *label : std::as_const(m_panels))
        label->setFixedSize(label->size());
    delete row;
}

void MainStatusBar::setPanelText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= m_panels.size())
        m_panels[panel - 1]->setText(text);
}

QString MainStatusBar::panelText(int panel) const
{
    return panel >= 1 && panel <= m_panels.size() ? m_panels[panel - 1]->text() : QString();
}

QLabel *MainStatusBar::panel(int panel) const
{
    return panel >= 1 && panel <= m_panels.size() ? m_panels[panel - 1] : nullptr;
}

QSize MainStatusBar::sizeHint() const
{
    return m_strip->size();
}

QSize MainStatusBar::minimumSizeHint() const
{
    return {0, m_strip->height()};
}

void MainStatusBar::mousePressEvent(QMouseEvent *event)
{
    // The labels take no clicks of their own: a click on one reaches the bar.
    const int index = m_panels.indexOf(qobject_cast<QLabel *>(childAt(event->position().toPoint())));
    if (index >= 0)
        Q_EMIT panelClicked(index + 1);
    QFrame::mousePressEvent(event);
}

void MainStatusBar::showTime(const QDateTime &now)
{
    setPanelText(7, TimeText::longTime(now.time()));
}
