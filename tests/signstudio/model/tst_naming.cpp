#include "signstudio/model/naming.h"
#include "signstudio/model/program.h"
#include "signstudio/model/schedule.h"
#include "tests/signstudio/model/tst_suites.h"

#include <QRegularExpression>
#include <QTest>

void TestNaming::uidFormat()
{
    const QTime before = QTime::currentTime();
    const QString uid = NewUID();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{9}$")).match(uid).hasMatch(), qPrintable(uid));
    // hour, minute, second and millisecond of the time of day
    const QTime t = QTime::fromString(uid, QStringLiteral("HHmmsszzz"));
    QVERIFY(t.isValid());
    const int diff = before.msecsTo(t);
    QVERIFY2(diff >= -1000 && diff < 60000, qPrintable(uid));
    QCOMPARE(NewUIDAt(QTime(23, 5, 7, 42)).size(), 9);
}

void TestNaming::uidsInARowDiffer()
{
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        const QString uid = NewUID();
        QVERIFY2(!seen.contains(uid), qPrintable(uid));
        seen.insert(uid);
    }
}

void TestNaming::uidSameMillisecondMovesOn()
{
    const QTime t(10, 20, 30, 400);
    const QString a = NewUIDAt(t);
    const QString b = NewUIDAt(t);
    QCOMPARE(a, QStringLiteral("102030400"));
    QCOMPARE(b, QStringLiteral("102030401"));
    // a clock that moved on is used as it is
    QCOMPARE(NewUIDAt(QTime(10, 21, 0, 0)), QStringLiteral("102100000"));
    // a clock that passed midnight starts the day again
    QCOMPARE(NewUIDAt(QTime(0, 0, 0, 5)), QStringLiteral("000000005"));
}

void TestNaming::nextFreeName_data()
{
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << QStringList() << "page1";
    QTest::newRow("gap at 2") << QStringList{"page1", "page3"} << "page2";
    QTest::newRow("other names") << QStringList{"page", "Page1", "xpage1"} << "page1";
    QStringList upTo99;
    for (int i = 1; i <= 99; ++i)
        upTo99 << QStringLiteral("page%1").arg(i);
    QTest::newRow("99 taken") << upTo99 << "page100";
    QStringList upTo120 = upTo99;
    for (int i = 100; i <= 120; ++i)
        upTo120 << QStringLiteral("page%1").arg(i);
    QTest::newRow("100 is taken anyway") << upTo120 << "page100";
}

void TestNaming::nextFreeName()
{
    QFETCH(QStringList, taken);
    QFETCH(QString, expected);
    QCOMPARE(NextFreeName(taken, QStringLiteral("page")), expected);
}

void TestSchedule::scheduleBytes_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("weekDays");
    QTest::addColumn<QString>("playDate");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("every day") << "08:00" << "18:00" << -1 << "everyday" << "" << QByteArray("08:00-18:00");
    QTest::newRow("whole day") << "00:00" << "24:00" << -1 << "everyday" << "" << QByteArray("00:00-24:00");
    QTest::newRow("monday to friday") << "08:00" << "18:00" << 2 << "1;2;3;4;5" << ""
                                      << QByteArray("08\x43" "00-18\x4E" "00");
    QTest::newRow("weekend") << "08:00" << "18:00" << 2 << "0;6" << "" << QByteArray("08\x44" "00-18\x41" "00");
    QTest::newRow("no week day") << "08:00" << "18:00" << 2 << "" << "" << QByteArray("08\x40" "00-18\x40" "00");
    // 2026-03-15 10:20:30: 011010 0011 01111 01010 010100 011110
    QTest::newRow("before date") << "08:00" << "18:00" << 0 << "everyday" << "2026-03-15 10:20:30"
                                 << QByteArray("\xB0\xA8\x83\xB0\xE0-\xD1\x98\x84\xB0\xE0");
    QTest::newRow("after date") << "08:00" << "18:00" << 1 << "everyday" << "2026-03-15 10:20:30"
                                << QByteArray("\xB0\xA8\xC3\xB0\xE0-\xD1\x98\xC4\xB0\xE0");
    QTest::newRow("after date slashes") << "08:00" << "18:00" << 1 << "everyday" << "2026/3/15 10:20:30"
                                        << QByteArray("\xB0\xA8\xC3\xB0\xE0-\xD1\x98\xC4\xB0\xE0");
    // date only: 00:00:00; 2000-01-01 -> 000000 0001 00001 00000 000000 000000
    QTest::newRow("date only") << "00:00" << "24:00" << 0 << "" << "2000-01-01"
                               << QByteArray("\x80\x80\x81\x80\xA0-\x82\x84\x80\x80\x80");
}

void TestSchedule::scheduleBytes()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(int, mode);
    QFETCH(QString, weekDays);
    QFETCH(QString, playDate);
    QFETCH(QByteArray, expected);
    TProgram page;
    page.StartTime = start;
    page.EndTime = end;
    page.DateMode = mode;
    page.WeekDays = weekDays;
    page.PlayDate = playDate;
    const QByteArray bytes = ScheduleBytes(page, QDateTime(QDate(2030, 1, 1), QTime(1, 2, 3)));
    QCOMPARE(bytes.size(), 11);
    QCOMPARE(bytes.toHex(' '), expected.toHex(' '));
}

void TestSchedule::unparsedDateUsesNow()
{
    TProgram page;
    page.StartTime = QStringLiteral("08:00");
    page.EndTime = QStringLiteral("18:00");
    page.DateMode = dmBeforeDate;
    page.PlayDate = QStringLiteral("not a date");
    const QDateTime now(QDate(2026, 3, 15), QTime(10, 20, 30));
    TProgram dated = page;
    dated.PlayDate = QStringLiteral("2026-03-15 10:20:30");
    QCOMPARE(ScheduleBytes(page, now), ScheduleBytes(dated, QDateTime()));
    // a malformed time is still walked without reading past the bits
    page.StartTime = QStringLiteral("8:0");
    page.EndTime = QStringLiteral("123456789");
    QCOMPARE(ScheduleBytes(page, now).size(), 3 + 1 + 9);
}
