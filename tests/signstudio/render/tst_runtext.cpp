#include "signstudio/render/colourtable.h"
#include "signstudio/render/fontcatalogue.h"
#include "signstudio/render/fontvocabulary.h"
#include "signstudio/render/runtext.h"
#include "signstudio/render/textlayout.h"
#include "tests/signstudio/render/tst_suites.h"

#include <QFontInfo>
#include <QTest>

void TestRunText::richRuns_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QStringList>("texts");

    const QString head = QStringLiteral("clRed^宋体^12^0^0^0^0^0^1^");
    QTest::newRow("blank inside survives") << head + "a b  c" << QStringList{"a b  c"};
    QTest::newRow("tab gives six blanks") << head + "a\tb" << QStringList{"a      b"};
    QTest::newRow("line break before > dropped")
        << head + "ab\r\n>" + head + "cd" << QStringList{"ab", "cd"};
    QTest::newRow("run with nine fields ignored")
        << QStringLiteral("clRed^宋体^12^0^0^0^0^1^x>") + head + "y" << QStringList{"y"};
    QTest::newRow("fields after the tenth ignored") << head + "z^extra" << QStringList{"z"};
    QTest::newRow("empty text field") << head << QStringList{""};
    QTest::newRow("quoted text keeps ^") << head + "\"a^b\"" << QStringList{"a^b"};
    QTest::newRow("leading blanks skipped") << "  \r\n" + head + "k" << QStringList{"k"};
    QTest::newRow("no runs") << QStringLiteral("garbage") << QStringList{};
}

void TestRunText::richRuns()
{
    QFETCH(QString, content);
    QFETCH(QStringList, texts);
    QStringList got;
    for (const rContAttr &r : ParseRichRuns(content))
        got.append(r.Text);
    QCOMPARE(got, texts);
}

void TestRunText::richRunFields()
{
    const QList<rContAttr> runs = ParseRichRuns(
        QStringLiteral("clGreen^黑体^big^1^x^0^1^2^3^hi>clNoSuch^Arial^36^2^1^1^0^7^q^x"));
    QCOMPARE(runs.size(), 2);
    const rContAttr &a = runs.at(0);
    QCOMPARE(a.Colour, 0x008000u);
    QCOMPARE(a.ColourPlus, 0xFF008000u);
    QCOMPARE(a.FontName, QStringLiteral("黑体"));
    QCOMPARE(a.FontSize, 10);    // not a number
    QCOMPARE(a.Bold, 1);
    QCOMPARE(a.Italic, 0);       // not a number
    QCOMPARE(a.StrikeOut, 1);
    QCOMPARE(a.Alignment, 2);
    QCOMPARE(a.LineNo, 3);
    QCOMPARE(a.TextLen, 2);
    const rContAttr &b = runs.at(1);
    QCOMPARE(b.Bold, 0);         // only 1 is on
    QCOMPARE(b.Italic, 1);
    QCOMPARE(b.Alignment, 7);    // kept as read, drawn as left
    QCOMPARE(b.LineNo, 0);       // "q" reads as 0
    QCOMPARE(b.ColourPlus, 0xFFFF0000u); // unknown colour drawn red
}

void TestRunText::plainRuns_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("sizes");

    QTest::newRow("two runs") << QStringLiteral("clRed^宋体^12^09>clGreen^宋体^12^时")
                              << QStringList{"09", "时"} << QList<int>{12, 12};
    QTest::newRow("blank survives") << QStringLiteral("clRed^宋体^9^a b")
                                    << QStringList{"a b"} << QList<int>{9};
    QTest::newRow("size not a number") << QStringLiteral("clRed^宋体^x^a")
                                       << QStringList{"a"} << QList<int>{10};
    QTest::newRow("three fields ignored") << QStringLiteral("clRed^宋体^12>clRed^宋体^12^b")
                                          << QStringList{"b"} << QList<int>{12};
    QTest::newRow("empty run text") << QStringLiteral("clRed^宋体^12^>clRed^宋体^12^c")
                                    << QStringList{"", "c"} << QList<int>{12, 12};
}

