#include "app/fClock.h"

#include "app/AppSetup.h"
#include "app/ItemContextMenu.h"
#include "app/ItemListView.h"
#include "app/ListGeometry.h"
#include "app/WindowState.h"
#include "app/MainStatusBar.h"
#include "app/MainToolbar.h"
#include "commands/CommandActions.h"
#include "commands/CurrentItem.h"
#include "commands/ToolbarCommands.h"
#include "commands/WindowPlacement.h"
#include "dialogs/Prompter.h"
#include "draw/PainterSurface.h"
#include "timing/ModClock.h"
#include "timing/TimingClock.h"
#include "timing/WallClock.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QToolTip>

namespace {
constexpr int kInnerWidthTwips = 9480;
constexpr int kInnerHeightTwips = 6795;
// The list keeps room for its heading and a few rows however small the window is made.
constexpr int kListMinimumHeightTwips = 1200;
} // namespace

fClock::fClock(ModClock &state, SettingsStore &store, Prompter &prompter, TimingClock &timing, QWidget *parent)
    : QWidget(parent), m_state(state), m_store(store), m_prompter(prompter), m_timing(timing)
{
    setObjectName(QStringLiteral("fClock"));
    m_caption = appTitle();
    setWindowTitle(m_caption);
    const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    m_twipsPerPixel = 1440.0 / dpi;

    m_actions = new CommandActions(this);
    m_tbar = new MainToolbar(*m_actions, this);
    m_lvw = new ItemListView(state.lvwMain, m_twipsPerPixel, this);
    m_sbar = new MainStatusBar(m_twipsPerPixel, this);
    m_itemMenu = new ItemContextMenu(*m_actions, this);
    connect(m_lvw, &ItemListView::menuRequested, m_itemMenu, [this](const QPoint &at) { m_itemMenu->popup(at); });
    addUsualKeys();
    m_sbar->showTime(timing.wallClock().now());
    connect(&timing, &TimingClock::secondChanged, this, &fClock::showSecond);
    initialise();

    // Narrower, buttons would drop off the toolbar; lower, the list would run under the status
    // bar and the two bars over each other.
    setMinimumSize(
        m_tbar->sizeHint().width(),
        toPixels(ListGeometry::innerHeightFor(toTwips(m_tbar->sizeHint().height()),
                                              toTwips(m_sbar->sizeHint().height()), kListMinimumHeightTwips)));
    resize(toPixels(kInnerWidthTwips), toPixels(kInnerHeightTwips));
    // The toolbar buttons come first in the Tab order, but the window opens with the focus on the
    // list, where the arrow keys choose the operator's row.
    m_lvw->currentWidget()->setFocus();
    centreOnScreen();
    // The window sees typed characters before its controls do (and leaves them to them).
    qApp->installEventFilter(this);
}

fClock::~fClock()
{
    qApp->removeEventFilter(this);
}

void fClock::setCommands(ToolbarCommands &commands)
{
    connect(m_lvw, &ItemListView::itemClicked, &commands, &ToolbarCommands::itemClick);
    m_lvw->keepInStepWith(commands.currentItem());
    setKeyCommand([c = QPointer<ToolbarCommands>(&commands)](QChar ch) { return c && c->keyPress(ch); });
}

void fClock::addUsualKeys()
{
    // Keys with a function key or Ctrl type no character, so the letter commands never see them;
    // and as shortcuts of this window they wait while a dialog or box of its own is up.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, m_actions->action(Button::Help), &QAction::trigger);
    auto *quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
}

void fClock::initialise()
{
    m_fx.InitFrameMetrics(m_twipsPerPixel, m_twipsPerPixel);
    m_settings.load(m_store);
    m_lvw->setView(m_settings.lngView);
}

int fClock::toTwips(int pixels) const
{
    return qRound(pixels * m_twipsPerPixel);
}

int fClock::toPixels(int twips) const
{
    return qRound(twips / m_twipsPerPixel);
}

void fClock::layoutBars()
{
    const int tbarHeight = m_tbar->sizeHint().height();
    m_tbar->setGeometry(0, 0, width(), tbarHeight);
    const int sbarHeight = m_sbar->sizeHint().height();
    m_sbar->setGeometry(0, height() - sbarHeight, width(), sbarHeight);
}

void fClock::resizeEvent(QResizeEvent *)
{
    layoutBars();
    doResize();
}

