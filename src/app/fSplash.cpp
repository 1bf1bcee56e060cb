#include "app/fSplash.h"

#include "app/InstanceGuard.h"
#include "dialogs/CloseOnEscape.h"
#include "dialogs/Prompter.h"
#include "draw/Artwork.h"
#include "draw/Draw3DText.h"
#include "draw/SimSunFont.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {
constexpr qint32 kBlue = 255 << 16;
constexpr qint32 kRed = 255;
} // namespace

QString versionCaption(int major, int minor, int revision)
{
    return QStringLiteral("Ver %1.%2%3").arg(major).arg(minor).arg(revision);
}

fSplash::fSplash(MainWindowHooks hooks, InstanceGuard &guard, Prompter &prompter, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_hooks(std::move(hooks)),
      m_guard(guard), m_prompter(prompter), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("fSplash"));
    // Only the task switcher can show this title: the window has no title bar.
    setWindowTitle(QStringLiteral("Vantorel"));
    setFixedSize(Artwork::splashSize);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(20, 20, 32, 32);
    m_image->setPixmap(Artwork::appPicture(32));
    m_image->setAttribute(Qt::WA_NoMousePropagation);

    const QFont titleFont = simSunFont(15.75);
    const QFont verFont = simSunFont(12);
    for (int i = 0; i < 3; ++i) {
        m_title[i] = makeLabel(QRect(60, 55, 286, 36), titleFont);
        m_ver[i] = makeLabel(QRect(215, 90, 111, 26), verFont);
    }
    m_title[0]->setText(QStringLiteral("欢迎使用Vantorel"));

    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &fSplash::Timer1_Timer);
    // Esc types no character on every platform, and as the About window it is what closes a window.
    closeOnEscape(this);
}

QLabel *fSplash::makeLabel(const QRect &geometry, const QFont &font)
{
    auto *label = new QLabel(this);
    label->setGeometry(geometry);
    label->setFont(font);
    // A click on the texts is not a click on the splash.
    label->setAttribute(Qt::WA_NoMousePropagation);
    return label;
}

bool fSplash::Form_Load()
{
    // Loading may open boxes (a bad scheme entry, a second copy), each with its own event loop in
    // which the timer ticks and a close is carried out. Ticks wait until loading is over, and a
    // window closed meanwhile is discarded only then, so this handler never runs on without it.
    m_loading = true;
    const bool discardOnClose = testAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_DeleteOnClose, false);
    bool goOn = true;
    m_timer->start(); // enabled from the moment the window loads
    try {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
        }
        show();
        raise();
        const QString version = versionCaption(VANTOREL_VERSION_MAJOR, VANTOREL_VERSION_MINOR, VANTOREL_VERSION_PATCH);
        Draw3DText(m_title[0], m_title[1], m_title[2], m_title[0]->text(), 1, kBlue, 1);
        Draw3DText(m_ver[0], m_ver[1], m_ver[2], version, 1, kRed, 1);
        if (m_hooks.load)
            m_hooks.load();
        if (m_guard.anotherInstanceRunning()) {
            close();
            goOn = m_prompter.msgBox(QStringLiteral("程序已经运行,退出本次启动吗?"), Prompter::Buttons::YesNo,
                                     Prompter::Icon::Question)
                != Prompter::Answer::Yes;
        }
    } catch (...) {
        showMainWindow();
        close();
    }
    m_loading = false;
    // Closed before its first tick (the answer No, an early click or key): the timer is gone, so
    // the main window is shown here.
    if (goOn && !isVisible())
        showMainWindow();
    setAttribute(Qt::WA_DeleteOnClose, discardOnClose);
    if (discardOnClose && !isVisible())
        deleteLater();
    return goOn;
}

void fSplash::Timer1_Timer()
{
    // Behind a box opened while loading the main window may not exist yet: such a tick does
    // nothing and is not counted, so the hand-over starts once loading is over.
    if (m_loading)
        return;
    if (m_intTick == 0) {
        showMainWindow();
        raise(); // the topmost splash stays above the main window while both are up
    } else {
        close();
    }
    ++m_intTick;
}

void fSplash::showMainWindow()
{
    // The About window finds the main window up already.
    if (m_about || m_mainShown || !m_hooks.show)
        return;
    m_mainShown = true;
    m_hooks.show();
}

void fSplash::paintEvent(QPaintEvent *)
{
    // Drawn at the first paint, once the window is on the screen, and kept for the repaints the
    // texts and the ticks ask for.
    if (m_background.isNull())
        m_background = Artwork::splashBackground();
    QPainter p(this);
    p.drawPixmap(0, 0, m_background);
}

void fSplash::mousePressEvent(QMouseEvent *)
{
    close();
}

void fSplash::keyPressEvent(QKeyEvent *event)
{
    // Keys that type a character close the splash; arrows and function keys type none.
    if (!event->text().isEmpty())
        close();
}

void fSplash::closeEvent(QCloseEvent *event)
{
    m_timer->stop();
    // Closed before the hand-over (an early click or key): the operator still gets the main window,
    // once it has loaded.
    if (!m_loading)
        showMainWindow();
    event->accept();
}
