#include "tests/virtualcard/tst_suites.h"

#include "virtualcard/programtext.h"

#include "signstudio/comm/codec/substituteschedules.h"

#include <QTest>

void TestProgramText::schedule_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("dateMode");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QList<int>>("weekDays");
    QTest::addColumn<QDateTime>("playDate");

    QTest::newRow("every day") << QByteArray("08:00-18:00") << -1 << "08:00" << "18:00" << QList<int>{}
                               << QDateTime();
    QTest::newRow("whole day") << QByteArray("00:00-24:00") << -1 << "00:00" << "24:00" << QList<int>{}
                               << QDateTime();
    QTest::newRow("Sunday and Saturday")
        << QByteArray("08\x44" "00-18\x41" "00") << 2 << "08:00" << "18:00" << QList<int>{0, 6} << QDateTime();
    QTest::newRow("Monday to Friday")
        << QByteArray("07\x43" "30-19\x4E" "45") << 2 << "07:30" << "19:45" << QList<int>{1, 2, 3, 4, 5}
        << QDateTime();
    // 2026-12-11 10:20:30 after-date, 08:00-18:00; bits worked out by hand:
    // 011010 1100 01011 01010 010100 011110.
    QTest::newRow("after a date")
        << QByteArray::fromHex("B0A8CCA0E02DD198C4B0E0") << 1 << "08:00" << "18:00" << QList<int>{}
        << QDateTime(QDate(2026, 12, 11), QTime(10, 20, 30));
    // Same with the before-date mark (1000 instead of 1100 in the colons).
    QTest::newRow("before a date")
        << QByteArray::fromHex("B0A88CA0E02DD19884B0E0") << 0 << "08:00" << "18:00" << QList<int>{}
        << QDateTime(QDate(2026, 12, 11), QTime(10, 20, 30));
}

void TestProgramText::schedule()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, dateMode);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QList<int>, weekDays);
    QFETCH(QDateTime, playDate);
    const PageSchedule s = ProgramText::DecodeSchedule(bytes);
    QVERIFY2(s.Valid, qPrintable(s.Error));
    QCOMPARE(s.DateMode, dateMode);
    QCOMPARE(s.StartTime, start);
    QCOMPARE(s.EndTime, end);
    QCOMPARE(s.WeekDays, weekDays);
    QCOMPARE(s.PlayDate, playDate);
}

void TestProgramText::badSchedule_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("short") << QByteArray("08:00-18:0");
    QTest::newRow("no dash") << QByteArray("08:00+18:00");
    QTest::newRow("letters") << QByteArray("0a:00-18:00");
    QTest::newRow("odd separator") << QByteArray("08;00-18;00");
    QTest::newRow("mixed date marks") << QByteArray::fromHex("B0A8CCA0E02DD19884B0E0");
    QTest::newRow("month 0") << QByteArray::fromHex("B0A0C0A0E02DD198C4B0E0");
}

void TestProgramText::badSchedule()
{
    QFETCH(QByteArray, bytes);
    const PageSchedule s = ProgramText::DecodeSchedule(bytes);
    QVERIFY(!s.Valid);
    QVERIFY(!s.Error.isEmpty());
}

void TestProgramText::materialEntry()
{
    // Region x 16, y 0, 64 x 16, play count 1: "0020000080161000000000#01#10;".
    const QByteArray text = "123456789,08:00-18:00.9876543218" "0020000080161000000000#01#10;";
    const ProgramTextResult r = ProgramText::Parse(text);
    QVERIFY2(r.ok(), qPrintable(r.Error));
    QCOMPARE(r.Pages.size(), 1);
    QCOMPARE(r.Pages.first().PageUID, QStringLiteral("123456789"));
    QCOMPARE(r.Pages.first().Materials.size(), 1);
    const ProgramMaterial &m = r.Pages.first().Materials.first();
    QCOMPARE(m.FodderUID, QStringLiteral("987654321"));
    QCOMPARE(m.TypeCode, int('8'));
    QCOMPARE(m.RegionX, 16);
    QCOMPARE(m.RegionY, 0);
    QCOMPARE(m.RegionWidth, 64);
    QCOMPARE(m.RegionHeight, 16);
    QCOMPARE(m.PlayTimes, 1);
    QCOMPARE(m.FixedText, QStringLiteral("10"));
    QCOMPARE(m.MaterialNo, 1);
}

