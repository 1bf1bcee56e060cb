#include "app/ListGeometry.h"

#include <QtTest>

class TestListGeometry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placesTheListAsDesigned()
    {
        const ListGeometry g = ListGeometry::compute(420, 300, 9480, 6795);
        QCOMPARE(g.top, 520);
        QCOMPARE(g.left, 100);
        QCOMPARE(g.width.value(), 9180);
        QCOMPARE(g.height.value(), 5775);
    }

    void tooSmallKeepsThatDimension()
    {
        const ListGeometry g = ListGeometry::compute(420, 300, 200, 6795);
        QVERIFY(!g.width.has_value());
        QVERIFY(g.height.has_value());
        const ListGeometry h = ListGeometry::compute(420, 300, 9480, 900);
        QVERIFY(h.width.has_value());
        QVERIFY(!h.height.has_value());
    }
};

QTEST_GUILESS_MAIN(TestListGeometry)
#include "tst_ListGeometry.moc"
