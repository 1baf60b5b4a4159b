#include "signstudio/ui/editrules.h"
#include "signstudio/ui/picklists.h"
#include "signstudio/ui/playdayrules.h"
#include "signstudio/ui/regioncolour.h"
#include "signstudio/ui/sizergeometry.h"

#include <QTest>

using namespace EditRules;

class TestEditRules : public QObject
{
    Q_OBJECT
private slots:
    void snap_data();
    void snap();
    void regionRow_data();
    void regionRow();
    void time_data();
    void time();
    void stay_data();
    void stay();
    void uid_data();
    void uid();
    void codes();
    void kindsNumbers();
    void pickListSpec_data();
    void pickListSpec();
    void playDay_data();
    void playDay();
    void regionColour_data();
    void regionColour();
    void grips();
    void hitTest_data();
    void hitTest();
    void move_data();
    void move();
    void resize_data();
    void resize();
};

void TestEditRules::snap_data()
{
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("out");
    QTest::newRow("13") << 13 << 16;
    QTest::newRow("12") << 12 << 8;
    QTest::newRow("20") << 20 << 16;
    QTest::newRow("21") << 21 << 24;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("4") << 4 << 0;
    QTest::newRow("5") << 5 << 8;
    QTest::newRow("30") << 30 << 32;
    QTest::newRow("-5") << -5 << -8;
    QTest::newRow("-4") << -4 << 0;
}

void TestEditRules::snap()
{
    QFETCH(int, in);
    QFETCH(int, out);
    QCOMPARE(SnapTo8(in), out);
}

void TestEditRules::regionRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("region");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QRect>("expected");
    const QSize page(320, 64);
    const QRect r(0, 0, 64, 32);
    QTest::newRow("left 13 -> 16") << 2 << "13" << r << page << QRect(16, 0, 64, 32);
    QTest::newRow("left 12 -> 8") << 2 << "12" << r << page << QRect(8, 0, 64, 32);
    QTest::newRow("left 20 -> 16") << 2 << "20" << r << page << QRect(16, 0, 64, 32);
    QTest::newRow("left not a number") << 2 << "abc" << QRect(40, 0, 64, 32) << page
                                       << QRect(0, 0, 64, 32);
    QTest::newRow("left at page width") << 2 << "320" << QRect(8, 0, 64, 32) << page
                                        << QRect(0, 0, 64, 32);
    QTest::newRow("left narrows width") << 2 << "300" << r << page << QRect(296, 0, 24, 32);
    QTest::newRow("left negative") << 2 << "-16" << r << page << QRect(0, 0, 64, 32);
    QTest::newRow("top plain") << 3 << "10" << r << page << QRect(0, 10, 64, 32);
    QTest::newRow("top lowers height") << 3 << "40" << r << page << QRect(0, 40, 64, 24);
    QTest::newRow("top beyond page") << 3 << "64" << QRect(0, 8, 64, 32) << page
                                     << QRect(0, 0, 64, 32);
    QTest::newRow("width 5 -> 12") << 4 << "5" << r << page << QRect(0, 0, 12, 32);
    QTest::newRow("width 30 -> 32") << 4 << "30" << r << page << QRect(0, 0, 32, 32);
    QTest::newRow("width moves left") << 4 << "64" << QRect(300, 0, 16, 32) << page
                                      << QRect(256, 0, 64, 32);
    QTest::newRow("width beyond page") << 4 << "999" << QRect(8, 0, 16, 32) << page
                                       << QRect(0, 0, 320, 32);
    QTest::newRow("width not a number") << 4 << "x" << r << page << QRect(0, 0, 12, 32);
    QTest::newRow("height 3 -> 12") << 5 << "3" << r << page << QRect(0, 0, 64, 12);
    QTest::newRow("height 13 not snapped") << 5 << "13" << r << page << QRect(0, 0, 64, 13);
    QTest::newRow("height moves top") << 5 << "32" << QRect(0, 40, 64, 16) << page
                                      << QRect(0, 32, 64, 32);
    QTest::newRow("height beyond page") << 5 << "100" << r << page << QRect(0, 0, 64, 64);
}

void TestEditRules::regionRow()
{
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QRect, region);
    QFETCH(QSize, page);
    QFETCH(QRect, expected);
    QCOMPARE(ApplyRegionRow(row, text, region, page.width(), page.height()), expected);
}