void TestRunText::plainRuns()
{
    QFETCH(QString, content);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, sizes);
    QStringList gotTexts;
    QList<int> gotSizes;
    for (const rPlainContAttr &r : ParsePlainRuns(content)) {
        gotTexts.append(r.Text);
        gotSizes.append(r.FontSize);
    }
    QCOMPARE(gotTexts, texts);
    QCOMPARE(gotSizes, sizes);
}

void TestRunText::colourTable_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("gdi");
    QTest::addColumn<quint32>("gdiPlus");

    QTest::newRow("1") << 1 << "clRed" << 0x0000FFu << 0xFFFF0000u;
    QTest::newRow("2") << 2 << "clGreen" << 0x008000u << 0xFF008000u;
    QTest::newRow("3") << 3 << "clYellow" << 0x00FFFFu << 0xFFFFFF00u;
    QTest::newRow("4") << 4 << "clBlue" << 0xFF0000u << 0xFF0000FFu;
    QTest::newRow("5") << 5 << "clPurple" << 0x800080u << 0xFF800080u;
    QTest::newRow("6") << 6 << "clAqua" << 0xFFFF00u << 0xFF00FFFFu;
    QTest::newRow("7") << 7 << "clWhite" << 0xFFFFFFu << 0xFFFFFFFFu;
}

void TestRunText::colourTable()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(quint32, gdi);
    QFETCH(quint32, gdiPlus);
    QCOMPARE(ColourTable::NameByIndex(index), name);
    QCOMPARE(ColourTable::WriteName(index), name);
    QCOMPARE(ColourTable::IndexByName(name), index);
    QCOMPARE(ColourTable::GdiColour(index), gdi);
    QCOMPARE(ColourTable::GdiPlusColour(index), gdiPlus);
    // GDI 0x00BBGGRR and GDI+ 0xAARRGGBB name the same colour.
    QCOMPARE(ColourTable::ColourByName(name).rgb(), QRgb(gdiPlus));
    QCOMPARE(qRed(gdiPlus), int(gdi & 0xFF));
    QCOMPARE(qBlue(gdiPlus), int((gdi >> 16) & 0xFF));
}

void TestRunText::fontVocabulary()
{
    QCOMPARE(FontNameByIndex(1), QStringLiteral("宋体"));
    QCOMPARE(FontNameByIndex(2), QStringLiteral("楷体_GB2312"));
    QCOMPARE(FontNameByIndex(3), QStringLiteral("黑体"));
    QCOMPARE(FontNameByIndex(4), QStringLiteral("隶书"));
    QCOMPARE(FontNameByIndex(5), QStringLiteral("行书"));
    QCOMPARE(FontNameByIndex(0), QStringLiteral("宋体"));
    QCOMPARE(FontNameByIndex(6), QStringLiteral("宋体"));
    const QList<int> points{9, 12, 18, 23, 36, 48, 60, 72};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(PointSizeByMatrixIndex(i), points.at(i));
    QCOMPARE(PointSizeByMatrixIndex(3), 23);
    QCOMPARE(PointSizeByMatrixIndex(8, 15), 15);
    QCOMPARE(PointSizeByMatrixIndex(-1, 11), 11);
    QCOMPARE(ColourTable::NameByIndex(0), QString());
    QCOMPARE(ColourTable::WriteName(8), QStringLiteral("clRed"));
    QCOMPARE(ColourTable::IndexByName(QStringLiteral("clred")), 0);
}

void TestRunText::fontSizeItems_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("size");
    QTest::newRow("labelled") << "36[48*48]" << 36;
    QTest::newRow("plain") << "17" << 17;
    QTest::newRow("no number") << "big" << 9;
    QTest::newRow("empty") << "" << 9;
    QTest::newRow("label without number") << "[16*16]" << 9;
}

void TestRunText::fontSizeItems()
{
    QFETCH(QString, text);
    QFETCH(int, size);
    QCOMPARE(ParseFontSizeItem(text), size);

    const QStringList items = FontSizeItems();
    QCOMPARE(items.size(), 64);
    QCOMPARE(items.first(), QStringLiteral("9[12*12]"));
    QCOMPARE(items.at(1), QStringLiteral("10"));
    QCOMPARE(items.at(3), QStringLiteral("12[16*16]"));
    QCOMPARE(items.at(15), QStringLiteral("24[32*32]"));
    QCOMPARE(items.at(14), QStringLiteral("23"));
    QCOMPARE(items.last(), QStringLiteral("72[96*96]"));
    for (const QString &item : items)
        QCOMPARE(ShowFontSizeItem(ParseFontSizeItem(item)), item);
    QCOMPARE(ShowFontSizeItem(0), QStringLiteral("9"));
    QCOMPARE(ShowFontSizeItem(100), QStringLiteral("100"));
}

