#include "signstudio/render/fontcatalogue.h"
#include "signstudio/render/textlayout.h"
#include "tests/signstudio/render/tst_helpers.h"
#include "tests/signstudio/render/tst_suites.h"

#include <QFontMetrics>
#include <QTest>

using RenderTest::InkBox;
using RenderTest::Run;

namespace {

const QString kSong = QStringLiteral("宋体");

int width12(const QString &text)
{
    return QFontMetrics(FontCatalogue::CardFont(kSong, 12)).horizontalAdvance(text);
}

int height12()
{
    return QFontMetrics(FontCatalogue::CardFont(kSong, 12)).height();
}

// The image moved by (dx, dy) on black, same size.
QImage shifted(const QImage &image, int dx, int dy)
{
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(0xFF000000u);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int tx = x + dx, ty = y + dy;
            if (tx >= 0 && ty >= 0 && tx < out.width() && ty < out.height())
                out.setPixel(tx, ty, image.pixel(x, y));
        }
    }
    return out;
}

QString lines(int count, const QString &prefix = QStringLiteral("L"))
{
    QStringList runs;
    for (int i = 1; i <= count; ++i)
        runs.append(Run(prefix + QString::number(i), i));
    return runs.join(QLatin1Char('>'));
}

LayoutResult paged(const QString &text, bool multiLine, int H, int W, int verAlign = 0,
                   int rowSpan = 0, bool firstOnly = false)
{
    return LayoutRichText(text, multiLine, RichLayoutKind::Paged, firstOnly, 0, verAlign, rowSpan, H, W);
}

bool allBlack(const QImage &image)
{
    return InkBox(image).isNull();
}

} // namespace

void TestRichLayout::emptyGivesNoPages_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::newRow("empty text") << QString() << 64 << 16;
    QTest::newRow("no valid run") << QStringLiteral("just words") << 64 << 16;
    QTest::newRow("zero width") << Run("A", 1) << 0 << 16;
    QTest::newRow("zero height") << Run("A", 1) << 64 << 0;
    QTest::newRow("negative size") << Run("A", 1) << -5 << 16;
}

void TestRichLayout::emptyGivesNoPages()
{
    QFETCH(QString, text);
    QFETCH(int, W);
    QFETCH(int, H);
    for (RichLayoutKind kind : {RichLayoutKind::Paged, RichLayoutKind::HorizontalStrip,
                                RichLayoutKind::MirroredStrip, RichLayoutKind::VerticalStrip}) {
        const LayoutResult r = LayoutRichText(text, true, kind, false, 0, 0, 0, H, W);
        QCOMPARE(r.Count(), 0);
        QVERIFY(!r.Overflow);
    }
}

void TestRichLayout::singleLineEditorLinesArePages()
{
    const QString text = Run("AB", 1) + ">" + Run("CD", 2) + ">" + Run("EF", 3);
    const LayoutResult r = paged(text, false, 32, 64);
    QCOMPARE(r.Count(), 3);
    const int h = height12();
    const int top = (32 - h) / 2;
    const QStringList texts{"AB", "CD", "EF"};
    for (int i = 0; i < 3; ++i) {
        const QImage &page = r.Pages.at(i);
        QCOMPARE(page.size(), QSize(64, 32));
        QCOMPARE(page.format(), QImage::Format_RGB32);
        QVERIFY(RenderTest::OnlyColours(page, qRgb(255, 0, 0)));
        const QRect ink = InkBox(page);
        QVERIFY2(!ink.isNull(), "page has text");
        // Vertically centred: the text cell is rows top .. top + h - 1.
        QVERIFY2(ink.top() >= top && ink.bottom() < top + h,
                 qPrintable(QStringLiteral("ink rows %1..%2").arg(ink.top()).arg(ink.bottom())));
        // Each page is the line laid out alone.
        const LayoutResult alone = paged(Run(texts.at(i), 1), false, 32, 64);
        QCOMPARE(alone.Count(), 1);
        QCOMPARE(page, alone.Pages.first());
    }
    QVERIFY(r.Pages.at(0) != r.Pages.at(1));
}