void TestEditRules::time_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("def");
    QTest::addColumn<QString>("out");
    QTest::newRow("7:3") << "7:3" << "00:00" << "07:30";
    QTest::newRow("8:5") << "8:5" << "00:00" << "08:50";
    QTest::newRow("blanks") << " 12:15 " << "00:00" << "12:15";
    QTest::newRow("full") << "23:59" << "00:00" << "23:59";
    QTest::newRow("long kept 5") << "10:301" << "00:00" << "10:30";
    QTest::newRow("colon first") << ":5" << "00:00" << "00:50";
    QTest::newRow("24:00 start") << "24:00" << "00:00" << "00:00";
    QTest::newRow("24:00 end") << "24:00" << "24:00" << "24:00";
    QTest::newRow("bad end") << "xx" << "24:00" << "24:00";
    QTest::newRow("no colon") << "0830" << "00:00" << "00:00";
    QTest::newRow("colon too late") << "0008:30" << "00:00" << "00:00";
    QTest::newRow("minute 60") << "10:60" << "24:00" << "24:00";
    QTest::newRow("letters") << "1a:30" << "00:00" << "00:00";
    QTest::newRow("sign") << "+1:30" << "00:00" << "00:00";
    QTest::newRow("empty") << "" << "24:00" << "24:00";
}

void TestEditRules::time()
{
    QFETCH(QString, in);
    QFETCH(QString, def);
    QFETCH(QString, out);
    QCOMPARE(NormaliseTime(in, def), out);
}

void TestEditRules::stay_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<int>("def");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("written");
    QTest::newRow("300 -> 255") << "300" << 5 << 255 << "255";
    QTest::newRow("255 kept") << "255" << 5 << 255 << "";
    QTest::newRow("0 kept") << "0" << 5 << 0 << "";
    QTest::newRow("default 5") << "x" << 5 << 5 << "";
    QTest::newRow("default 1") << "" << 1 << 1 << "";
    QTest::newRow("negative") << "-3" << 1 << 0 << "0";
}

void TestEditRules::stay()
{
    QFETCH(QString, in);
    QFETCH(int, def);
    QFETCH(int, value);
    QFETCH(QString, written);
    const StayValue s = ReadStay(in, def);
    QCOMPARE(s.value, value);
    QCOMPARE(s.written, written);
}

void TestEditRules::uid_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("short") << "42" << "000000042";
    QTest::newRow("nine") << "123456789" << "123456789";
    QTest::newRow("ten cut") << "1234567890" << "123456789";
    QTest::newRow("not a number") << "12ab" << "000000000";
    QTest::newRow("negative") << "-5" << "000000000";
}

void TestEditRules::uid()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(FormatUid(in), out);
}

void TestEditRules::codes()
{
    const int fonts[] = {1, 3, 2, 4, 5};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(FontCodeOfIndex(i), fonts[i]);
        QCOMPARE(FontIndexOfCode(fonts[i]), i);
    }
    QCOMPARE(FontCodeOfIndex(-1), 0);
    QCOMPARE(FontIndexOfCode(0), -1);
    const int counts[] = {1, 2, 3, 8, 4, 5, 6, 7};
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(CountFormatCodeOfIndex(i), counts[i]);
        QCOMPARE(CountFormatIndexOfCode(counts[i]), i);
    }
    QCOMPARE(CountFormatCodeOfIndex(-1), 0);
    QCOMPARE(MatrixCodeOfText(QStringLiteral("12*12")), 0);
    QCOMPARE(MatrixCodeOfText(QStringLiteral("96*96")), 7);
    QCOMPARE(MatrixCodeOfText(QStringLiteral("20*20")), -1);
    QCOMPARE(SizeList(3), QStringList({"12*12", "16*16", "24*24"}));
    QCOMPARE(SizeList(99).size(), 8);
    QCOMPARE(SizeList(0).size(), 1);
}

void TestEditRules::kindsNumbers()
{
    QCOMPARE(KindsNumbers(0), QStringList({"1"}));
    QCOMPARE(KindsNumbers(3), QStringList({"4"}));
    const QStringList four = KindsNumbers(4);
    QCOMPARE(four.size(), 20);
    QCOMPARE(four.first(), QStringLiteral("21"));
    QCOMPARE(four.last(), QStringLiteral("40"));
    const QStringList five = KindsNumbers(5);
    QCOMPARE(five.size(), 30);
    QCOMPARE(five.first(), QStringLiteral("41"));
    QCOMPARE(five.last(), QStringLiteral("70"));
    QVERIFY(KindsNumbers(-1).isEmpty());
}

