// The goods on offer: a price is checked before it is kept, and the settings keep the list as typed.

#include "MemorySettingsStore.h"
#include "ScriptedPrompter.h"
#include "dialogs/GoodsListDialog.h"
#include "timing/GoodsStore.h"

#include <QtTest>

class TestGoodsDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aPriceIsANumberFromZeroUp_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<double>("taken"); // -1: refused, the dialog stays open
        QTest::newRow("yuan and jiao") << QStringLiteral("3.5") << 3.5;
        QTest::newRow("free") << QStringLiteral("0") << 0.0;
        QTest::newRow("rounded to the fen") << QStringLiteral("2.005") << 2.01;
        QTest::newRow("negative") << QStringLiteral("-1") << -1.0;
        QTest::newRow("words") << QStringLiteral("三块") << -1.0;
        QTest::newRow("missing") << QString() << -1.0;
    }
    void aPriceIsANumberFromZeroUp()
    {
        QFETCH(QString, price);
        QFETCH(double, taken);
        ScriptedPrompter prompter;
        GoodsListDialog dialog({}, prompter, nullptr);
        dialog.addRow(QStringLiteral("可乐"), price);
        dialog.addRow(); // an empty row is dropped
        static_cast<QDialog &>(dialog).accept();
        QCOMPARE(dialog.result() == QDialog::Accepted, taken >= 0);
        QCOMPARE(prompter.asked.size(), taken >= 0 ? 0 : 1);
        if (taken >= 0)
            QVERIFY(dialog.goods().size() == 1 && dialog.goods()[0].price == taken);
    }

    // A settings file that never held goods is left as it is; a shorter list leaves none behind.
    void goodsAreKeptInTheSettings()
    {
        MemorySettingsStore store;
        store.saveSetting(QStringLiteral("Vantorel"), QStringLiteral("SET"), QStringLiteral("Max"),
                          QStringLiteral("0"));
        const auto before = store.values;
        GoodsStore::save({}, store);
        QCOMPARE(store.values, before);
        GoodsStore::save({{QStringLiteral("可乐"), 3.5, 1}, {QStringLiteral("薯片"), 6, 1}}, store);
        const QList<GoodsLine> two = GoodsStore::load(store);
        QVERIFY(two.size() == 2 && two[0].price == 3.5 && two[1].name == QStringLiteral("薯片"));
        GoodsStore::save({{QStringLiteral("薯片"), 6, 1}}, store);
        QCOMPARE(GoodsStore::load(store).size(), 1);
        QCOMPARE(store.values.size(), before.size() + 3);
    }
};

QTEST_MAIN(TestGoodsDialogs)
#include "tst_goodsdialogs.moc"
