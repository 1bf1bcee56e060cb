// The new-items dialog: what OK puts into the shared state and onto the main window, the duplicate
// name, the minutes, and the scheme list it manages.

#include "FakeWallClock.h"
#include "ScriptedPrompter.h"
#include "TabStops.h"
#include "dialogs/NewItemsDialog.h"
#include "dialogs/SchemeDialog.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/TimeText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

class TestNewItemsDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensWithFirstSchemeSelected();
    void design();
    void emptySchemeListKeepsOkDisabled();
    void nameAndSchemeEnableOk();
    void startedItem();
    void stoppedItem();
    void staysOpenClearedForTheNextItem();
    void duplicateNames_data();
    void duplicateNames();
    void minutes_data();
    void minutes();
    void checkBoxReturnsFocusToName();
    void removeScheme();
    void newSchemePickedUpUnselected();
    void newSchemeCancelledChangesNothing();
    void newSchemeIntoEmptyList();
    void enterAndEscape();

private:
    template <typename T> T *child(const char *name) const { return m_dialog->findChild<T *>(QLatin1String(name)); }
    QLineEdit *name() const { return child<QLineEdit>("txtName"); }
    QLineEdit *time() const { return child<QLineEdit>("txtTime"); }
    QListWidget *list() const { return child<QListWidget>("Lst"); }
    QPushButton *button(const char *n) const { return child<QPushButton>(n); }
    void open();
    void addItem(const QString &itemName, bool start = true);

    std::unique_ptr<ModClock> m_state;
    std::unique_ptr<FakeWallClock> m_clock;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<QSignalSpy> m_started; // the items added started
    std::unique_ptr<NewItemsDialog> m_dialog;
};

void TestNewItemsDialog::init()
{
    m_state = std::make_unique<ModClock>();
    m_state->tariff.cFangAn.add(QStringLiteral("5*C/60"));
    m_state->tariff.cFangAn.add(QStringLiteral("3*C/60"));
    m_clock = std::make_unique<FakeWallClock>(QDateTime(QDate(2026, 12, 7), QTime(9, 41, 27)));
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_dialog = std::make_unique<NewItemsDialog>(*m_state, *m_clock, *m_prompter, nullptr);
    m_started = std::make_unique<QSignalSpy>(m_dialog.get(), &NewItemsDialog::startedOnAdding);
    // Nothing here may wait for an operator.
    m_dialog->setSchemeDialogOpener([] { QFAIL("the scheme dialog was not expected"); });
}

void TestNewItemsDialog::cleanup()
{
    m_started.reset();
    m_dialog.reset();
    m_prompter.reset();
    m_clock.reset();
    m_state.reset();
}

void TestNewItemsDialog::open()
{
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
}

void TestNewItemsDialog::addItem(const QString &itemName, bool start)
{
    if (child<QCheckBox>("cheCalc")->isChecked() != start)
        QTest::mouseClick(child<QCheckBox>("cheCalc"), Qt::LeftButton);
    QTest::keyClicks(name(), itemName);
    QTest::keyClick(name(), Qt::Key_Return);
}

void TestNewItemsDialog::opensWithFirstSchemeSelected()
{
    open();
    QCOMPARE(list()->count(), 2);
    QCOMPARE(list()->item(0)->text(), QStringLiteral("5*C/60"));
    QCOMPARE(list()->item(1)->text(), QStringLiteral("3*C/60"));
    QVERIFY(list()->item(0)->isSelected());
    QVERIFY(button("cmdRemove")->isEnabled());
    QVERIFY(!button("cmdOK")->isEnabled());
    QVERIFY(child<QCheckBox>("cheCalc")->isChecked());
    QCOMPARE(QApplication::focusWidget(), name());
}

void TestNewItemsDialog::design()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("新增"));
    QCOMPARE(m_dialog->size(), QSize(427, 275));
    QCOMPARE(m_dialog->minimumSize(), m_dialog->maximumSize());
    QVERIFY(m_dialog->isModal());
    QCOMPARE(list()->geometry(), QRect(10, 65, 331, 74));
    QCOMPARE(name()->font().pointSizeF(), 10.5);
    QCOMPARE(button("cmdNew")->text(), QStringLiteral("新增 &N"));
    QCOMPARE(button("cmdRemove")->text(), QStringLiteral("移除 &M"));
    QCOMPARE(button("cmdNew")->shortcut(), QKeySequence(QStringLiteral("Alt+N")));
    QCOMPARE(child<QCheckBox>("cheCalc")->shortcut(), QKeySequence(QStringLiteral("Alt+S")));
    QVERIFY(button("cmdOK")->isDefault());
    QCOMPARE(button("cmdOK")->iconSize(), QSize(72, 32));
    QCOMPARE(button("cmdOK")->palette().color(QPalette::Button), QColor(192, 192, 192));
    QCOMPARE(button("cmdCancel")->geometry(), QRect(325, 225, 96, 41));
    QVERIFY(child<QLabel>("Label4")->text().startsWith(QStringLiteral("提示:  计时项名称是计时项的标识，不能重复。")));

    const QList<QWidget *> order = {
        button("cmdOK"), child<QCheckBox>("cheCalc"), button("cmdRemove"), button("cmdNew"), time(), name(),
        list(),          button("cmdCancel")};
    QCOMPARE(tabStopsAfter(button("cmdCancel")), order);
}