void TestEditRules::pickListSpec_data()
{
    QTest::addColumn<QString>("listText");
    QTest::addColumn<QString>("expected"); // row=values|row=values, option n as "#n"
    QTest::newRow("texts")
        << "4;2,5;0;1;2;3;4;5;6;7;8" << "4=#2|5=0;1;2;3;4;5;6;7;8";
    QTest::newRow("time kind with sizes")
        << "2;1,3;1,4;0,5;12*12;16*16,6;10,7;3,8;5,9;6"
        << "2=#1|3=#1|4=#0|5=12*12;16*16|6=#10|7=#3|8=#5|9=#6";
    QTest::newRow("kinds number single stays literal")
        << "2;7,3;1;,6;1" << "2=#7|3=1|6=#1";
    QTest::newRow("one size stays literal") << "5;12*12" << "5=12*12";
    QTest::newRow("empty kinds numbers") << "2;7,3;;,6;1" << "2=#7|3=|6=#1";
    QTest::newRow("no row number skipped") << "x;1,4;2" << "4=#2";
    QTest::newRow("empty") << "" << "";
}

void TestEditRules::pickListSpec()
{
    QFETCH(QString, listText);
    QFETCH(QString, expected);
    QStringList got;
    for (const PickListItem &p : ParsePickListSpec(listText)) {
        got << QString::number(p.row) + QLatin1Char('=')
                   + (p.optionList >= 0 ? QLatin1Char('#') + QString::number(p.optionList)
                                        : p.values.join(QLatin1Char(';')));
    }
    QCOMPARE(got.join(QLatin1Char('|')), expected);
}

void TestEditRules::playDay_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("byWeek");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("back");
    QTest::newRow("everyday") << "everyday" << false << "0000000" << "everyday";
    QTest::newRow("weekdays") << "1;2;3;4;5" << true << "0111110" << "1;2;3;4;5";
    QTest::newRow("sunday saturday") << "6;0" << true << "1000001" << "0;6";
    QTest::newRow("junk kept out") << "9;x;3" << true << "0001000" << "3";
    QTest::newRow("nothing ticked") << "" << true << "0000000" << "";
}

void TestEditRules::playDay()
{
    QFETCH(QString, value);
    QFETCH(bool, byWeek);
    QFETCH(QString, days);
    QFETCH(QString, back);
    const QString every = QStringLiteral("everyday");
    const PlayDaySelection s = PlayDaySelection::FromValue(value, every);
    QCOMPARE(s.byWeek, byWeek);
    QString got;
    for (bool d : s.days)
        got += d ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(got, days);
    QCOMPARE(s.Value(every), back);
}

void TestEditRules::regionColour_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("area1 grey") << "area1" << QColor(0x80, 0x80, 0x80);
    QTest::newRow("area9 olive") << "area9" << QColor(0x80, 0x80, 0x00);
    QTest::newRow("area2 olive") << "area2" << QColor(0x80, 0x80, 0x00);
    QTest::newRow("area4 sky") << "area4" << QColor(0xA6, 0xCA, 0xF0);
    QTest::newRow("area14 maroon") << "area14" << QColor(0x80, 0x00, 0x00);
    QTest::newRow("area15 workspace") << "area15" << QColor(0xAB, 0xAB, 0xAB);
    QTest::newRow("other name grey") << "logo" << QColor(0x80, 0x80, 0x80);
}

void TestEditRules::regionColour()
{
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    QCOMPARE(RegionColourOfNumber(RegionNumberOfName(name, QStringLiteral("area"))), colour);
}

void TestEditRules::grips()
{
    const QList<QRect> g = SizerGeometry::Grips(100, 40);
    QCOMPARE(g.size(), 8);
    QCOMPARE(g.at(0), QRect(0, 0, 5, 5));
    QCOMPARE(g.at(1), QRect(47, 0, 5, 5));
    QCOMPARE(g.at(2), QRect(95, 0, 5, 5));
    QCOMPARE(g.at(3), QRect(95, 17, 5, 5));
    QCOMPARE(g.at(4), QRect(95, 35, 5, 5));
    QCOMPARE(g.at(5), QRect(47, 35, 5, 5));
    QCOMPARE(g.at(6), QRect(0, 35, 5, 5));
    QCOMPARE(g.at(7), QRect(0, 17, 5, 5));
}

