#pragma once
// The splash window: shown at start while the main window loads, and again as the About window.

#include <QPixmap>
#include <QWidget>

#include <functional>

class InstanceGuard;
class Prompter;
class QLabel;
class QTimer;

// "Ver " + major + "." + minor + revision, with nothing between minor and revision (1.0.4 gives
// "Ver 1.04").
QString versionCaption(int major, int minor, int revision);

class fSplash : public QWidget {
    Q_OBJECT
public:
    // load() loads the main window without showing it; show() shows it.
    struct MainWindowHooks {
        std::function<void()> load;
        std::function<void()> show;
    };
    fSplash(MainWindowHooks hooks, InstanceGuard &guard, Prompter &prompter, QWidget *parent = nullptr);

    // The start-up sequence. Returns false when the operator chose to quit this copy of the
    // program because another one runs: nothing more may be shown or saved then.
    bool Form_Load();
    void Timer1_Timer();

    QTimer *Timer1() const { return m_timer; }
    qint16 intTick() const { return m_intTick; }
    // Shown as the About window: its timer stops, so it stays until clicked or a key is typed.
    void setAboutMode() { m_about = true; }

    QLabel *lblTitle(int i) const { return m_title[i]; }
    QLabel *lblVer(int i) const { return m_ver[i]; }
    QLabel *Image1() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *makeLabel(const QRect &geometry, const QFont &font);
    void showMainWindow();

    MainWindowHooks m_hooks;
    InstanceGuard &m_guard;
    Prompter &m_prompter;
    QTimer *m_timer;
    QLabel *m_image;
    QPixmap m_background;
    QLabel *m_title[3];
    QLabel *m_ver[3];
    qint16 m_intTick = 0;
    bool m_mainShown = false;
    bool m_about = false;
    // True while Form_Load runs; the boxes it may open run their own event loops meanwhile.
    bool m_loading = false;
};