void TestNewItemsDialog::emptySchemeListKeepsOkDisabled()
{
    m_state->tariff.cFangAn.clear();
    m_dialog = std::make_unique<NewItemsDialog>(*m_state, *m_clock, *m_prompter, nullptr);
    open();
    QCOMPARE(list()->count(), 0);
    QVERIFY(!button("cmdRemove")->isEnabled());
    QTest::keyClicks(name(), QStringLiteral("PC1"));
    QVERIFY(!button("cmdOK")->isEnabled());
    // So N, with the list empty, offers the scheme dialog first, and 是 opens it before this one.
    m_dialog->close();
    QStringList opened;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&opened] {
        if (QWidget *dialog = QApplication::activeModalWidget(); dialog && dialog->close())
            opened << QString::fromLatin1(dialog->metaObject()->className());
    });
    closer.start(10);
    NewItemsDialog::run(*m_state, *m_clock, *m_prompter, nullptr);
    QVERIFY(m_prompter->asked.value(0).text.startsWith(QStringLiteral("还没有计时方案。")));
    QCOMPARE(opened, (QStringList {QStringLiteral("SchemeDialog"), QStringLiteral("NewItemsDialog")}));
}

void TestNewItemsDialog::nameAndSchemeEnableOk()
{
    open();
    QTest::keyClicks(name(), QStringLiteral("P"));
    QVERIFY(button("cmdOK")->isEnabled());
    QTest::keyClick(name(), Qt::Key_Backspace);
    QVERIFY(!button("cmdOK")->isEnabled());
    // Blanks are a name.
    QTest::keyClick(name(), Qt::Key_Space);
    QVERIFY(button("cmdOK")->isEnabled());
}

void TestNewItemsDialog::startedItem()
{
    open();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(1)).center());
    QTest::keyClicks(time(), QStringLiteral("30"));
    addItem(QStringLiteral("PC1"));

    QCOMPARE(m_state->lvwMain.count(), m_state->lngItems);
    QCOMPARE(m_state->lngItems, 1);
    const ItemRowModel &rows = m_state->lvwMain;
    QCOMPARE(rows.text(1, ItemRowModel::ColName), QStringLiteral("PC1"));
    QCOMPARE(rows.image(1), ItemRowModel::ImageTimed);
    QVERIFY(rows.tag(1));
    QCOMPARE(rows.text(1, ItemRowModel::ColLatestStart), TimeText::longTime(QTime(9, 41, 27)));
    QCOMPARE(rows.text(1, ItemRowModel::ColUpTo), QStringLiteral("09:41"));
    QCOMPARE(rows.text(1, ItemRowModel::ColCount), QStringLiteral("1"));
    QCOMPARE(rows.text(1, ItemRowModel::ColScheme), QStringLiteral("3*C/60"));
    QCOMPARE(m_state->cItemFangAn.item(1), QStringLiteral("3*C/60"));
    QCOMPARE(m_state->cTotal.item(1), 30.0);
    QCOMPARE(m_state->cRunning.item(1), true);
    QCOMPARE(m_state->cCount.item(1), 1);
    QCOMPARE(m_state->cSave.item(1).cStart.count(), 1);

    QCOMPARE(m_started->size(), 1);
}

void TestNewItemsDialog::stoppedItem()
{
    open();
    addItem(QStringLiteral("PC2"), false);

    QCOMPARE(m_state->lvwMain.count(), m_state->lngItems);
    const ItemRowModel &rows = m_state->lvwMain;
    QCOMPARE(rows.image(1), ItemRowModel::ImageStopped);
    QVERIFY(!rows.tag(1));
    QVERIFY(rows.text(1, ItemRowModel::ColLatestStart).isEmpty());
    QCOMPARE(rows.text(1, ItemRowModel::ColCount), QStringLiteral("0"));
    QCOMPARE(rows.text(1, ItemRowModel::ColScheme), QStringLiteral("5*C/60"));
    QCOMPARE(m_state->cRunning.item(1), false);
    QCOMPARE(m_state->cCount.item(1), 0);
    QCOMPARE(m_state->cSave.item(1).cStart.count(), 0);
    // The clock and the start button are left alone.
    QCOMPARE(m_started->size(), 0);
}

