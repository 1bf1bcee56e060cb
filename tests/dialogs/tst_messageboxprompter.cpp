// The real message and input boxes: title, icon, buttons and default, and the answers they give.

#include "dialogs/MessageBoxPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs answer on the box as soon as the box's own event loop runs.
void whenBoxShows(std::function<void(QWidget *)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
        answer(box);
    });
}

} // namespace

class TestMessageBoxPrompter : public QObject {
    Q_OBJECT
private slots:
    void messageBox_data();
    void messageBox();
    void escapeOnYesNoCancelIsCancel();
    void inputBox();
    void cancelledInputBoxIsEmpty();
};

void TestMessageBoxPrompter::messageBox_data()
{
    QTest::addColumn<Prompter::Buttons>("buttons");
    QTest::addColumn<Prompter::Icon>("icon");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<QMessageBox::Icon>("boxIcon");
    QTest::addColumn<QMessageBox::StandardButton>("expectedDefault");
    QTest::addColumn<QMessageBox::StandardButton>("clicked");
    QTest::addColumn<Prompter::Answer>("answer");

    QTest::newRow("ok, critical") << Prompter::Buttons::Ok << Prompter::Icon::Critical << 1 << QMessageBox::Critical
                                  << QMessageBox::Ok << QMessageBox::Ok << Prompter::Answer::Ok;
    QTest::newRow("yes/no, question, no by default")
        << Prompter::Buttons::YesNo << Prompter::Icon::Question << 2 << QMessageBox::Question << QMessageBox::No
        << QMessageBox::Yes << Prompter::Answer::Yes;
    QTest::newRow("yes/no/cancel, exclamation")
        << Prompter::Buttons::YesNoCancel << Prompter::Icon::Exclamation << 3 << QMessageBox::Warning
        << QMessageBox::Cancel << QMessageBox::No << Prompter::Answer::No;
    QTest::newRow("information, default out of range")
        << Prompter::Buttons::YesNo << Prompter::Icon::Information << 7 << QMessageBox::Information
        << QMessageBox::NoButton << QMessageBox::No << Prompter::Answer::No;
}

void TestMessageBoxPrompter::messageBox()
{
    QFETCH(Prompter::Buttons, buttons);
    QFETCH(Prompter::Icon, icon);
    QFETCH(int, defaultButton);
    QFETCH(QMessageBox::Icon, boxIcon);
    QFETCH(QMessageBox::StandardButton, expectedDefault);
    QFETCH(QMessageBox::StandardButton, clicked);
    QFETCH(Prompter::Answer, answer);

    whenBoxShows([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Vantorel"));
        QCOMPARE(box->text(), QStringLiteral("退出计时系统吗?"));
        QCOMPARE(box->icon(), boxIcon);
        QCOMPARE(box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton,
                 expectedDefault);
        box->button(clicked)->click();
    });
    MessageBoxPrompter prompter(nullptr);
    QCOMPARE(prompter.msgBox(QStringLiteral("退出计时系统吗?"), buttons, icon, defaultButton), answer);
}

void TestMessageBoxPrompter::escapeOnYesNoCancelIsCancel()
{
    whenBoxShows([](QWidget *box) { QTest::keyClick(box, Qt::Key_Escape); });
    MessageBoxPrompter prompter(nullptr);
    QCOMPARE(prompter.msgBox(QStringLiteral("?"), Prompter::Buttons::YesNoCancel, Prompter::Icon::Question),
             Prompter::Answer::Cancel);
}

void TestMessageBoxPrompter::inputBox()
{
    whenBoxShows([](QWidget *widget) {
        auto *box = qobject_cast<QInputDialog *>(widget);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Vantorel"));
        QCOMPARE(box->labelText(), QStringLiteral("输入计时项名称:"));
        QCOMPARE(box->textValue(), QStringLiteral("PC"));
        // One line to type: nothing to maximise, nothing to resize.
        QVERIFY(!box->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(box->minimumSize(), box->maximumSize());
        QLineEdit *edit = box->findChild<QLineEdit *>();
        QTest::keyClick(edit, Qt::Key_End); // the default text comes selected
        QTest::keyClicks(edit, QStringLiteral("1"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    MessageBoxPrompter prompter(nullptr);
    QCOMPARE(prompter.inputBox(QStringLiteral("输入计时项名称:"), QString(), QStringLiteral("PC")),
             QStringLiteral("PC1"));
}

void TestMessageBoxPrompter::cancelledInputBoxIsEmpty()
{
    whenBoxShows([](QWidget *widget) {
        QCOMPARE(widget->windowTitle(), QStringLiteral("查找"));
        QTest::keyClick(widget, Qt::Key_Escape);
    });
    MessageBoxPrompter prompter(nullptr);
    QVERIFY(prompter.inputBox(QStringLiteral("?"), QStringLiteral("查找"), QStringLiteral("PC1")).isEmpty());
}

QTEST_MAIN(TestMessageBoxPrompter)
#include "tst_messageboxprompter.moc"