void TestRunText::styleFlags_data()
{
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<int>("style");
    QTest::newRow("none") << QList<int>{0, 0, 0, 0} << 0;
    QTest::newRow("all") << QList<int>{1, 1, 1, 1} << 15;
    QTest::newRow("bold italic") << QList<int>{1, 1, 0, 0} << (FontCatalogue::Bold | FontCatalogue::Italic);
    QTest::newRow("other values off") << QList<int>{2, -1, 1, 255} << int(FontCatalogue::Underline);
}

void TestRunText::styleFlags()
{
    QFETCH(QList<int>, flags);
    QFETCH(int, style);
    QCOMPARE(FontStyleFromFlags(flags[0], flags[1], flags[2], flags[3]), style);
    const QFont f = FontCatalogue::CardFont(QStringLiteral("宋体"), 12, style);
    QCOMPARE(f.bold(), bool(style & FontCatalogue::Bold));
    QCOMPARE(f.italic(), bool(style & FontCatalogue::Italic));
    QCOMPARE(f.underline(), bool(style & FontCatalogue::Underline));
    QCOMPARE(f.strikeOut(), bool(style & FontCatalogue::StrikeOut));
}

void TestRunText::xCorrection_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("correction");
    const QList<QList<int>> rows{{7, 8},   {8, 1},   {9, 2},   {11, 2},  {12, 3},  {21, 3},
                                 {22, 6},  {25, 6},  {26, 8},  {28, 8},  {29, 9},  {34, 9},
                                 {35, 10}, {38, 10}, {39, 11}, {45, 11}, {46, 12}, {48, 12},
                                 {49, 13}, {52, 13}, {53, 14}, {56, 14}, {57, 15}, {65, 15},
                                 {66, 16}, {68, 16}, {69, 17}, {72, 17}, {73, 8},  {0, 8}};
    for (const QList<int> &r : rows)
        QTest::addRow("%d pt", r[0]) << r[0] << r[1];
}

void TestRunText::xCorrection()
{
    QFETCH(int, points);
    QFETCH(int, correction);
    QCOMPARE(DrawStringXCorrection(points), correction);
    QCOMPARE(LayoutCharHeight(33), 32);
    QCOMPARE(LayoutCharHeight(97), 96);
    QCOMPARE(LayoutCharHeight(34), 34);
    QCOMPARE(LayoutCharHeight(96), 96);
}

void TestRunText::fontCatalogue_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("family");
    QTest::newRow("song") << "宋体" << "AR PL UMing CN";
    QTest::newRow("kai") << "楷体_GB2312" << "AR PL UKai CN";
    QTest::newRow("hei") << "黑体" << "WenQuanYi Zen Hei";
    QTest::newRow("li") << "隶书" << "AR PL UKai CN";
    QTest::newRow("xing") << "行书" << "AR PL UKai CN";
    QTest::newRow("xingkai") << "华文行楷" << "AR PL UKai CN";
    QTest::newRow("installed name kept") << "WenQuanYi Micro Hei" << "WenQuanYi Micro Hei";
    QTest::newRow("unknown falls back") << "No Such Face 123" << "WenQuanYi Zen Hei";
    QTest::newRow("empty falls back") << "" << "WenQuanYi Zen Hei";
}

void TestRunText::fontCatalogue()
{
    QFETCH(QString, face);
    QFETCH(QString, family);
    QCOMPARE(FontCatalogue::InstalledFamily(face), family);
    const QFont f = FontCatalogue::CardFont(face, 12);
    QCOMPARE(QFontInfo(f).family(), family);
    QCOMPARE(f.pixelSize(), 16);
    QVERIFY(f.styleStrategy() & QFont::NoAntialias);
    QCOMPARE(FontCatalogue::PixelSizeForPoints(9), 12);
    QCOMPARE(FontCatalogue::PixelSizeForPoints(23), 31);
    QCOMPARE(FontCatalogue::PixelSizeForPoints(72), 96);
}
