// Checks the raised and engraved text effect on three labels: captions, colours, places, sizes,
// backgrounds and stacking.

#include "draw/Draw3DText.h"

#include <QLabel>
#include <QTest>

namespace {

const QPoint facePlace(60, 55);

struct Labels {
    QWidget parent;
    QLabel *face = new QLabel(QStringLiteral("欢迎使用Vantorel"), &parent);
    QLabel *shadow = new QLabel(&parent);
    QLabel *highlight = new QLabel(&parent);

    Labels()
    {
        parent.resize(378, 256);
        face->setGeometry(QRect(facePlace, QSize(286, 36)));
        shadow->setGeometry(5, 6, 10, 10);
        highlight->setGeometry(7, 8, 12, 12);
        shadow->setAutoFillBackground(true);
        highlight->setAutoFillBackground(true);
    }
};

QColor textColour(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestDraw3DText : public QObject {
    Q_OBJECT

private slots:
    void placesEchoes_data();
    void placesEchoes();
    void emptyTextKeepsFaceCaption();
    void givenTextGoesToAllThree();
    void colours();
    void echoesTakeFaceSizeAndTransparentBackground();
    void faceComesToTheFrontAndAllAreShown();
};

void TestDraw3DText::placesEchoes_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QPoint>("shadowPlace");
    QTest::addColumn<QPoint>("highlightPlace");

    QTest::newRow("raised") << 1 << 1 << QPoint(61, 56) << QPoint(59, 54);
    QTest::newRow("engraved") << 2 << 1 << QPoint(59, 54) << QPoint(61, 56);
    QTest::newRow("raised further") << 1 << 3 << QPoint(63, 58) << QPoint(57, 52);
    QTest::newRow("style 0 does not move") << 0 << 1 << QPoint(5, 6) << QPoint(7, 8);
    QTest::newRow("style 3 does not move") << 3 << 1 << QPoint(5, 6) << QPoint(7, 8);
}

void TestDraw3DText::placesEchoes()
{
    QFETCH(int, style);
    QFETCH(int, offset);
    Labels labels;
    Draw3DText(labels.face, labels.shadow, labels.highlight, QString(), qint16(style), 0xFF0000, qint16(offset));

    QCOMPARE(labels.face->pos(), facePlace);
    QTEST(labels.shadow->pos(), "shadowPlace");
    QTEST(labels.highlight->pos(), "highlightPlace");
}

void TestDraw3DText::emptyTextKeepsFaceCaption()
{
    Labels labels;
    Draw3DText(labels.face, labels.shadow, labels.highlight, QString(), 1, 0xFF0000, 1);
    for (const QLabel *label : {labels.face, labels.shadow, labels.highlight})
        QCOMPARE(label->text(), QStringLiteral("欢迎使用Vantorel"));
}

void TestDraw3DText::givenTextGoesToAllThree()
{
    Labels labels;
    Draw3DText(labels.face, labels.shadow, labels.highlight, QStringLiteral("Ver 1.04"), 1, 255, 1);
    for (const QLabel *label : {labels.face, labels.shadow, labels.highlight})
        QCOMPARE(label->text(), QStringLiteral("Ver 1.04"));
}

void TestDraw3DText::colours()
{
    Labels labels;
    Draw3DText(labels.face, labels.shadow, labels.highlight, QString(), 0, 0xFF0000, 1);
    QCOMPARE(textColour(labels.face), QColor(0, 0, 255));
    QCOMPARE(textColour(labels.shadow), QColor(128, 128, 128));
    QCOMPARE(textColour(labels.highlight), QColor(255, 255, 255));

    Draw3DText(labels.face, labels.shadow, labels.highlight, QString(), 0, 255, 1);
    QCOMPARE(textColour(labels.face), QColor(255, 0, 0));
}

void TestDraw3DText::echoesTakeFaceSizeAndTransparentBackground()
{
    Labels labels;
    labels.face->setAutoFillBackground(true);
    Draw3DText(labels.face, labels.shadow, labels.highlight, QString(), 1, 0xFF0000, 1);
    for (const QLabel *label : {labels.face, labels.shadow, labels.highlight}) {
        QCOMPARE(label->size(), QSize(286, 36));
        QVERIFY(!label->autoFillBackground());
    }
}

void TestDraw3DText::faceComesToTheFrontAndAllAreShown()
{
    Labels labels;
    labels.face->hide();
    labels.face->lower();
    labels.parent.show();
    Draw3DText(labels.face, labels.shadow, labels.highlight, QString(), 1, 0xFF0000, 1);

    QCOMPARE(labels.parent.children().last(), labels.face);
    QCOMPARE(labels.parent.childAt(facePlace + QPoint(100, 10)), labels.face);
    for (const QLabel *label : {labels.face, labels.shadow, labels.highlight})
        QVERIFY(label->isVisible());
}

QTEST_MAIN(TestDraw3DText)
#include "tst_draw3dtext.moc"
