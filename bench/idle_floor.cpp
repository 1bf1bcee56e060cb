// The floor the idle measurement compares the program with: an empty window whose caption and one
// status label follow the time once a second, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *status = new QLabel(&window);
    layout->addStretch();
    layout->addWidget(status);
    const auto show = [&] {
        const QString now = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
        window.setWindowTitle(QStringLiteral("floor ") + now);
        status->setText(now);
    };
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, show);
    timer.start(1000);
    show();
    window.resize(632, 453);
    window.show();
    return app.exec();
}