void TestRichLayout::heightRuleKeepsMatrixCells()
{
    // The 32*32 matrix is drawn at 23 points; this face measures 33 pixels
    // there, which the layout counts as 32.
    const QFont f = FontCatalogue::CardFont(kSong, 23);
    QCOMPARE(QFontMetrics(f).height(), 33);
    const QString two = Run("A", 1, 23) + ">" + Run("B", 2, 23);
    QCOMPARE(paged(two, true, 64, 64).Count(), 1);
    QCOMPARE(paged(two, true, 63, 64).Count(), 2);
}

void TestRichLayout::multiLineFit_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("rowSpan");
    QTest::addColumn<int>("pages");
    const int h = height12();
    QTest::newRow("2 lines end exactly at H") << 2 << 2 * h << 0 << 1;
    QTest::newRow("2 lines, one pixel more") << 2 << 2 * h - 1 << 0 << 2;
    QTest::newRow("2 lines with spacing, exact") << 2 << 2 * (h + 2) << 2 << 1;
    QTest::newRow("2 lines with spacing, one more") << 2 << 2 * (h + 2) - 1 << 2 << 2;
    QTest::newRow("3 lines, first two fill a page") << 3 << 2 * h << 0 << 2;
    QTest::newRow("3 lines, second does not fit") << 3 << 2 * h - 1 << 0 << 3;
    QTest::newRow("3 lines fit") << 3 << 3 * h << 0 << 1;
    QTest::newRow("line taller than region") << 1 << h - 4 << 0 << 1;
}

void TestRichLayout::multiLineFit()
{
    QFETCH(int, lineCount);
    QFETCH(int, H);
    QFETCH(int, rowSpan);
    QFETCH(int, pages);
    const LayoutResult r = paged(lines(lineCount), true, H, 64, 0, rowSpan);
    QCOMPARE(r.Count(), pages);
    for (const QImage &page : r.Pages)
        QVERIFY2(!allBlack(page), "no blank page");
    // With top alignment the first line of every page starts at row 0.
    const LayoutResult first = paged(Run("L1", 1), true, H, 64, 0, rowSpan);
    QCOMPARE(r.Pages.first().copy(0, 0, 64, qMin(H, height12())),
             first.Pages.first().copy(0, 0, 64, qMin(H, height12())));
}

void TestRichLayout::verAlignCentresWhatStays()
{
    const int h = height12();
    const int H = 2 * h - 1;
    for (int verAlign : {1, 2}) {
        const LayoutResult r = paged(lines(2), true, H, 64, verAlign);
        QCOMPARE(r.Count(), 2);
        // Each page looks like its line laid out alone with the same alignment.
        QCOMPARE(r.Pages.at(0), paged(Run("L1", 1), true, H, 64, verAlign).Pages.first());
        QCOMPARE(r.Pages.at(1), paged(Run("L2", 2), true, H, 64, verAlign).Pages.first());
        const int v = verAlign == 1 ? (H - h) / 2 : H - h;
        QCOMPARE(r.Pages.at(0), shifted(paged(Run("L1", 1), true, H, 64, 0).Pages.first(), 0, v));
    }
}

void TestRichLayout::alignment_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<bool>("multiLine");
    QTest::newRow("right, multi-line") << 1 << true;
    QTest::newRow("centre, multi-line") << 2 << true;
    QTest::newRow("right, single-line") << 1 << false;
    QTest::newRow("centre, single-line") << 2 << false;
}

void TestRichLayout::alignment()
{
    QFETCH(int, align);
    QFETCH(bool, multiLine);
    const int W = 64;
    const int w = width12(QStringLiteral("AB"));
    const QImage left = paged(Run("AB", 1, 12, "clRed", 0), multiLine, 16, W).Pages.first();
    const QImage aligned = paged(Run("AB", 1, 12, "clRed", align), multiLine, 16, W).Pages.first();
    const int offset = align == 1 ? W - w : (W - w) / 2;
    QCOMPARE(aligned, shifted(left, offset, 0));
}

void TestRichLayout::stripSplitsRun()
{
    const QString text = QStringLiteral("ABCDEFGHIJ");
    const int rw = width12(text);
    const int W = 64;
    QVERIFY(rw > W && rw < 2 * W);
    const LayoutResult strip = LayoutRichText(Run(text, 1), false, RichLayoutKind::HorizontalStrip,
                                              false, 0, 0, 0, 16, W);
    QCOMPARE(strip.Count(), 2);
    const QImage wide = paged(Run(text, 1), false, 16, 2 * W).Pages.first();
    QCOMPARE(strip.Pages.at(0), wide.copy(0, 0, W, 16));
    QCOMPARE(strip.Pages.at(1), wide.copy(W, 0, W, 16));
}

