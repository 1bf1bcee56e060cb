// Checks the conversion between stored colour numbers (red in the low byte) and QColor.

#include "draw/ColorValue.h"

#include <QTest>

class TestColorValue : public QObject {
    Q_OBJECT

private slots:
    void conversion_data();
    void conversion();
    void highByteIsIgnored();
};

void TestColorValue::conversion_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("black") << ColorValue::black << QColor(0, 0, 0);
    QTest::newRow("red is the low byte") << qint32(255) << QColor(255, 0, 0);
    QTest::newRow("green the middle") << qint32(0x00FF00) << QColor(0, 255, 0);
    QTest::newRow("blue the high") << qint32(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("dark grey") << ColorValue::darkGrey << QColor(128, 128, 128);
    QTest::newRow("light grey") << ColorValue::lightGrey << QColor(192, 192, 192);
    QTest::newRow("white") << ColorValue::white << QColor(255, 255, 255);
    QTest::newRow("mixed") << qint32(0x123456) << QColor(0x56, 0x34, 0x12);
}

void TestColorValue::conversion()
{
    QFETCH(qint32, value);
    QFETCH(QColor, colour);
    QCOMPARE(ColorValue::toColor(value), colour);
    QCOMPARE(ColorValue::fromColor(colour), value);
}

void TestColorValue::highByteIsIgnored()
{
    QCOMPARE(ColorValue::toColor(qint32(0x80000000u | 0x0000FF)), QColor(255, 0, 0));
    QCOMPARE(ColorValue::toColor(-1), QColor(255, 255, 255));
    QCOMPARE(ColorValue::fromColor(QColor(10, 20, 30, 0)), qint32(10 + 20 * 256 + 30 * 65536));
}

QTEST_MAIN(TestColorValue)
#include "tst_colorvalue.moc"
