#include "signstudio/lang/langtext.h"
#include "signstudio/render/runtext.h"
#include "signstudio/render/textlayout.h"
#include "signstudio/render/timetext.h"
#include "tests/signstudio/render/tst_helpers.h"
#include "tests/signstudio/render/tst_suites.h"

#include <QTest>

namespace {

const QDateTime kNow(QDate(2024, 1, 15), QTime(9, 5, 7));
const QString D = QStringLiteral("clRed^宋体^12^");
const QString C = QStringLiteral("clGreen^宋体^12^");

QString runTexts(const QString &plainRunText)
{
    QString all;
    for (const rPlainContAttr &r : ParsePlainRuns(plainRunText))
        all += r.Text;
    return all;
}

} // namespace

void TestTimeText::init()
{
    SetTimeTextClock([] { return kNow; });
}

void TestTimeText::cleanup()
{
    SetTimeTextClock({});
    SetLanguage(true, 2);
}

void TestTimeText::timeTexts_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("digit");
    QTest::addColumn<int>("yearDigits");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("display");
    QTest::addColumn<QString>("expected");

    QTest::newRow("hour-minute in Chinese")
        << 0 << 1 << 0 << 4 << 1 << D + "09>" + C + "时>" + D + "05>" + C + "分>" + D;
    QTest::newRow("date, two-digit year")
        << 0 << 1 << 1 << 2 << 1
        << D + "24>" + C + "年>" + D + "01>" + C + "月>" + D + "15>" + C + "日>" + D;
    QTest::newRow("everything in Chinese")
        << 0 << 1 << 0 << 1 << 1
        << D + "2024>" + C + "年>" + D + "01>" + C + "月>" + D + "15>" + C + "日>" + D + " Mon 09>" + C
               + "时>" + D + "05>" + C + "分>" + D + "07>" + C + "秒>" + D;
    QTest::newRow("seconds") << 0 << 1 << 0 << 11 << 1 << D + "07>" + C + "秒>" + D;
    QTest::newRow("weekday") << 0 << 1 << 0 << 5 << 1 << D + "Mon";
    QTest::newRow("dashes and colons")
        << 0 << 1 << 0 << 1 << 2
        << D + "2024>" + C + "->" + D + "01>" + C + "->" + D + "15 09>" + C + ":>" + D + "05>" + C
               + ":>" + D + "07";
    QTest::newRow("slashes") << 0 << 1 << 0 << 2 << 3
                             << D + "15>" + C + "/>" + D + "01>" + C + "/>" + D + "2024";
    QTest::newRow("slash format, time only") << 0 << 1 << 0 << 4 << 3 << D + "09>" + C + ":>" + D + "05";
    QTest::newRow("year only, two digits") << 0 << 1 << 1 << 6 << 2 << D + "24";
    QTest::newRow("digit colour outside the table")
        << 0 << 0 << 0 << 9 << 1
        << QStringLiteral("^宋体^12^09>") + C + "时>^宋体^12^";
}

void TestTimeText::timeTexts()
{
    QFETCH(int, language);
    QFETCH(int, digit);
    QFETCH(int, yearDigits);
    QFETCH(int, code);
    QFETCH(int, display);
    QFETCH(QString, expected);
    SetLanguage(true, language);
    QCOMPARE(TimeText(4, digit, 2, yearDigits, false, 1, 1, code, display, kNow), expected);
}

void TestTimeText::englishSeparatorsInCharColour()
{
    SetLanguage(true, 2);
    const QString text = TimeText(4, 1, 2, 0, false, 1, 1, 2, 1, kNow);
    // The day's unit word ("-" in English) closes the text.
    QCOMPARE(runTexts(text), QStringLiteral("2024-01-15-"));
    for (const rPlainContAttr &r : ParsePlainRuns(text)) {
        if (r.Text.contains(QLatin1Char('-')))
            QCOMPARE(r.ColourName, QStringLiteral("clGreen"));
        else if (!r.Text.isEmpty())
            QCOMPARE(r.ColourName, QStringLiteral("clRed"));
    }
}