void TestRichLayout::stripRunEndingAtWidthStartsBlankPage()
{
    const int W = 2 * width12(QStringLiteral("ABCD"));
    const QString text = Run("ABCD", 1) + ">" + Run("EFGH", 1);
    const LayoutResult r = LayoutRichText(text, false, RichLayoutKind::HorizontalStrip, false, 0, 0,
                                          0, 16, W);
    QCOMPARE(r.Count(), 2);
    QVERIFY(!allBlack(r.Pages.at(0)));
    QVERIFY(allBlack(r.Pages.at(1)));
    // One pixel wider and everything stays on one page.
    QCOMPARE(LayoutRichText(text, false, RichLayoutKind::HorizontalStrip, false, 0, 0, 0, 16, W + 1)
                 .Count(),
             1);
}

void TestRichLayout::stripRunWiderThanPages()
{
    const QString text = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const int rw = width12(text);
    const int W = 48;
    const int pages = rw / W + 1;
    const LayoutResult strip = LayoutRichText(Run(text, 1), false, RichLayoutKind::HorizontalStrip,
                                              false, 0, 0, 0, 16, W);
    QCOMPARE(strip.Count(), pages);
    const QImage wide = paged(Run(text, 1), false, 16, pages * W).Pages.first();
    for (int i = 0; i < pages; ++i)
        QCOMPARE(strip.Pages.at(i), wide.copy(i * W, 0, W, 16));
}

void TestRichLayout::mirroredStrip()
{
    const int W = 64;
    const int rw = width12(QStringLiteral("AB"));
    const LayoutResult r = LayoutRichText(Run("AB", 1), false, RichLayoutKind::MirroredStrip, false,
                                          0, 0, 0, 16, W);
    QCOMPARE(r.Count(), 1);
    QCOMPARE(r.Pages.first(), shifted(paged(Run("AB", 1), false, 16, W).Pages.first(), W - rw, 0));
}

void TestRichLayout::verticalStrip()
{
    const int h = height12();
    const LayoutResult r = LayoutRichText(lines(3), true, RichLayoutKind::VerticalStrip, false, 0, 0,
                                          0, 2 * h, 64);
    QCOMPARE(r.Count(), 2);
    const LayoutResult two = paged(lines(2), true, 2 * h, 64);
    QCOMPARE(r.Pages.at(0), two.Pages.first());
    // The third line comes on the next page at the top.
    QCOMPARE(r.Pages.at(1), paged(Run("L3", 1), true, 2 * h, 64).Pages.first());
}

void TestRichLayout::firstOnly()
{
    const QString text = Run("AB", 1) + ">" + Run("CD", 2) + ">" + Run("EF", 3);
    const LayoutResult all = paged(text, false, 32, 64);
    const LayoutResult first = paged(text, false, 32, 64, 0, 0, true);
    QCOMPARE(first.Count(), 1);
    QCOMPARE(first.Pages.first(), all.Pages.first());
    const LayoutResult strip = LayoutRichText(Run("ABCDEFGHIJKLMNOP", 1), false,
                                              RichLayoutKind::HorizontalStrip, true, 0, 0, 0, 16, 32);
    QCOMPARE(strip.Count(), 1);
}

void TestRichLayout::pageLimit()
{
    auto manyLines = [](int count) {
        QString text;
        for (int i = 1; i <= count; ++i) {
            if (i > 1)
                text += QLatin1Char('>');
            text += Run("A", i);
        }
        return text;
    };
    const LayoutResult fits = paged(manyLines(MaxLayoutPages), false, 16, 8);
    QCOMPARE(fits.Count(), MaxLayoutPages);
    QVERIFY(!fits.Overflow);
    const LayoutResult over = paged(manyLines(MaxLayoutPages + 1), false, 16, 8);
    QCOMPARE(over.Count(), MaxLayoutPages);
    QVERIFY(over.Overflow);
}