void TestNewItemsDialog::staysOpenClearedForTheNextItem()
{
    open();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(1)).center());
    QTest::mouseClick(child<QCheckBox>("cheCalc"), Qt::LeftButton);
    QTest::keyClicks(time(), QStringLiteral("12"));
    addItem(QStringLiteral("PC1"), false);

    QVERIFY(m_dialog->isVisible());
    QVERIFY(name()->text().isEmpty());
    QVERIFY(time()->text().isEmpty());
    QVERIFY(!button("cmdOK")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), name());
    QVERIFY(list()->item(1)->isSelected());
    QVERIFY(!child<QCheckBox>("cheCalc")->isChecked());

    // The next item needs only a name and Enter.
    QTest::keyClicks(name(), QStringLiteral("PC2"));
    QTest::keyClick(name(), Qt::Key_Return);
    QCOMPARE(m_state->lngItems, 2);
    QCOMPARE(m_state->cItemFangAn.item(2), QStringLiteral("3*C/60"));
    QCOMPARE(m_state->cRunning.item(2), false);
    QCOMPARE(m_state->cTotal.item(2), 0.0);
}

void TestNewItemsDialog::duplicateNames_data()
{
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("refused");
    QTest::newRow("other case") << QStringLiteral("PC1") << true;
    QTest::newRow("same") << QStringLiteral("pc1") << true;
    QTest::newRow("trailing blank") << QStringLiteral("PC1 ") << false;
    QTest::newRow("other name") << QStringLiteral("PC2") << false;
}

void TestNewItemsDialog::duplicateNames()
{
    QFETCH(QString, second);
    QFETCH(bool, refused);
    open();
    addItem(QStringLiteral("pc1"));
    m_started->clear();
    QTest::keyClicks(time(), QStringLiteral("5"));
    addItem(second);

    QCOMPARE(m_state->lvwMain.count(), m_state->lngItems);
    QCOMPARE(m_state->lngItems, refused ? 1 : 2);
    QCOMPARE(m_state->lngAdded, refused ? 1 : 2);
    if (refused) {
        QCOMPARE(m_prompter->asked.size(), 1);
        QCOMPARE(m_prompter->asked[0].text, QStringLiteral("重复的计时项名称!"));
        QCOMPARE(m_prompter->asked[0].icon, Prompter::Icon::Critical);
        QCOMPARE(m_prompter->asked[0].buttons, Prompter::Buttons::Ok);
        QCOMPARE(m_started->size(), 0);
        // What was typed stays, for the operator to correct.
        QCOMPARE(name()->text(), second);
        QCOMPARE(time()->text(), QStringLiteral("5"));
        QCOMPARE(QApplication::focusWidget(), name());
        QCOMPARE(m_state->lngAdded, 1);
    } else {
        QVERIFY(m_prompter->asked.isEmpty());
        QCOMPARE(m_state->lvwMain.text(2, ItemRowModel::ColName), second);
        QCOMPARE(m_state->cName.item(2), second);
    }
}

void TestNewItemsDialog::minutes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("total");
    QTest::newRow("decimal") << QStringLiteral("12.5") << 12.5;
    QTest::newRow("unit after it") << QStringLiteral("12.5分") << 12.5;
    QTest::newRow("blank inside") << QStringLiteral("1 2") << 12.0;
    QTest::newRow("negative") << QStringLiteral("-5") << -5.0;
    QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("out of range") << QStringLiteral("1e999") << 0.0;
    QTest::newRow("beyond any bill: refused") << QStringLiteral("1e308") << qQNaN();
}

void TestNewItemsDialog::minutes()
{
    QFETCH(QString, typed);
    QFETCH(double, total);
    open();
    // Pasted rather than typed: key events cannot carry the Chinese unit.
    time()->setText(typed);
    addItem(QStringLiteral("PC1"));
    QCOMPARE(m_state->lvwMain.count(), m_state->lngItems);
    if (qIsNaN(total)) {
        QCOMPARE(m_state->lngItems, 0);
        return;
    }
    QCOMPARE(m_state->cTotal.item(1), total);
    // The row shows the minutes typed in at once, not 0 until a refresh.
    QCOMPARE(m_state->lvwMain.text(1, ItemRowModel::ColMinutes), TimeText::generalNumber(total));
}

void TestNewItemsDialog::checkBoxReturnsFocusToName()
{
    open();
    auto *box = child<QCheckBox>("cheCalc");
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!box->isChecked());
    QCOMPARE(QApplication::focusWidget(), name());
}

