#include "signstudio/render/packpixels.h"
#include "tests/signstudio/render/tst_suites.h"

#include <QTest>

namespace {

// An image of w x h in one colour with some pixels set to another.
QImage image(int w, int h, QRgb fill, const QList<QPoint> &lit = {}, QRgb litColour = qRgb(255, 0, 0))
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    for (const QPoint &p : lit)
        img.setPixel(p, litColour);
    return img;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

const QRgb kBlack = qRgb(0, 0, 0);

} // namespace

void TestPackPixels::pack_data()
{
    QTest::addColumn<QImage>("img");
    QTest::addColumn<int>("planes");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("red page, single colour") << image(16, 2, qRgb(255, 0, 0)) << 1 << QByteArray(4, '\0');
    QTest::newRow("black page, single colour") << image(16, 2, kBlack) << 1 << QByteArray(4, '\xFF');
    QTest::newRow("red page, full colour")
        << image(8, 1, qRgb(255, 0, 0)) << 3 << bytes({0x00, 0xFF, 0xFF});
    QTest::newRow("black page, full colour") << image(8, 2, kBlack) << 3 << QByteArray(6, '\xFF');
    QTest::newRow("yellow first pixel, dual colour")
        << image(8, 1, kBlack, {{0, 0}}, qRgb(255, 255, 0)) << 2 << bytes({0x7F, 0x7F});
    QTest::newRow("blue last pixel, full colour")
        << image(8, 1, kBlack, {{7, 0}}, qRgb(0, 0, 255)) << 3 << bytes({0xFF, 0xFF, 0xFE});
    QTest::newRow("green in dual colour lights green only")
        << image(8, 1, kBlack, {{1, 0}}, qRgb(0, 128, 0)) << 2 << bytes({0xFF, 0xBF});
    QTest::newRow("threshold 0x50 is dark")
        << image(8, 1, kBlack, {{0, 0}}, qRgb(0x50, 0x50, 0x50)) << 3 << bytes({0xFF, 0xFF, 0xFF});
    QTest::newRow("0x51 is lit")
        << image(8, 1, kBlack, {{0, 0}}, qRgb(0x51, 0x51, 0x51)) << 3 << bytes({0x7F, 0x7F, 0x7F});
    // 10 x 2: byte 1 = row 0 pixels 0..7, byte 2 = row 0 pixels 8..9 and
    // row 1 pixels 0..5; row 1 pixels 6..9 are not emitted.
    QTest::newRow("10 x 2 gives two bytes")
        << image(10, 2, kBlack, {{0, 0}, {9, 0}, {0, 1}, {5, 1}, {6, 1}, {9, 1}}) << 1
        << bytes({0x7F, 0x9E});
    QTest::newRow("second row of a 16-wide page")
        << image(16, 2, kBlack, {{8, 1}, {15, 1}}) << 1 << bytes({0xFF, 0xFF, 0xFF, 0x7E});
}

void TestPackPixels::pack()
{
    QFETCH(QImage, img);
    QFETCH(int, planes);
    QFETCH(QByteArray, expected);
    const QByteArray packed = PackPixels(img, planes);
    QCOMPARE(packed.toHex(' '), expected.toHex(' '));
    QCOMPARE(packed.size(), qsizetype(img.width()) * img.height() * planes / 8);
}

void TestPackPixels::unpaddedGroups()
{
    // 3 x 8 pixels, the diagonal of the 24 pixels lit in turn.
    for (int i = 0; i < 24; ++i) {
        const QImage img = image(3, 8, kBlack, {{i % 3, i / 3}});
        const QByteArray packed = PackPixels(img, 1);
        QCOMPARE(packed.size(), 3);
        for (int b = 0; b < 3; ++b) {
            const quint8 want = b == i / 8 ? quint8(~(0x80 >> (i % 8))) : 0xFF;
            QCOMPARE(quint8(packed.at(b)), want);
        }
    }
}

void TestPackPixels::formatsAgree()
{
    QImage img(37, 5, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb((x * 37) & 0xFF, (y * 91 + x) & 0xFF, (x * y * 13) & 0xFF));
    for (int planes = 1; planes <= 3; ++planes) {
        const QByteArray want = PackPixels(img, planes);
        QCOMPARE(PackPixels(img.convertToFormat(QImage::Format_RGB888), planes), want);
        QCOMPARE(PackPixels(img.convertToFormat(QImage::Format_ARGB32), planes), want);
        QCOMPARE(PackPixels(img.convertToFormat(QImage::Format_BGR888), planes), want);
    }
}

void TestPackPixels::fitToRegion_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QSize>("region");
    QTest::addColumn<int>("planes");
    QTest::addColumn<QByteArray>("expected");

    // 36 white columns in a 64-wide region: groups 0..3 lit, group 4 half
    // lit (pixels 32..35), groups 5..7 padding, in every plane.
    QByteArray row;
    for (int g = 0; g < 8; ++g) {
        const char v = g < 4 ? '\x00' : g == 4 ? '\x0F' : '\xFF';
        row.append(QByteArray(3, v));
    }
    QTest::newRow("narrow picture padded, full colour")
        << image(36, 1, qRgb(255, 255, 255)) << QSize(64, 1) << 3 << row;
    QTest::newRow("40 columns in 64, single colour")
        << image(40, 1, qRgb(255, 0, 0)) << QSize(64, 1) << 1 << bytes({0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF});
    QTest::newRow("wide picture cut at the right")
        << image(20, 1, qRgb(255, 0, 0), {{8, 0}}, kBlack) << QSize(16, 1) << 1 << bytes({0x00, 0x80});
    QTest::newRow("short picture padded at the bottom")
        << image(8, 1, qRgb(255, 0, 0)) << QSize(8, 3) << 1 << bytes({0x00, 0xFF, 0xFF});
    QTest::newRow("tall picture cut at the bottom")
        << image(8, 4, qRgb(255, 0, 0), {{0, 3}}, kBlack) << QSize(8, 2) << 1 << bytes({0x00, 0x00});
}

void TestPackPixels::fitToRegion()
{
    QFETCH(QImage, picture);
    QFETCH(QSize, region);
    QFETCH(int, planes);
    QFETCH(QByteArray, expected);
    const QImage fitted = FitToRegion(picture, region.width(), region.height());
    QCOMPARE(fitted.size(), region);
    QCOMPARE(PackPixels(fitted, planes).toHex(' '), expected.toHex(' '));
}

void TestPackPixels::badInput()
{
    QVERIFY(PackPixels(QImage(), 1).isEmpty());
    QVERIFY(PackPixels(image(8, 1, kBlack), 0).isEmpty());
    QVERIFY(PackPixels(image(8, 1, kBlack), 4).isEmpty());
    QVERIFY(FitToRegion(image(8, 1, kBlack), 0, 4).isNull());
    const QImage blank = FitToRegion(QImage(), 8, 2);
    QCOMPARE(PackPixels(blank, 1), QByteArray(2, '\xFF'));
    QCOMPARE(ColourPlanes(56), 1);
    QCOMPARE(ColourPlanes(57), 2);
    QCOMPARE(ColourPlanes(58), 3);
    // Fewer than 8 pixels make no group at all.
    QVERIFY(PackPixels(image(7, 1, kBlack), 3).isEmpty());
}
