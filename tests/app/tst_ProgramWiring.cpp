#include "ItemListView.h"
#include "MainToolbar.h"
#include "ModClock.h"
#include "Program.h"
#include "ToolbarButton.h"
#include "fClock.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

// The assembled program: keys, buttons and menu entries of the real main window reach the
// commands. Keys that open modal boxes are left to the command tests and the scripted run.
class TestProgramWiring : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_home;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_home.path().toLocal8Bit());
    }

    void keysButtonsAndEntriesReachTheCommands()
    {
        Program program;
        fClock &w = program.mainWindow();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTreeView *list = w.Lvw()->reportView();
        list->setFocus();

        // R: the style button's next view, from the stored report view to large icons.
        QTest::keyClick(list, Qt::Key_R);
        QCOMPARE(w.viewSettings().lngView, 0);
        QCOMPARE(w.Lvw()->shownView(), 0);

        // S twice: timing starts, then stops, with the captions the operator sees.
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_S);
        QVERIFY(w.Clock()->isActive());
        QCOMPARE(w.Tbar()->button(8)->text(), QStringLiteral("终止 &S"));
        w.Tbar()->button(8)->click();
        QVERIFY(!w.Clock()->isActive());
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("已终止计时:")));

        // Menu entries: a colour step and a depth-mode step redraw the frame.
        w.Tbar()->entry(QStringLiteral("R6"))->trigger();
        QCOMPARE(w.viewSettings().lngLineColor, 0);
        w.Tbar()->entry(QStringLiteral("R5"))->trigger();
        QCOMPARE(w.viewSettings().lngDepthMode, 5);
        w.Tbar()->entry(QStringLiteral("R4"))->trigger();
        QCOMPARE(w.Lvw()->shownView(), 3);

        // M does nothing while there is no current item.
        program.state().AddItem(NewItem{QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, false}, QDateTime::currentDateTime());
        program.state().itmSelected = QPersistentModelIndex();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_M);
        QCOMPARE(program.state().lngItems, 1);
        w.hide();
    }
};

QTEST_MAIN(TestProgramWiring)
#include "tst_ProgramWiring.moc"
