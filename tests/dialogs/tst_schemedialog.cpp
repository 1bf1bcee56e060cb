// The timing scheme dialog: the verdict on every change, OK only for a usable formula, and what
// reaches the shared scheme list.

#include "TabStops.h"
#include "dialogs/SchemeDialog.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

namespace {
const QString correct = QStringLiteral("表达式正确。");
const QString noMacro = QStringLiteral("表达式没有包含取时宏'C',计时方案无意义。");
const QString syntaxError = QStringLiteral("计时表达式不正确,公式语法错误!");
} // namespace

class TestSchemeDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensEmptyWithOkDisabled();
    void design();
    void verdicts_data();
    void verdicts();
    void deletingEverythingRefuses();
    void okAppendsTheTextAsTyped();
    void sameFormulaTwiceGivesTwoEntries();
    void enterOnlyWhileAccepted();
    void escapeAndCancelChangeNothing();
    void bandVerdicts_data() { verdicts_data(); }
    void bandVerdicts();
    void bandsAppendTheirText();

private:
    QLineEdit *text1() const { return m_dialog->findChild<QLineEdit *>(QStringLiteral("Text1")); }
    QLabel *tip() const { return m_dialog->findChild<QLabel *>(QStringLiteral("lblTip")); }
    QPushButton *button(const char *name) const { return m_dialog->findChild<QPushButton *>(QLatin1String(name)); }
    void open();
    QList<QTimeEdit *> starts() const { return m_dialog->findChildren<QTimeEdit *>(QStringLiteral("txtBandStart")); }
    QList<QLineEdit *> formulas() const
    {
        return m_dialog->findChildren<QLineEdit *>(QStringLiteral("txtBandFormula"));
    }
    void toggleBands() const
    {
        QTest::mouseClick(m_dialog->findChild<QWidget *>(QStringLiteral("chkBands")), Qt::LeftButton);
    }
    QString bandTip() const { return m_dialog->findChild<QLabel *>(QStringLiteral("lblBandTip"))->text(); }

    ModClock *m_state = nullptr;
    SchemeDialog *m_dialog = nullptr;
};

void TestSchemeDialog::init()
{
    m_state = new ModClock;
    m_dialog = new SchemeDialog(m_state->tariff, nullptr);
}

void TestSchemeDialog::cleanup()
{
    delete m_dialog;
    delete m_state;
}

void TestSchemeDialog::open()
{
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog));
}

void TestSchemeDialog::opensEmptyWithOkDisabled()
{
    open();
    QVERIFY(text1()->text().isEmpty());
    QVERIFY(tip()->text().isEmpty());
    QVERIFY(!button("cmdOK")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), text1());
}