void TestTimeText::counters_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("acc");
    QTest::addColumn<qint64>("targetFromNow");
    QTest::addColumn<QString>("expected");

    const qint64 h30m5 = 30 * 3600 + 5 * 60;
    QTest::newRow("count-down passed") << 8 << 1 << false << qint64(-100) << "0天0时00分00秒";
    QTest::newRow("count-down ahead") << 8 << 1 << false << qint64(93784) << "1天2时03分04秒";
    QTest::newRow("count-up not yet started") << 7 << 2 << false << qint64(50) << "0时00分00秒";
    QTest::newRow("hms 30h5m") << 7 << 2 << false << -h30m5 << "6时05分00秒";
    QTest::newRow("hms 30h5m accumulative") << 7 << 2 << true << -h30m5 << "30时05分00秒";
    QTest::newRow("hm") << 7 << 3 << false << -h30m5 << "6时05分";
    QTest::newRow("hm accumulative") << 7 << 3 << true << -h30m5 << "30时05分";
    QTest::newRow("days") << 7 << 4 << false << -h30m5 << "1天";
    QTest::newRow("hours") << 7 << 5 << false << -h30m5 << "6时";
    QTest::newRow("hours accumulative") << 7 << 5 << true << -h30m5 << "30时";
    QTest::newRow("minutes") << 7 << 6 << false << -h30m5 << "5分";
    QTest::newRow("minutes accumulative") << 7 << 6 << true << -h30m5 << "1805分";
    QTest::newRow("seconds") << 8 << 7 << false << qint64(65) << "5秒";
    QTest::newRow("seconds accumulative") << 8 << 7 << true << qint64(65) << "65秒";
    QTest::newRow("minutes-seconds") << 7 << 8 << false << -(h30m5 + 7) << "5分07秒";
    QTest::newRow("minutes-seconds accumulative") << 7 << 8 << true << -(h30m5 + 7) << "1805分07秒";
}

void TestTimeText::counters()
{
    QFETCH(int, kind);
    QFETCH(int, code);
    QFETCH(bool, acc);
    QFETCH(qint64, targetFromNow);
    QFETCH(QString, expected);
    SetLanguage(true, 0);
    const QString text = TimeText(kind, 1, 2, 0, acc, 1, 1, code, 1, kNow.addSecs(targetFromNow));
    QCOMPARE(runTexts(text), expected);
    QVERIFY(text.startsWith(D));
}

void TestTimeText::dataTexts_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("dataKind");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Celsius sample") << 0 << 1 << "" << D + "20>" + C + "℃";
    QTest::newRow("Celsius, own unit") << 0 << 1 << "deg" << D + "20>" + C + "deg";
    QTest::newRow("Fahrenheit") << 2 << 2 << "" << D + "100>" + C + "℉";
    QTest::newRow("humidity") << 2 << 3 << "" << D + "50>" + C + "%";
    QTest::newRow("noise") << 2 << 4 << "" << D + "60>" + C + "DB";
    QTest::newRow("counter, no unit") << 2 << 5 << "" << D + "1";
    QTest::newRow("external data with unit") << 2 << 6 << "kg" << D + "1>" + C + "kg";
}

void TestTimeText::dataTexts()
{
    QFETCH(int, language);
    QFETCH(int, dataKind);
    QFETCH(QString, content);
    QFETCH(QString, expected);
    SetLanguage(true, language);
    QCOMPARE(DataText(content, 1, 2, 1, 1, dataKind), expected);
}

void TestTimeText::parseMoment_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("moment");
    QTest::newRow("stored form") << "2023-12-30 23:59:58" << QDateTime(QDate(2023, 12, 30), QTime(23, 59, 58));
    QTest::newRow("short numbers") << "2024/1/5 9:03" << QDateTime(QDate(2024, 1, 5), QTime(9, 3));
    QTest::newRow("date only") << "2024-02-29" << QDateTime(QDate(2024, 2, 29), QTime(0, 0));
    QTest::newRow("time only") << "09:30:00" << QDateTime(QDate(1899, 12, 30), QTime(9, 30));
    QTest::newRow("full-width blank") << "2024-01-15\u300009:30:00"
                                      << QDateTime(QDate(2024, 1, 15), QTime(9, 30));
    QTest::newRow("not a date") << "soon" << kNow;
    QTest::newRow("impossible date") << "2023-02-30 10:00:00" << kNow;
    QTest::newRow("empty") << "" << kNow;
}

void TestTimeText::parseMoment()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, moment);
    QCOMPARE(ParseMoment(text), moment);
    // A counter whose content does not read shows no span.
    if (moment == kNow) {
        SetLanguage(true, 0);
        QCOMPARE(runTexts(TimeText(7, 1, 2, 0, false, 1, 1, 1, 1, ParseMoment(text))),
                 QStringLiteral("0天0时00分00秒"));
    }
}

void TestTimeText::layoutOfTimeText()
{
    SetLanguage(true, 0);
    const QString text = TimeText(4, 1, 2, 0, false, 1, 1, 4, 1, kNow);
    const LayoutResult r = LayoutPlainText(text, 128, 16, false, PlainLayoutKind::CentredLine);
    QCOMPARE(r.Count(), 1);
    const QImage &page = r.Pages.first();
    bool red = false, green = false;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb p = page.pixel(x, y) & 0xFFFFFF;
            red |= p == 0xFF0000;
            green |= p == 0x008000;
            QVERIFY(p == 0 || p == 0xFF0000 || p == 0x008000);
        }
    }
    QVERIFY(red && green);
}
