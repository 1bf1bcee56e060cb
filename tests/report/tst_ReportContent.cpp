#include "report/ReportContent.h"

#include <QStandardItemModel>
#include <QtTest>

Q_DECLARE_METATYPE(QList<ReportContent::Pair>)

namespace {

QList<ReportContent::Pair> expectPairs(std::initializer_list<std::pair<const char16_t *, const char16_t *>> items)
{
    QList<ReportContent::Pair> out;
    for (const auto &[label, value] : items)
        out.append({QString::fromUtf16(label), QString::fromUtf16(value)});
    return out;
}

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}
} // namespace

class TestReportContent : public QObject {
    Q_OBJECT
    const QLocale m_zh {QLocale::Chinese, QLocale::China};

private Q_SLOTS:
    void displayText_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("time of day, long format") << QVariant(QTime(9, 5, 7)) << QStringLiteral("09:05:07");
        QTest::newRow("empty time") << QVariant(QTime()) << QString();
        QTest::newRow("date") << QVariant(QDate(2026, 12, 7)) << QStringLiteral("2026/12/7");
        QTest::newRow("whole minutes") << QVariant(15.0) << QStringLiteral("15");
        QTest::newRow("fraction") << QVariant(7.5) << QStringLiteral("7.5");
        QTest::newRow("no grouping") << QVariant(1234567.25) << QStringLiteral("1234567.25");
        QTest::newRow("count") << QVariant(qint32(3)) << QStringLiteral("3");
        QTest::newRow("text as it is") << QVariant(s(u"截止至:14:05(仍在计时...)")) << s(u"截止至:14:05(仍在计时...)");
    }
    void displayText()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QCOMPARE(ReportContent::displayText(value, m_zh), text);
    }

    void pairs_data()
    {
        QTest::addColumn<QVariantList>("block");
        QTest::addColumn<QList<ReportContent::Pair>>("expected");
        QTest::newRow("item, first block") << QVariantList({s(u"名称:"), s(u"PC1"), s(u"状态:"), s(u"已结束计时")})
                                           << expectPairs({{u"名称:", u"PC1"}, {u"状态:", u"已结束计时"}});
        QTest::newRow("item, running state keeps its colons")
            << QVariantList({s(u"状态:"), s(u"截止至:14:05(仍在计时...)")})
            << expectPairs({{u"状态:", u"截止至:14:05(仍在计时...)"}});
        QTest::newRow("item, second block splits joined texts")
            << QVariantList({s(u"计时次数:3"), s(u"合计耗时:51"), s(u"结果:"), s(u"4.25")})
            << expectPairs({{u"计时次数:", u"3"}, {u"合计耗时:", u"51"}, {u"结果:", u"4.25"}});
        QTest::newRow("empty value") << QVariantList({s(u"名称:"), s(u"PC1"), s(u"结果:"), QString()})
                                     << expectPairs({{u"名称:", u"PC1"}, {u"结果:", u""}});
        QTest::newRow("all items, label without colon takes a number")
            << QVariantList({s(u"当前数量:"), 2, s(u"累计数量"), 3})
            << expectPairs({{u"当前数量:", u"2"}, {u"累计数量", u"3"}});
        QTest::newRow("date") << QVariantList({s(u"日期:"), QDate(2026, 12, 7)})
                              << expectPairs({{u"日期:", u"2026/12/7"}});
        QTest::newRow("label at the end") << QVariantList({s(u"结果:")}) << expectPairs({{u"", u"结果:"}});
        QTest::newRow("lone number") << QVariantList({7.5}) << expectPairs({{u"", u"7.5"}});
    }
    void pairs()
    {
        QFETCH(QVariantList, block);
        QFETCH(QList<ReportContent::Pair>, expected);
        QCOMPARE(ReportContent::pairs(block, m_zh), expected);
    }

    void cellsFillRowsByHeadings()
    {
        ReportContent c;
        c.setTable({s(u"开始时间"), s(u"结束时间"), s(u"时间")},
                   {QTime(9, 0, 0), QTime(9, 30, 0), 30.0, s(u"13:50:20"), s(u"14:05")}, m_zh);
        QCOMPARE(c.headings, (QStringList {s(u"开始时间"), s(u"结束时间"), s(u"时间")}));
        QCOMPARE(c.rows.size(), 2);
        QCOMPARE(c.rows[0][2].text, QStringLiteral("30"));
        QVERIFY(c.rows[0][2].numeric);
        QVERIFY(!c.rows[0][0].numeric);
        QCOMPARE(c.rows[1].size(), 3); // a short last row is padded, not dropped
        QCOMPARE(c.rows[1][0].text, QStringLiteral("13:50:20"));
        QVERIFY(c.rows[1][2].text.isEmpty());

        c.setTable({}, {1, 2}, m_zh); // no headings: one cell per row
        QCOMPARE(c.rows.size(), 2);
    }

    void modelIsCopiedAsItStands()
    {
        QStandardItemModel model(1, 3);
        model.setHorizontalHeaderLabels({s(u"项名称"), s(u"结果"), s(u"计时方案")});
        model.setItem(0, 0, new QStandardItem(QStringLiteral("PC1")));
        model.setItem(0, 1, new QStandardItem(QStringLiteral("7.5")));
        model.setItem(0, 2, new QStandardItem(QStringLiteral("5*C/60")));
        ReportDocument d;
        d.setTable(model);
        model.item(0, 0)->setText(QStringLiteral("changed"));
        const ReportContent c = ReportContent::from(d, m_zh);
        QCOMPARE(c.headings, (QStringList {s(u"项名称"), s(u"结果"), s(u"计时方案")}));
        QCOMPARE(c.rows[0][0].text, QStringLiteral("PC1"));
        QVERIFY(c.rows[0][1].numeric);
        QVERIFY(!c.rows[0][2].numeric);
    }
};

QTEST_GUILESS_MAIN(TestReportContent)
#include "tst_ReportContent.moc"
