#pragma once
// Two lists of items compared in all an operator or a report can see of them.

#include "timing/ModClock.h"

#include <QtTest>

inline void compareItems(const ModClock &a, const ModClock &b)
{
    QCOMPARE(a.lngItems, a.lvwMain.count());
    QCOMPARE(b.lngItems, a.lngItems);
    QCOMPARE(b.lngAdded, a.lngAdded);
    for (int i = 1; i <= a.lngItems; ++i) {
        for (int col = 0; col < ItemRowModel::ColumnCount; ++col)
            QCOMPARE(b.lvwMain.text(i, col), a.lvwMain.text(i, col));
        QCOMPARE(b.lvwMain.image(i), a.lvwMain.image(i));
        QCOMPARE(b.lvwMain.tag(i), a.lvwMain.tag(i));
        QCOMPARE(b.cName.item(i), a.cName.item(i));
        QCOMPARE(b.cItemFangAn.item(i), a.cItemFangAn.item(i));
        QCOMPARE(b.cRunning.item(i), a.cRunning.item(i));
        QCOMPARE(b.cTotal.item(i), a.cTotal.item(i));
        QCOMPARE(b.cCount.item(i), a.cCount.item(i));
        QVERIFY(b.lvwMain.at(i).limit == a.lvwMain.at(i).limit);
        const QList<GoodsLine> &ga = a.lvwMain.at(i).goods, &gb = b.lvwMain.at(i).goods;
        QCOMPARE(gb.size(), ga.size());
        for (qsizetype k = 0; k < ga.size(); ++k)
            QVERIFY(gb[k].sameAs(ga[k]) && gb[k].quantity == ga[k].quantity);
        const clsSave &ra = a.cSave.item(i), &rb = b.cSave.item(i);
        QCOMPARE(rb.cStart.count(), ra.cStart.count());
        QCOMPARE(rb.cEnd.count(), ra.cEnd.count());
        QCOMPARE(rb.cTime.count(), ra.cTime.count());
        for (int k = 1; k <= ra.cStart.count(); ++k) {
            QCOMPARE(rb.cStart.item(k).toMSecsSinceEpoch(), ra.cStart.item(k).toMSecsSinceEpoch());
            QCOMPARE(rb.cStart.item(k).offsetFromUtc(), ra.cStart.item(k).offsetFromUtc());
        }
        for (int k = 1; k <= ra.cEnd.count(); ++k) {
            QCOMPARE(rb.cEnd.item(k).toMSecsSinceEpoch(), ra.cEnd.item(k).toMSecsSinceEpoch());
            QCOMPARE(rb.cTime.item(k), ra.cTime.item(k));
        }
    }
}