void TestEditRules::hitTest_data()
{
    QTest::addColumn<QPoint>("p");
    QTest::addColumn<int>("grip");
    QTest::newRow("top-left") << QPoint(2, 2) << int(SizerGeometry::TopLeft);
    QTest::newRow("top") << QPoint(50, 4) << int(SizerGeometry::Top);
    QTest::newRow("top-right") << QPoint(99, 0) << int(SizerGeometry::TopRight);
    QTest::newRow("right") << QPoint(97, 20) << int(SizerGeometry::Right);
    QTest::newRow("bottom-right") << QPoint(99, 39) << int(SizerGeometry::BottomRight);
    QTest::newRow("bottom") << QPoint(48, 38) << int(SizerGeometry::Bottom);
    QTest::newRow("bottom-left") << QPoint(0, 39) << int(SizerGeometry::BottomLeft);
    QTest::newRow("left") << QPoint(1, 19) << int(SizerGeometry::Left);
    QTest::newRow("client") << QPoint(30, 20) << int(SizerGeometry::NoGrip);
    QTest::newRow("just outside grip") << QPoint(5, 5) << int(SizerGeometry::NoGrip);
}

void TestEditRules::hitTest()
{
    QFETCH(QPoint, p);
    QFETCH(int, grip);
    QCOMPARE(int(SizerGeometry::HitTest(p, 100, 40)), grip);
}

void TestEditRules::move_data()
{
    QTest::addColumn<QRect>("start");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");
    const QRect r(0, 0, 64, 32);
    QTest::newRow("left 13 -> 16") << r << QPoint(13, 0) << QRect(16, 0, 64, 32);
    QTest::newRow("left 12 -> 8") << r << QPoint(12, 0) << QRect(8, 0, 64, 32);
    QTest::newRow("top not snapped") << r << QPoint(0, 3) << QRect(0, 3, 64, 32);
    QTest::newRow("past right edge") << r << QPoint(1000, 0) << QRect(256, 0, 64, 32);
    QTest::newRow("past left edge") << QRect(16, 8, 64, 32) << QPoint(-100, -100)
                                   << QRect(0, 0, 64, 32);
    QTest::newRow("past bottom") << r << QPoint(0, 500) << QRect(0, 96, 64, 32);
    QTest::newRow("odd width kept on page") << QRect(0, 0, 30, 32) << QPoint(1000, 0)
                                            << QRect(288, 0, 30, 32);
    QTest::newRow("wider than page") << QRect(0, 0, 400, 32) << QPoint(8, 0)
                                     << QRect(0, 0, 400, 32);
}

void TestEditRules::move()
{
    QFETCH(QRect, start);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    QCOMPARE(SizerGeometry::Moved(start, delta, QSize(320, 128)), expected);
}

void TestEditRules::resize_data()
{
    QTest::addColumn<QRect>("start");
    QTest::addColumn<int>("grip");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");
    const QRect r(8, 8, 64, 32);
    QTest::newRow("width 30 -> 32") << r << int(SizerGeometry::Right) << QPoint(-34, 0)
                                    << QRect(8, 8, 32, 32);
    QTest::newRow("3x3 -> 12x12") << r << int(SizerGeometry::BottomRight) << QPoint(-61, -29)
                                  << QRect(8, 8, 12, 12);
    QTest::newRow("bottom grows") << r << int(SizerGeometry::Bottom) << QPoint(5, 7)
                                  << QRect(8, 8, 64, 39);
    QTest::newRow("left grip snaps left") << r << int(SizerGeometry::Left) << QPoint(-6, 0)
                                          << QRect(0, 8, 72, 32);
    QTest::newRow("top grip") << r << int(SizerGeometry::Top) << QPoint(0, -3)
                              << QRect(8, 5, 64, 35);
    QTest::newRow("max tracking") << r << int(SizerGeometry::Right) << QPoint(9000, 0)
                                  << QRect(8, 8, 5000, 32);
}

void TestEditRules::resize()
{
    QFETCH(QRect, start);
    QFETCH(int, grip);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    QCOMPARE(SizerGeometry::Resized(start, SizerGeometry::Grip(grip), delta), expected);
}

int RunEditRulesTests(int argc, char *argv[])
{
    TestEditRules t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_editrules.moc"