void TestSchemeDialog::design()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("新增计时方案"));
    QCOMPARE(m_dialog->size(), QSize(448, 276));
    QCOMPARE(m_dialog->minimumSize(), m_dialog->maximumSize());
    QVERIFY(m_dialog->isModal());
    QVERIFY(!(m_dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    QCOMPARE(text1()->geometry(), QRect(85, 20, 326, 26));
    QCOMPARE(text1()->font().pointSizeF(), 10.5);
    QCOMPARE(m_dialog->findChild<QGroupBox *>(QStringLiteral("Frame1"))->geometry(), QRect(10, 150, 421, 81));

    QPushButton *ok = button("cmdOK");
    QVERIFY(ok->isDefault());
    QVERIFY(ok->text().isEmpty());
    QCOMPARE(ok->iconSize(), QSize(72, 32));
    QCOMPARE(ok->palette().color(QPalette::Button), QColor(192, 192, 192));
    QCOMPARE(ok->geometry(), QRect(200, 235, 96, 41));
    QCOMPARE(button("cmdCancel")->geometry(), QRect(340, 235, 96, 41));

    // The tab order: OK, Cancel, then the formula.
    QCOMPARE(tabStopsAfter(ok), (QList<QWidget *> {button("cmdCancel"), text1(), ok}));

    // The quoted pieces of the first help text and the indent of the second.
    const QString first = m_dialog->findChild<QLabel *>(QStringLiteral("Label2"))->text();
    QVERIFY(first.startsWith(QStringLiteral("提示:   耗时 = 终止计时时间")));
    QVERIFY(first.contains(QStringLiteral("耗时累计用\"C\"取得。即表达式中的符号\"C\"被耗时累计")));
    QVERIFY(first.endsWith(
        QStringLiteral("基本符号分别为\"+ - * / \\ ^ SQR(N),LOG(N), SIN(N),COS(N),TAN(N)其中N为数字或角度.")));
    const QString second = m_dialog->findChild<QLabel *>(QStringLiteral("Label4"))->text();
    QVERIFY(second.startsWith(QStringLiteral("   计时的结果")));
    QVERIFY(second.contains(QStringLiteral("5*C/60 ,3*C/60 因为'C'为")));
}

void TestSchemeDialog::verdicts_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("verdict");

    QTest::newRow("five per hour") << QStringLiteral("5*C/60") << correct;
    QTest::newRow("lower-case c") << QStringLiteral("5*c/60") << correct;
    QTest::newRow("fixed charge plus rate") << QStringLiteral("2 + 0.1*C") << correct;
    QTest::newRow("no C although it evaluates") << QStringLiteral("60") << noMacro;
    QTest::newRow("zero at C = 1") << QStringLiteral("C-1") << correct;
    QTest::newRow("first ten minutes free") << QStringLiteral("MAX(0,C-10)*5/60") << correct;
    QTest::newRow("zero without C") << QStringLiteral("0") << noMacro;
    // The C of COS is replaced too, and "1OS(1)" is no formula.
    QTest::newRow("C inside a function name") << QStringLiteral("COS(C)") << syntaxError;
    QTest::newRow("function without C in its name") << QStringLiteral("SQR(C*4)") << correct;
    QTest::newRow("malformed") << QStringLiteral("5*C/") << syntaxError;
    QTest::newRow("division by zero") << QStringLiteral("C/0") << syntaxError;
    QTest::newRow("not a number") << QStringLiteral("SQR(0-C)") << syntaxError;
    QTest::newRow("blank") << QStringLiteral(" ") << noMacro;
}

void TestSchemeDialog::verdicts()
{
    QFETCH(QString, formula);
    QFETCH(QString, verdict);
    open();
    QTest::keyClicks(text1(), formula);
    QCOMPARE(tip()->text(), verdict);
    QCOMPARE(button("cmdOK")->isEnabled(), verdict == correct);
}

void TestSchemeDialog::deletingEverythingRefuses()
{
    open();
    QTest::keyClicks(text1(), QStringLiteral("3*C"));
    QVERIFY(button("cmdOK")->isEnabled());
    QTest::keyClick(text1(), Qt::Key_Backspace);
    QCOMPARE(tip()->text(), noMacro);
    QVERIFY(!button("cmdOK")->isEnabled());
    QTest::keyClick(text1(), Qt::Key_C);
    QVERIFY(button("cmdOK")->isEnabled());
    QTest::keyClick(text1(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(text1(), Qt::Key_Delete);
    QVERIFY(text1()->text().isEmpty());
    QCOMPARE(tip()->text(), noMacro);
    QVERIFY(!button("cmdOK")->isEnabled());
}

void TestSchemeDialog::okAppendsTheTextAsTyped()
{
    m_state->tariff.cFangAn.add(QStringLiteral("3*C/60"));
    open();
    QTest::keyClicks(text1(), QStringLiteral(" 5*c/60"));
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_state->tariff.cFangAn.count(), 2);
    QCOMPARE(m_state->tariff.cFangAn.item(2), QStringLiteral(" 5*c/60"));
}

void TestSchemeDialog::sameFormulaTwiceGivesTwoEntries()
{
    for (int i = 0; i < 2; ++i) {
        SchemeDialog dialog(m_state->tariff, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClicks(dialog.findChild<QLineEdit *>(QStringLiteral("Text1")), QStringLiteral("5*C/60"));
        QTest::keyClick(&dialog, Qt::Key_Return);
    }
    QCOMPARE(m_state->tariff.cFangAn.count(), 2);
    QCOMPARE(m_state->tariff.cFangAn.item(1), m_state->tariff.cFangAn.item(2));
}

void TestSchemeDialog::enterOnlyWhileAccepted()
{
    open();
    QTest::keyClicks(text1(), QStringLiteral("C-"));
    QTest::keyClick(text1(), Qt::Key_Return);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_state->tariff.cFangAn.count(), 0);

    QTest::keyClicks(text1(), QStringLiteral("2"));
    QTest::keyClick(text1(), Qt::Key_Enter);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_state->tariff.cFangAn.count(), 1);
    QCOMPARE(m_state->tariff.cFangAn.item(1), QStringLiteral("C-2"));
}

