#include "tests/virtualcard/tst_suites.h"

#include "virtualcard/planeunpacker.h"

#include "signstudio/render/packpixels.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Components of a pixel as the card can show them with `planes` planes.
QRgb Visible(QRgb c, int planes)
{
    return qRgb(qRed(c) > 0x50 ? 255 : 0, planes >= 2 && qGreen(c) > 0x50 ? 255 : 0,
                planes >= 3 && qBlue(c) > 0x50 ? 255 : 0);
}

} // namespace

void TestPlaneUnpacker::handTables_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("planes");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<int>>("xs");
    QTest::addColumn<QList<int>>("ys");
    QTest::addColumn<QList<QRgb>>("colours");

    const QRgb red = qRgb(255, 0, 0), black = qRgb(0, 0, 0), yellow = qRgb(255, 255, 0);
    QTest::newRow("pure red page, single colour")
        << 8 << 2 << 1 << QByteArray::fromHex("0000") << QList<int>{0, 7, 3} << QList<int>{0, 1, 1}
        << QList<QRgb>{red, red, red};
    QTest::newRow("black page")
        << 8 << 1 << 1 << QByteArray::fromHex("FF") << QList<int>{0, 7} << QList<int>{0, 0}
        << QList<QRgb>{black, black};
    QTest::newRow("dual colour, first pixel yellow")
        << 8 << 1 << 2 << QByteArray::fromHex("7F7F") << QList<int>{0, 1, 7} << QList<int>{0, 0, 0}
        << QList<QRgb>{yellow, black, black};
    QTest::newRow("full colour, red green blue white")
        << 8 << 1 << 3 << QByteArray::fromHex("6FAFCF") << QList<int>{0, 1, 2, 3, 4}
        << QList<int>{0, 0, 0, 0, 0}
        << QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255), black};
    // 10 x 2: byte 1 = row 0 pixels 0..7, byte 2 = row 0 pixels 8..9 and row 1
    // pixels 0..5; row 1 pixels 6..9 are not stored.
    QTest::newRow("10 x 2 runs across the row end")
        << 10 << 2 << 1 << QByteArray::fromHex("0F7E")
        << QList<int>{0, 3, 4, 7, 8, 9, 0, 4, 5, 6, 9}
        << QList<int>{0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1}
        << QList<QRgb>{red, red, black, black, red, black, black, black, red, black, black};
}

void TestPlaneUnpacker::handTables()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, planes);
    QFETCH(QByteArray, bytes);
    QFETCH(QList<int>, xs);
    QFETCH(QList<int>, ys);
    QFETCH(QList<QRgb>, colours);
    QCOMPARE(PlaneUnpacker::PageBytes(width, height, planes), bytes.size());
    const QImage page = PlaneUnpacker::UnpackPage(bytes, 0, width, height, planes);
    QCOMPARE(page.size(), QSize(width, height));
    for (int i = 0; i < xs.size(); ++i)
        QCOMPARE(page.pixel(xs.at(i), ys.at(i)) & 0xFFFFFF, colours.at(i) & 0xFFFFFF);
}

void TestPlaneUnpacker::roundTrip_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("planes");
    for (int planes = 1; planes <= 3; ++planes) {
        QTest::addRow("64x16 planes %d", planes) << 64 << 16 << planes;
        QTest::addRow("10x2 planes %d", planes) << 10 << 2 << planes;
        QTest::addRow("13x7 planes %d", planes) << 13 << 7 << planes;
        QTest::addRow("1x9 planes %d", planes) << 1 << 9 << planes;
        QTest::addRow("200x3 planes %d", planes) << 200 << 3 << planes;
    }
}

// Whatever the renderer packs, the card unpacks to the same visible pixels.
void TestPlaneUnpacker::roundTrip()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, planes);
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator rng(quint32(width * 131 + height * 7 + planes));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(int(rng.bounded(256)), int(rng.bounded(256)), int(rng.bounded(256))));
    const QByteArray packed = PackPixels(image, planes);
    QCOMPARE(packed.size(), PlaneUnpacker::PageBytes(width, height, planes));
    const QImage back = PlaneUnpacker::UnpackPage(packed, 0, width, height, planes);
    const qsizetype stored = qsizetype(width) * height / 8 * 8;
    for (qsizetype i = 0; i < qsizetype(width) * height; ++i) {
        const int x = int(i % width), y = int(i / width);
        const QRgb want = i < stored ? Visible(image.pixel(x, y), planes) : qRgb(0, 0, 0);
        if ((back.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF))
            QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
    }
    // Packing what was unpacked gives the same bytes again.
    QCOMPARE(PackPixels(back, planes), packed);
}

void TestPlaneUnpacker::paddingComesBackDark()
{
    for (int planes = 1; planes <= 3; ++planes) {
        QImage picture(40, 16, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QByteArray packed = PackPixels(FitToRegion(picture, 64, 16), planes);
        const QList<QImage> pages = PlaneUnpacker::UnpackPages(packed + packed, 64, 16, planes, 2);
        QCOMPARE(pages.size(), 2);
        for (const QImage &page : pages) {
            QCOMPARE(page.pixel(39, 15) & 0xFFFFFF, Visible(qRgb(255, 255, 255), planes) & 0xFFFFFF);
            for (int x = 40; x < 64; ++x)
                QCOMPARE(page.pixel(x, 5) & 0xFFFFFF, 0u);
        }
    }
}

void TestPlaneUnpacker::shortDataLeavesRestDark()
{
    // Half a page: the first row is there, the rest stays dark, and a page
    // count larger than the data gives only the pages present.
    const QByteArray half(4, '\0');
    const QList<QImage> pages = PlaneUnpacker::UnpackPages(half, 32, 2, 1, 5);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.first().pixel(31, 0) & 0xFFFFFF, 0xFF0000u);
    QCOMPARE(pages.first().pixel(0, 1) & 0xFFFFFF, 0u);
}

void TestPlaneUnpacker::badSizes()
{
    QVERIFY(PlaneUnpacker::UnpackPage(QByteArray(8, 0), 0, 0, 8, 1).isNull());
    QVERIFY(PlaneUnpacker::UnpackPage(QByteArray(8, 0), 0, 8, 8, 4).isNull());
    QVERIFY(PlaneUnpacker::UnpackPage(QByteArray(8, 0), 0, 100000, 8, 1).isNull());
    QVERIFY(PlaneUnpacker::UnpackPages(QByteArray(8, 0), 8, 8, 1, -3).isEmpty());
    QCOMPARE(PlaneUnpacker::PageBytes(8, 8, 0), 0);
}
