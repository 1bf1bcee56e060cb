#include "timing/OrderedList.h"

#include <QtTest>

class TestOrderedList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void positionsAreOneBased()
    {
        OrderedList<int> l;
        QVERIFY(l.add(10));
        QVERIFY(l.add(20));
        QCOMPARE(l.count(), 2);
        QCOMPARE(l.item(1), 10);
        QCOMPARE(l.item(2), 20);
        QVERIFY(!l.isValid(0));
        QVERIFY(!l.isValid(3));
        QCOMPARE(l.value(3, -1), -1);
        QVERIFY(!l.remove(0));
        QVERIFY(!l.remove(3));
        QCOMPARE(l.count(), 2);
    }

    void keysCollideIgnoringCaseAndFailedAddChangesNothing_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("collide");
        QTest::newRow("ascii case") << "PC1"
                                    << "pc1" << true;
        QTest::newRow("trailing blank differs") << "PC1"
                                                << "PC1 " << false;
        QTest::newRow("unicode folding") << QStringLiteral("STRASSE") << QStringLiteral("straße") << false;
        QTest::newRow("greek sigma") << QStringLiteral("ΣΑΣ") << QStringLiteral("σας") << true;
        QTest::newRow("fullwidth") << QStringLiteral("Ａ1") << QStringLiteral("ａ1") << true;
        QTest::newRow("chinese") << QStringLiteral("一号机") << QStringLiteral("一号机") << true;
    }
    void keysCollideIgnoringCaseAndFailedAddChangesNothing()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, collide);
        OrderedList<QString> l;
        QVERIFY(l.add(first, first));
        QCOMPARE(l.add(second, second), !collide);
        QCOMPARE(l.count(), collide ? 1 : 2);
        QCOMPARE(l.item(1), first);
    }

    void removingFreesTheKeyAndKeepsOrder()
    {
        OrderedList<QString> l;
        for (const char *n : {"a", "b", "c"})
            l.add(QString::fromLatin1(n), QString::fromLatin1(n));
        QVERIFY(l.remove(2));
        QCOMPARE(l.item(2), QStringLiteral("c"));
        QVERIFY(l.add(QStringLiteral("B"), QStringLiteral("B")));
        QCOMPARE(l.indexOfKey(QStringLiteral("b")), 3);
        QVERIFY(l.removeKey(QStringLiteral("A")));
        QCOMPARE(l.item(1), QStringLiteral("c"));
        QVERIFY(!l.removeKey(QStringLiteral("zz")));
    }

    void replaceIsInsertAfterThenRemove()
    {
        OrderedList<int> l;
        l.add(1);
        l.add(2);
        l.add(3);
        QVERIFY(l.replace(2, 20));
        QCOMPARE(l.count(), 3);
        QCOMPARE(l.item(1), 1);
        QCOMPARE(l.item(2), 20);
        QCOMPARE(l.item(3), 3);
        QVERIFY(!l.replace(4, 0));
        QVERIFY(l.insertAfter(0, 0));
        QCOMPARE(l.item(1), 0);
        QVERIFY(!l.insertAfter(9, 0));
    }
};

QTEST_GUILESS_MAIN(TestOrderedList)
#include "tst_OrderedList.moc"
