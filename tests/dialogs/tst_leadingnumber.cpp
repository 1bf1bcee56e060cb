// The minutes an operator types before an item is added: the number the text begins with.

#include "dialogs/LeadingNumber.h"

#include <QTest>

class TestLeadingNumber : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
};

void TestLeadingNumber::reads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
    QTest::newRow("chinese unit after") << QStringLiteral("12.5分") << 12.5;
    QTest::newRow("blank inside") << QStringLiteral("1 2") << 12.0;
    QTest::newRow("tab and line feed inside") << QStringLiteral("\t1\n2 .5") << 12.5;
    QTest::newRow("negative accepted") << QStringLiteral("-5") << -5.0;
    QTest::newRow("plus sign") << QStringLiteral("+7") << 7.0;
    QTest::newRow("two signs") << QStringLiteral("--5") << 0.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("trailing point") << QStringLiteral("5.") << 5.0;
    QTest::newRow("second point stops") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("comma stops") << QStringLiteral("1,5") << 1.0;
    QTest::newRow("exponent") << QStringLiteral("1.5e2") << 150.0;
    QTest::newRow("negative exponent") << QStringLiteral("25E-1x") << 2.5;
    QTest::newRow("exponent without digits") << QStringLiteral("3e") << 3.0;
    QTest::newRow("exponent sign without digits") << QStringLiteral("3e+") << 3.0;
    QTest::newRow("letters first") << QStringLiteral("x12") << 0.0;
    QTest::newRow("full-width digits are not digits") << QStringLiteral("１２") << 0.0;
    QTest::newRow("too large") << QStringLiteral("1e999") << 0.0;
    QTest::newRow("too large negative") << QStringLiteral("-1e999") << 0.0;
    QTest::newRow("too many digits") << QString(400, u'9') << 0.0;
    QTest::newRow("too small") << QStringLiteral("1e-999") << 0.0;
}

void TestLeadingNumber::reads()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(leadingNumber(text), expected);
}

QTEST_GUILESS_MAIN(TestLeadingNumber)
#include "tst_leadingnumber.moc"
