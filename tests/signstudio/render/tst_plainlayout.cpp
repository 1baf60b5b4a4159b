#include "signstudio/render/fontcatalogue.h"
#include "signstudio/render/textlayout.h"
#include "tests/signstudio/render/tst_helpers.h"
#include "tests/signstudio/render/tst_suites.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTest>

using RenderTest::InkBox;

namespace {

QString plain(const QString &text, const QString &colour = QStringLiteral("clRed"), int size = 12)
{
    return colour + QStringLiteral("^宋体^") + QString::number(size) + QLatin1Char('^') + text;
}

int cellWidth()
{
    return QFontMetrics(FontCatalogue::CardFont(QStringLiteral("宋体"), 12)).horizontalAdvance(QLatin1Char('A'));
}

int cellHeight()
{
    return LayoutCharHeight(QFontMetrics(FontCatalogue::CardFont(QStringLiteral("宋体"), 12)).height());
}

} // namespace

void TestPlainLayout::centredLine_data()
{
    QTest::addColumn<int>("H");
    QTest::newRow("region as high as the text") << cellHeight();
    QTest::newRow("region twice as high") << 2 * cellHeight();
    QTest::newRow("odd height") << 2 * cellHeight() + 3;
}

void TestPlainLayout::centredLine()
{
    QFETCH(int, H);
    const int m = cellHeight();
    const QString text = plain(QStringLiteral("09:05"));
    const LayoutResult r = LayoutPlainText(text, 96, H, false, PlainLayoutKind::CentredLine);
    QCOMPARE(r.Count(), 1);
    const LayoutResult tight = LayoutPlainText(text, 96, m, false, PlainLayoutKind::CentredLine);
    QImage expected(96, H, QImage::Format_RGB32);
    expected.fill(0xFF000000u);
    QPainter(&expected).drawImage(0, (H - m) / 2, tight.Pages.first());
    QCOMPARE(r.Pages.first(), expected);
    QVERIFY(!InkBox(r.Pages.first()).isNull());
}

void TestPlainLayout::tooTallGivesNoPages()
{
    const int m = cellHeight();
    QCOMPARE(LayoutPlainText(plain("12"), 64, m - 1, false, PlainLayoutKind::CentredLine).Count(), 0);
    QCOMPARE(LayoutPlainText(plain("12"), 64, m - 1, false, PlainLayoutKind::Paged).Count(), 0);
    QCOMPARE(LayoutPlainText(QString(), 64, 32, false, PlainLayoutKind::Paged).Count(), 0);
    QCOMPARE(LayoutPlainText(plain("12"), 0, 32, false, PlainLayoutKind::Paged).Count(), 0);
}

void TestPlainLayout::pagedWraps_data()
{
    QTest::addColumn<int>("chars");
    QTest::addColumn<int>("pages");
    // Two characters per line, two lines per page.
    QTest::newRow("4 fill one page") << 4 << 1;
    QTest::newRow("5 start a second page") << 5 << 2;
    QTest::newRow("8 fill two pages") << 8 << 2;
    QTest::newRow("9 need three") << 9 << 3;
}

void TestPlainLayout::pagedWraps()
{
    QFETCH(int, chars);
    QFETCH(int, pages);
    const int W = 2 * cellWidth();
    const int H = 2 * cellHeight();
    const LayoutResult r = LayoutPlainText(plain(QString(chars, QLatin1Char('A'))), W, H, false,
                                           PlainLayoutKind::Paged);
    QCOMPARE(r.Count(), pages);
    // A horizontal strip in a region two characters high is laid out paged.
    const LayoutResult strip = LayoutPlainText(plain(QString(chars, QLatin1Char('A'))), W, H, false,
                                               PlainLayoutKind::HorizontalStrip);
    QCOMPARE(strip.Pages, r.Pages);
    // The first page holds two lines of two characters.
    const QRect ink = InkBox(r.Pages.first());
    QVERIFY(ink.bottom() >= cellHeight() || chars <= 2);
    const QImage firstOnly = LayoutPlainText(plain(QString(chars, QLatin1Char('A'))), W, H, true,
                                             PlainLayoutKind::Paged).Pages.first();
    QCOMPARE(firstOnly, r.Pages.first());
}

void TestPlainLayout::lowRegionKeepsStrip()
{
    const int cw = cellWidth();
    const int W = 2 * cw + cw / 2;
    const QString text = plain(QStringLiteral("AAAAA"));
    const LayoutResult strip = LayoutPlainText(text, W, cellHeight(), false,
                                               PlainLayoutKind::HorizontalStrip);
    QVERIFY(strip.Count() >= 2);
    // The third character crosses the edge: its left half stays on page 0.
    QVERIFY(InkBox(strip.Pages.first()).right() >= 2 * cw);
    const LayoutResult paged = LayoutPlainText(text, W, cellHeight(), false, PlainLayoutKind::Paged);
    QVERIFY(InkBox(paged.Pages.first()).right() < 2 * cw);
}

void TestPlainLayout::coloursPerRun()
{
    const QString text = plain("1", "clRed") + ">" + plain("2", "clGreen") + ">" + plain("3", "clNoSuch");
    const QImage page = LayoutPlainText(text, 64, 16, false, PlainLayoutKind::CentredLine).Pages.first();
    int firstRed = 999, firstGreen = 999, lastGreen = -1, lastRed = -1;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb p = page.pixel(x, y) & 0xFFFFFF;
            if (p == 0xFF0000) {
                firstRed = qMin(firstRed, x);
                lastRed = qMax(lastRed, x);
            } else if (p == 0x008000) {
                firstGreen = qMin(firstGreen, x);
                lastGreen = qMax(lastGreen, x);
            } else {
                QVERIFY2(p == 0, "only the run colours and black");
            }
        }
    }
    QVERIFY(firstRed < firstGreen);
    // The unknown colour name is drawn red, after the green digit.
    QVERIFY(lastRed > lastGreen);
}