void TestSchemeDialog::escapeAndCancelChangeNothing()
{
    open();
    QTest::keyClicks(text1(), QStringLiteral("5*C/60"));
    QTest::keyClick(text1(), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));

    open();
    QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_state->tariff.cFangAn.count(), 0);
}

// Each band's formula is judged as the single formula is.
void TestSchemeDialog::bandVerdicts()
{
    QFETCH(QString, formula);
    QFETCH(QString, verdict);
    open();
    toggleBands();
    QCOMPARE(QApplication::focusWidget(), formulas().value(0));
    QTest::keyClicks(formulas().value(0), formula);
    QCOMPARE(bandTip(), verdict);
    QCOMPARE(button("cmdOK")->isEnabled(), verdict == correct);
}

void TestSchemeDialog::bandsAppendTheirText()
{
    open();
    QTest::keyClicks(text1(), QStringLiteral("C-"));
    toggleBands();
    QVERIFY(!m_dialog->findChild<QGroupBox *>(QStringLiteral("Frame1"))->isVisible());
    QCOMPARE(m_dialog->height(), 426);
    formulas().value(0)->setText(QStringLiteral("4*C/60"));
    QVERIFY(button("cmdOK")->isEnabled());

    // A new band starts an hour later at the same price; two bands cannot start together.
    QTest::mouseClick(button("cmdAddBand"), Qt::LeftButton);
    QCOMPARE(starts().value(1)->time(), QTime(1, 0));
    QCOMPARE(QApplication::focusWidget(), starts().value(1));
    // Tab goes through the hour and the minute of a start, then on to its formula.
    QList<QWidget *> visited;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (visited.value(visited.size() - 1) != QApplication::focusWidget())
            visited << QApplication::focusWidget();
    }
    QCOMPARE(visited,
             (QList<QWidget *> {starts().value(1), formulas().value(1), button("cmdAddBand"), button("cmdRemoveBand"),
                                button("cmdOK"), button("cmdCancel"), starts().value(0)}));
    starts().value(1)->setTime(QTime(0, 0));
    QCOMPARE(bandTip(), QStringLiteral("有两个时段从00:00开始。"));
    QVERIFY(!button("cmdOK")->isEnabled());
    starts().value(1)->setTime(QTime(18, 0));
    formulas().value(1)->setText(QStringLiteral("6*C/"));
    QCOMPARE(bandTip(), syntaxError);
    QVERIFY(!button("cmdOK")->isEnabled());
    QTest::keyClicks(formulas().value(1), QStringLiteral("60"));

    // Back to the single formula, which is still refused; the bands wait for the next time.
    toggleBands();
    QCOMPARE(QApplication::focusWidget(), text1());
    QVERIFY(!button("cmdOK")->isEnabled());
    toggleBands();
    QVERIFY(button("cmdOK")->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_state->tariff.cFangAn.count(), 1);
    QCOMPARE(m_state->tariff.cFangAn.item(1), QStringLiteral("00:00 4*C/60; 18:00 6*C/60"));
}

QTEST_MAIN(TestSchemeDialog)
#include "tst_schemedialog.moc"