void fClock::doResize()
{
    // The frame lives in the retained image: clear it, place the list, draw the frame again.
    m_surface = QPixmap(size());
    m_surface.fill(palette().color(QPalette::Window));
    m_lvw->hide();
    m_lvw->setView(m_settings.lngView);
    const ListGeometry g = ListGeometry::compute(toTwips(m_tbar->height()), toTwips(m_sbar->height()), toTwips(width()),
                                                 toTwips(height()));
    QRect r = m_lvw->geometry();
    r.moveTo(toPixels(g.left), toPixels(g.top));
    if (g.width)
        r.setWidth(toPixels(*g.width));
    if (g.height)
        r.setHeight(toPixels(*g.height));
    m_lvw->setGeometry(r);
    m_lvw->show();
    m_fx.lngFxDepth = m_settings.lngDepthColor;
    m_fx.lngFxLine = m_settings.lngLineColor;
    m_fx.lngFxBox = m_settings.lngLineColor;
    PainterSurface surface(&m_surface, m_twipsPerPixel, m_twipsPerPixel);
    m_fx.FrameControl(FrameDrawing::Control::fromPixels(m_lvw->geometry(), m_twipsPerPixel, m_twipsPerPixel), surface,
                      2, m_settings.lngDepthMode, 2);
    m_tbar->update();
    update();
}

void fClock::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_surface);
}

void fClock::closeEvent(QCloseEvent *event)
{
    if (!m_closeConfirmed) {
        const Prompter::Answer a =
            m_prompter.msgBox(QStringLiteral("退出计时系统吗?"), Prompter::Buttons::YesNo, Prompter::Icon::Question, 2);
        // An end chosen elsewhere while the question was up ends the program all the same.
        if (a != Prompter::Answer::Yes && !m_closeConfirmed) {
            event->ignore();
            return;
        }
        if (a == Prompter::Answer::Yes)
            Q_EMIT exitConfirmed();
    }
    // The view settings wait in the store for the scheme list, which the program adds on the
    // unload: the two reach the file in one replacement.
    m_settings.save(m_store);
    m_timing.setEnabled(false);
    Q_EMIT unloading();
    event->accept();
}

void fClock::centreOnScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void fClock::restoreLayout(const WindowState &state)
{
    const auto room = [this](const QScreen *screen) { return roomInside(screen->availableGeometry(), *this); };
    if (!state.main.isEmpty()) {
        if (const QScreen *screen = QGuiApplication::screenAt(state.main.center())) {
            setGeometry(fittedInto(state.main, room(screen), minimumSize()));
        } else {
            const QScreen *primary = QGuiApplication::primaryScreen();
            resize(primary ? fittedInto(state.main, room(primary), minimumSize()).size() : state.main.size());
            centreOnScreen();
        }
    }
    if (state.mainMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    m_lvw->setColumnWidths(state.columns);
}

void fClock::keepLayout(WindowState &state) const
{
    state.main = normalGeometry();
    state.mainMaximized = isMaximized();
    state.columns = m_lvw->columnWidths();
}

void fClock::closeConfirmed()
{
    m_closeConfirmed = true;
    // With the question up the close is under way already: it goes on once the box has gone.
    close();
}

bool fClock::eventFilter(QObject *watched, QEvent *event)
{
    // Keys for another window are no commands. Right after a box closes, though, the window
    // system may leave Qt with no active window while the keys already reach this one.
    if (event->type() != QEvent::KeyPress || (QApplication::activeWindow() && !isActiveWindow()))
        return false;
    // A key goes to the focus widget first (or to the window when nothing has the focus) and,
    // when ignored there, travels up to its parents; look at it only at its first stop.
    // (The window's own focus widget: the application's is empty while no window is active.)
    QWidget *first = focusWidget();
    if (!first)
        first = this;
    if (watched != first)
        return false;
    const QString text = static_cast<QKeyEvent *>(event)->text();
    if (text.size() != 1 || !text[0].isPrint() || !m_keyCommand)
        return false;
    return m_keyCommand(text[0]);
}

void fClock::showSecond(const Moment &now)
{
    m_sbar->showTime(now.wall);
    if (m_timing.isEnabled())
        setCaption(m_timing.tick().caption(now.wall));
}

bool fClock::clockEnabled() const
{
    return m_timing.isEnabled();
}

void fClock::setClockEnabled(bool enabled)
{
    m_timing.setEnabled(enabled);
}

void fClock::setCaption(const QString &caption)
{
    m_caption = caption;
    const QString shown = m_onDuty.isEmpty() ? caption : caption + QStringLiteral("  [当班: %1]").arg(m_onDuty);
    // A wake that comes early finds the same second; only a changed text is worth a repaint.
    if (windowTitle() != shown)
        setWindowTitle(shown);
}

void fClock::setOnDuty(const QString &operatorName)
{
    m_onDuty = operatorName;
    setCaption(m_caption);
}

void fClock::setPanelText(int panel, const QString &text)
{
    m_sbar->setPanelText(panel, text);
}

void fClock::setPanelToolTip(int panel, const QString &tip)
{
    QLabel *label = m_sbar->panel(panel);
    if (!label)
        return;
    // A tooltip open over the panel would go on telling what it no longer says.
    if (label->underMouse() && QToolTip::isVisible())
        QToolTip::hideText();
    label->setToolTip(tip);
}

void fClock::setListToolTip(const QString &tip)
{
    m_lvw->setListToolTip(tip);
}

void fClock::revealRow(int pos)
{
    m_lvw->reveal(pos);
}

void fClock::setListView(int view)
{
    m_lvw->setView(view);
}
