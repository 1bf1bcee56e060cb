#include "timing/OrderedList.h"

#include <QtTest>

class TestOrderedList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void positionsAreOneBased()
    {
        OrderedList<int> l;
        QVERIFY(l.Add(10));
        QVERIFY(l.Add(20));
        QCOMPARE(l.Count(), 2);
        QCOMPARE(l.Item(1), 10);
        QCOMPARE(l.Item(2), 20);
        QVERIFY(!l.IsValid(0));
        QVERIFY(!l.IsValid(3));
        QCOMPARE(l.Value(3, -1), -1);
        QVERIFY(!l.Remove(0));
        QVERIFY(!l.Remove(3));
        QCOMPARE(l.Count(), 2);
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
        QVERIFY(l.Add(first, first));
        QCOMPARE(l.Add(second, second), !collide);
        QCOMPARE(l.Count(), collide ? 1 : 2);
        QCOMPARE(l.Item(1), first);
    }

    void removingFreesTheKeyAndKeepsOrder()
    {
        OrderedList<QString> l;
        for (const char *n : {"a", "b", "c"})
            l.Add(QString::fromLatin1(n), QString::fromLatin1(n));
        QVERIFY(l.Remove(2));
        QCOMPARE(l.Item(2), QStringLiteral("c"));
        QVERIFY(l.Add(QStringLiteral("B"), QStringLiteral("B")));
        QCOMPARE(l.IndexOfKey(QStringLiteral("b")), 3);
        QVERIFY(l.RemoveKey(QStringLiteral("A")));
        QCOMPARE(l.Item(1), QStringLiteral("c"));
        QVERIFY(!l.RemoveKey(QStringLiteral("zz")));
    }

    void replaceIsInsertAfterThenRemove()
    {
        OrderedList<int> l;
        l.Add(1);
        l.Add(2);
        l.Add(3);
        QVERIFY(l.Replace(2, 20));
        QCOMPARE(l.Count(), 3);
        QCOMPARE(l.Item(1), 1);
        QCOMPARE(l.Item(2), 20);
        QCOMPARE(l.Item(3), 3);
        QVERIFY(!l.Replace(4, 0));
        QVERIFY(l.InsertAfter(0, 0));
        QCOMPARE(l.Item(1), 0);
        QVERIFY(!l.InsertAfter(9, 0));
    }
};

QTEST_GUILESS_MAIN(TestOrderedList)
#include "tst_OrderedList.moc"