// The text as the sender builds it, with the schedule bytes put in by the
// shared substitution, decodes back to each page's times and days.
void TestProgramText::substitutedRoundTrip()
{
    const QByteArray text = "100000001,08:00-18:00."
                            "2000000018" "0000000080161000000000#01#10;"
                            "200000002:" "0080040040121000000000#012#10;"
                            ",00:00-24:00."
                            "2000000031" "0000000160321000000000#03#10;";
    const QByteArray schedules = QByteArray("08\x44" "00-18\x41" "00") + QByteArray::fromHex("B0A8CCA0E02DD198C4B0E0");
    const QByteArray payload = SubstituteSchedules(text, schedules);
    QCOMPARE(payload.size(), text.size());
    const ProgramTextResult r = ProgramText::Parse(payload);
    QVERIFY2(r.ok(), qPrintable(r.Error));
    QCOMPARE(r.Pages.size(), 2);
    QCOMPARE(r.MaterialCount(), 3);
    QCOMPARE(r.Pages.at(0).Schedule.DateMode, 2);
    QCOMPARE(r.Pages.at(0).Schedule.WeekDays, (QList<int>{0, 6}));
    QCOMPARE(r.Pages.at(0).Schedule.StartTime, QStringLiteral("08:00"));
    QCOMPARE(r.Pages.at(1).PageUID, QString());
    QCOMPARE(r.Pages.at(1).Schedule.DateMode, 1);
    QCOMPARE(r.Pages.at(1).Schedule.PlayDate, QDateTime(QDate(2026, 12, 11), QTime(10, 20, 30)));
    const ProgramMaterial &second = r.Pages.at(0).Materials.at(1);
    QCOMPARE(second.TypeCode, int(':'));
    QCOMPARE(second.RegionX, 64);
    QCOMPARE(second.RegionY, 4);
    QCOMPARE(second.RegionWidth, 32);
    QCOMPARE(second.RegionHeight, 12);
    QCOMPARE(second.PlayTimes, 12);
    QCOMPARE(second.MaterialNo, 2);
    QCOMPARE(r.Pages.at(1).Materials.first().MaterialNo, 3);
    QCOMPARE(r.Pages.at(1).Materials.first().RegionWidth, 128);
    QVERIFY(r.FindMaterial(QStringLiteral("200000003")));
    QVERIFY(!r.FindMaterial(QStringLiteral("nope")));
}

void TestProgramText::badText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no page") << QByteArray("123;");
    QTest::newRow("schedule cut") << QByteArray("1,08:00-18");
    QTest::newRow("no full stop") << QByteArray("1,08:00-18:00;");
    QTest::newRow("entry without ';'") << QByteArray("1,08:00-18:00.2000000018" "0000000080161000000000#01#10");
    QTest::newRow("short entry") << QByteArray("1,08:00-18:00.28001#01#10;");
    QTest::newRow("letters in geometry") << QByteArray("1,08:00-18:00.2000000018" "00000x000801610000000#01#10;");
    QTest::newRow("play count missing") << QByteArray("1,08:00-18:00.2000000018" "0000000080161000000000#10;");
}

void TestProgramText::badText()
{
    QFETCH(QByteArray, text);
    const ProgramTextResult r = ProgramText::Parse(text);
    QVERIFY(!r.ok());
}

void TestProgramText::playsAt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<bool>("plays");
    const QDateTime fridayNoon(QDate(2026, 12, 11), QTime(12, 0));
    QTest::newRow("inside hours") << QByteArray("08:00-18:00") << fridayNoon << true;
    QTest::newRow("after hours") << QByteArray("08:00-18:00") << fridayNoon.addSecs(7 * 3600) << false;
    QTest::newRow("until midnight") << QByteArray("00:00-24:00") << fridayNoon.addSecs(11 * 3600 + 1800) << true;
    QTest::newRow("over midnight") << QByteArray("22:00-06:00") << fridayNoon.addSecs(14 * 3600) << true;
    QTest::newRow("weekend only, Friday") << QByteArray("08\x44" "00-18\x41" "00") << fridayNoon << false;
    QTest::newRow("weekend only, Saturday") << QByteArray("08\x44" "00-18\x41" "00") << fridayNoon.addDays(1) << true;
    QTest::newRow("after date, before it") << QByteArray::fromHex("B0A8CCA0E02DD198C4B0E0") << fridayNoon.addDays(-1) << false;
    QTest::newRow("after date, after it") << QByteArray::fromHex("B0A8CCA0E02DD198C4B0E0") << fridayNoon << true;
    QTest::newRow("before date, after it") << QByteArray::fromHex("B0A88CA0E02DD19884B0E0") << fridayNoon << false;
}

void TestProgramText::playsAt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QDateTime, moment);
    QFETCH(bool, plays);
    QCOMPARE(ProgramText::DecodeSchedule(bytes).PlaysAt(moment), plays);
}