void TestNewItemsDialog::removeScheme()
{
    open();
    addItem(QStringLiteral("PC1")); // uses 5*C/60
    QTest::keyClicks(name(), QStringLiteral("PC2"));
    QVERIFY(button("cmdOK")->isEnabled());

    QTest::mouseClick(button("cmdRemove"), Qt::LeftButton); // asked first: 否, the default, keeps it
    QVERIFY(m_prompter->asked.last().text.contains(QStringLiteral("5*C/60")));
    QCOMPARE(m_prompter->asked.last().defaultButton, 2);
    QCOMPARE(list()->count() + m_state->tariff.cFangAn.count(), 4);
    m_prompter->answers << Prompter::Answer::Yes;
    QTest::mouseClick(button("cmdRemove"), Qt::LeftButton);
    QCOMPARE(m_state->tariff.cFangAn.count(), 1);
    QCOMPARE(m_state->tariff.cFangAn.item(1), QStringLiteral("3*C/60"));
    QCOMPARE(list()->count(), 1);
    QCOMPARE(list()->item(0)->text(), QStringLiteral("3*C/60"));
    QVERIFY(list()->selectedItems().isEmpty());
    QVERIFY(!button("cmdRemove")->isEnabled());
    QVERIFY(!button("cmdOK")->isEnabled());
    // The item keeps its own copy of the scheme.
    QCOMPARE(m_state->cItemFangAn.item(1), QStringLiteral("5*C/60"));
    QCOMPARE(m_state->lvwMain.text(1, ItemRowModel::ColScheme), QStringLiteral("5*C/60"));

    // Choosing the remaining scheme makes both buttons usable again.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(0)).center());
    QVERIFY(button("cmdRemove")->isEnabled());
    QVERIFY(button("cmdOK")->isEnabled());
}

void TestNewItemsDialog::newSchemePickedUpUnselected()
{
    // The real scheme dialog, driven as the operator would.
    m_dialog->setSchemeDialogOpener([this] {
        SchemeDialog scheme(m_state->tariff, nullptr);
        scheme.show();
        QVERIFY(QTest::qWaitForWindowActive(&scheme));
        QTest::keyClicks(scheme.findChild<QLineEdit *>(QStringLiteral("Text1")), QStringLiteral("C/10+1"));
        QTest::keyClick(&scheme, Qt::Key_Return);
    });
    open();
    QTest::mouseClick(button("cmdNew"), Qt::LeftButton);
    QCOMPARE(m_state->tariff.cFangAn.count(), 3);
    QCOMPARE(list()->count(), 3);
    QCOMPARE(list()->item(2)->text(), QStringLiteral("C/10+1"));
    QVERIFY(!list()->item(2)->isSelected());
    QVERIFY(list()->item(0)->isSelected());
}

void TestNewItemsDialog::newSchemeCancelledChangesNothing()
{
    int opened = 0;
    m_dialog->setSchemeDialogOpener([&opened] { ++opened; });
    open();
    QTest::mouseClick(button("cmdNew"), Qt::LeftButton);
    QCOMPARE(opened, 1);
    QCOMPARE(list()->count(), 2);
    QCOMPARE(m_state->tariff.cFangAn.count(), 2);
}

void TestNewItemsDialog::newSchemeIntoEmptyList()
{
    m_state->tariff.cFangAn.clear();
    m_dialog = std::make_unique<NewItemsDialog>(*m_state, *m_clock, *m_prompter, nullptr);
    m_dialog->setSchemeDialogOpener([this] { m_state->tariff.cFangAn.add(QStringLiteral("C")); });
    open();
    QTest::mouseClick(button("cmdNew"), Qt::LeftButton);
    QCOMPARE(list()->count(), 1);
    QVERIFY(list()->selectedItems().isEmpty());

    // With an empty list to begin with, the new scheme must still be chosen before OK.
    QTest::keyClicks(name(), QStringLiteral("PC1"));
    QVERIFY(!button("cmdOK")->isEnabled());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(0)).center());
    QVERIFY(button("cmdOK")->isEnabled());
}

void TestNewItemsDialog::enterAndEscape()
{
    open();
    // Enter with OK disabled does nothing.
    QTest::keyClick(name(), Qt::Key_Return);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_state->lngItems, 0);

    // With the focus on another button, Enter presses that button and not OK.
    QTest::keyClicks(name(), QStringLiteral("PC1"));
    button("cmdRemove")->setFocus();
    m_prompter->answers << Prompter::Answer::Yes;
    QTest::keyClick(button("cmdRemove"), Qt::Key_Return);
    QCOMPARE(m_state->tariff.cFangAn.count(), 1);
    QCOMPARE(m_state->lngItems, 0);

    // Esc closes the dialog; what was typed is dropped, items already added stay.
    QTest::keyClick(name(), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(m_state->lngItems, 0);
}

QTEST_MAIN(TestNewItemsDialog)
#include "tst_newitemsdialog.moc"