void TestRichLayout::yAxisPosShifts()
{
    for (bool multiLine : {false, true}) {
        const QImage base = LayoutRichText(Run("AB", 1), multiLine, RichLayoutKind::Paged, false, 0,
                                           0, 0, 32, 64).Pages.first();
        for (int dy : {-3, 2}) {
            const QImage moved = LayoutRichText(Run("AB", 1), multiLine, RichLayoutKind::Paged,
                                                false, dy, 0, 0, 32, 64).Pages.first();
            QCOMPARE(moved, shifted(base, 0, dy));
        }
    }
}

void TestRichLayout::layoutChoice_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("stay");
    QTest::addColumn<bool>("rich");
    QTest::addColumn<bool>("multiLine");
    QTest::addColumn<int>("richKind");
    QTest::addColumn<int>("plainKind");
    const int P = int(RichLayoutKind::Paged), HS = int(RichLayoutKind::HorizontalStrip),
              MS = int(RichLayoutKind::MirroredStrip), VS = int(RichLayoutKind::VerticalStrip);
    const int pP = int(PlainLayoutKind::Paged), pC = int(PlainLayoutKind::CentredLine),
              pH = int(PlainLayoutKind::HorizontalStrip), pV = int(PlainLayoutKind::VerticalStrip);
    QTest::newRow("single, move left, no stop") << 0 << 1 << 0 << true << false << HS << pP;
    QTest::newRow("single, move left, stays") << 0 << 1 << 1 << true << false << P << pP;
    QTest::newRow("single, move right") << 0 << 2 << 0 << true << false << MS << pP;
    QTest::newRow("single, move up") << 0 << 3 << 0 << true << false << P << pP;
    QTest::newRow("multi, move up") << 1 << 3 << 0 << true << true << VS << pP;
    QTest::newRow("multi, move left") << 1 << 1 << 0 << true << true << P << pP;
    QTest::newRow("inner, move left") << 9 << 1 << 0 << false << false << P << pH;
    QTest::newRow("inner, move up") << 9 << 3 << 0 << false << false << P << pV;
    QTest::newRow("inner, static") << 9 << 1 << 255 << false << false << P << pP;
    QTest::newRow("time") << 4 << 1 << 0 << false << false << P << pC;
    QTest::newRow("count-down") << 8 << 0 << 1 << false << false << P << pC;
    QTest::newRow("real-time data") << 10 << 1 << 0 << false << false << P << pC;
}

void TestRichLayout::layoutChoice()
{
    QFETCH(int, kind);
    QFETCH(int, mode);
    QFETCH(int, stay);
    QFETCH(bool, rich);
    QFETCH(bool, multiLine);
    QFETCH(int, richKind);
    QFETCH(int, plainKind);
    const LayoutChoice c = ChooseLayout(kind, mode, stay);
    QCOMPARE(c.Rich, rich);
    if (rich) {
        QCOMPARE(c.MultiLine, multiLine);
        QCOMPARE(int(c.RichKind), richKind);
    } else {
        QCOMPARE(int(c.PlainKind), plainKind);
    }
}

void TestRichLayout::renderToImage()
{
    const QString text = Run("AB", 1) + ">" + Run("CD", 2);
    QCOMPARE(RenderToImage(64, 32, text, 0, 0, 0, 0, 0), paged(text, false, 32, 64).Pages.first());
    QCOMPARE(RenderToImage(64, 32, text, 1, 0, 1, 0, 0),
             paged(text, true, 32, 64, 1).Pages.first());
    const QString plain = QStringLiteral("clGreen^宋体^12^12:30");
    QCOMPARE(RenderToImage(64, 32, plain, 2, 0, 0, 0, 0),
             LayoutPlainText(plain, 64, 32, true, PlainLayoutKind::CentredLine).Pages.first());
    QVERIFY(RenderToImage(64, 32, QString(), 0, 0, 0, 0, 0).isNull());
    QVERIFY(RenderToImage(0, 32, text, 0, 0, 0, 0, 0).isNull());
    // A fresh material's caption: red text at the top left.
    const QImage caption = RenderToImage(64, 32, QStringLiteral("Text1"), 99, 0, 0, 0, 0);
    QCOMPARE(caption.size(), QSize(64, 32));
    QVERIFY(RenderTest::OnlyColours(caption, qRgb(255, 0, 0)));
    const QRect ink = InkBox(caption);
    QVERIFY(!ink.isNull() && ink.left() < 4 && ink.top() < 8);
}
