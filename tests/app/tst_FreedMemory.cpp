#include "app/FreedMemory.h"
#include "draw/SimSunFont.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QtTest>

namespace {
// Kilobytes of the font files this process has resident, as the system counts them.
int fontFileKb()
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression mapping(QStringLiteral("^[0-9a-f]+-[0-9a-f]+ "));
    const QRegularExpression font(QStringLiteral("\\.(ttf|ttc|otf)$"), QRegularExpression::CaseInsensitiveOption);
    bool inFont = false;
    int kb = 0;
    for (const QByteArray &line : smaps.readAll().split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (mapping.match(text).hasMatch())
            inFont = font.match(text).hasMatch();
        else if (inFont && line.startsWith("Rss:"))
            kb += line.mid(4).trimmed().split(' ').first().toInt();
    }
    return kb;
}

QImage drawn(double pointSize)
{
    QImage image(240, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(simSunFont(pointSize));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("计时方案 PC1 结果"));
    return image;
}
} // namespace

class TestFreedMemory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fontPagesGoBackAndTextStillDraws()
    {
#ifndef Q_OS_LINUX
        QSKIP("the pages a process has resident are read from /proc");
#endif
        const QImage blank = [] { QImage i(240, 40, QImage::Format_RGB32); i.fill(Qt::white); return i; }();
        QVERIFY(drawn(12) != blank);
        QVERIFY(fontFileKb() > 0);
        returnFreedMemory();
        QCOMPARE(fontFileKb(), 0);
        // A size not drawn before reads its glyphs from the files again.
        QVERIFY(drawn(17) != blank);
        QVERIFY(fontFileKb() > 0);
    }
};

QTEST_MAIN(TestFreedMemory)
#include "tst_FreedMemory.moc"
