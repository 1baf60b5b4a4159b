#include "tests/signstudio/app/tst_suites.h"

#include "common/base/inifile.h"
#include "signstudio/app/appsettings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

IniFile iniFrom(const QByteArray &bytes)
{
    IniFile ini;
    ini.Parse(bytes);
    return ini;
}

const QString Folder = QStringLiteral("/opt/signstudio/");

} // namespace

void TestAppSettings::defaultsWrittenInOrder()
{
    IniFile ini;
    TAppSettings s;
    s.Read(ini, QStringLiteral("192.168.1.20"));
    QCOMPARE(s.LgType, 1);
    QCOMPARE(s.PollTime, 30);
    QCOMPARE(s.NetDelayTime, 100);
    QVERIFY(s.IsOpenSearch);
    QVERIFY(s.IsShowMulNetCard);
    QVERIFY(!s.IsSendAll);
    QVERIFY(!s.IsShowTips);
    QCOMPARE(s.ServerIP, QString("192.168.1.20"));
    s.RelabelCommMode(QStringLiteral("Network"), QStringLiteral("Serial Port"));
    QVERIFY(s.IsNetworkMode());
    QCOMPARE(s.WorkPortStart(), 8900);
    s.SetWorkPort(8900);
    s.Write(ini, {}, 2, Folder);
    QCOMPARE(ini.ToBytes(), readFile(QStringLiteral(SIGN_TEST_DATA_DIR "/setcfg_defaults/SetCfg.ini")));
}

void TestAppSettings::roundTripKeepsEverything()
{
    const QByteArray in = readFile(QStringLiteral(SIGN_TEST_DATA_DIR "/setcfg_roundtrip/in.ini"));
    QVERIFY(!in.isEmpty());
    IniFile ini = iniFrom(in);
    TAppSettings s;
    s.Read(ini, QStringLiteral("unused"));
    QCOMPARE(s.PollTime, 30);
    QCOMPARE(s.NetDelayTime, 250);
    QCOMPARE(s.GroupNames, (QStringList{"Hall", "Gate"}));
    QCOMPARE(s.RecentFiles, (QStringList{"/srv/shows/a.prg", "/srv/shows/b.prg"}));
    QCOMPARE(s.InnerCodes, (QStringList{"1_2_3_4_5_6_7_8", "0_0_0_0_0_0_0_1"}));
    QVERIFY(s.IsSendAll);
    QVERIFY(!s.IsOpenSearch);
    QVERIFY(!s.IsShowMulNetCard);
    QVERIFY(s.IsShowTips);
    QCOMPARE(s.ServerIP, QString("10.0.0.7"));

    // "COM1" with the mode "Network" is a serial port.
    s.RelabelCommMode(QStringLiteral("Network"), QStringLiteral("Serial Port"));
    QCOMPARE(s.CommMode, QString("Serial Port"));
    QVERIFY(!s.IsNetworkMode());
    QCOMPARE(s.WorkPortStart(), 8900);
    s.SetWorkPort(8900);
    QCOMPARE(s.CommParam02, QString("19200")); // the baud rate is not touched
    QCOMPARE(s.BaudRate(), 19200);

    const QList<StoredCard> cards = TAppSettings::ReadCards(ini, Folder);
    QCOMPARE(cards.size(), 2); // the short line is dropped
    s.Write(ini, cards, 2, Folder);
    QCOMPARE(QString::fromLatin1(ini.ToBytes()),
             QString::fromLatin1(readFile(QStringLiteral(SIGN_TEST_DATA_DIR "/setcfg_roundtrip/out.ini"))));
}

void TestAppSettings::pollTimeClamped_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("used");
    QTest::newRow("too small") << QByteArray("5") << 30;
    QTest::newRow("too large") << QByteArray("5000") << 999;
    QTest::newRow("in range") << QByteArray("45") << 45;
    QTest::newRow("upper edge") << QByteArray("999") << 999;
    QTest::newRow("not a number") << QByteArray("abc") << 30;
    QTest::newRow("missing") << QByteArray() << 30;
}

void TestAppSettings::pollTimeClamped()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, used);
    IniFile ini = iniFrom(stored.isNull() ? QByteArray() : "[PollTime]\r\nPollTime=" + stored + "\r\n");
    TAppSettings s;
    s.Read(ini, QString());
    QCOMPARE(s.PollTime, used);
    s.Write(ini, {}, 2, Folder);
    QCOMPARE(ini.ReadString("PollTime", "PollTime"), QString::number(used));
}

void TestAppSettings::cardLine_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("programFile"); // "@" stands for the program folder
    QTest::addColumn<QString>("innerCode");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("version");

    QTest::newRow("trailing comma")
        << "256,128,prgFiles\\A.prg,1_2_3_4_5_6_7_8,,," << true << 256 << 128
        << "@prgFiles/A.prg" << "1_2_3_4_5_6_7_8" << "" << "" << "-1";
    QTest::newRow("blank in relative file")
        << "64,32,my show.prg,1_1_1_1_1_1_1_1,192.168.1.9,00:11:22:33:44:55,56" << true << 64 << 32
        << "@my show.prg" << "1_1_1_1_1_1_1_1" << "192.168.1.9" << "00:11:22:33:44:55" << "56";
    QTest::newRow("outside the folder")
        << "96,16,/srv/shows/gate.prg,9_9_9_9_9_9_9_9,,,54" << true << 96 << 16
        << "/srv/shows/gate.prg" << "9_9_9_9_9_9_9_9" << "" << "" << "54";
    QTest::newRow("numbers missing")
        << "x,,a.prg,1,2,3,4" << true << 256 << 128 << "@a.prg" << "1" << "2" << "3" << "4";
    QTest::newRow("six fields") << "256,128,a.prg,1,2,3" << false << 0 << 0 << "" << "" << "" << "" << "";
    QTest::newRow("empty") << "" << false << 0 << 0 << "" << "" << "" << "" << "";
    QTest::newRow("extra fields ignored")
        << "10,20,a.prg,1,2,3,4,5,6" << true << 10 << 20 << "@a.prg" << "1" << "2" << "3" << "4";
}

void TestAppSettings::cardLine()
{
    QFETCH(QString, value);
    QFETCH(bool, valid);
    CardLine line;
    QCOMPARE(CardLine::Parse(value, Folder, &line), valid);
    if (!valid)
        return;
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, programFile);
    QFETCH(QString, innerCode);
    QFETCH(QString, ip);
    QFETCH(QString, mac);
    QFETCH(QString, version);
    programFile.replace(QLatin1Char('@'), Folder);
    QCOMPARE(line.Width, width);
    QCOMPARE(line.Height, height);
    QCOMPARE(line.ProgramFile, programFile);
    QCOMPARE(line.InnerCode, innerCode);
    QCOMPARE(line.IpAddress, ip);
    QCOMPARE(line.MacAddress, mac);
    QCOMPARE(line.Version, version);
}

void TestAppSettings::cardLineKeepsExistingRelativeFile()
{
    // A relative name that exists from the current folder is used as it is.
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    QFile f(QStringLiteral("a b.prg"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    CardLine line;
    const bool ok = CardLine::Parse(QStringLiteral("1,2,a b.prg,c,d,e,f"), Folder, &line);
    QDir::setCurrent(old);
    QVERIFY(ok);
    QCOMPARE(line.ProgramFile, QString("a b.prg"));
}

void TestAppSettings::cardLineWrittenRelative_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("written");
    QTest::newRow("inside") << Folder + "prgFiles/my show.prg" << "1,2,prgFiles/my show.prg,c,d,e,-1";
    QTest::newRow("outside") << "/srv/x.prg" << "1,2,/srv/x.prg,c,d,e,-1";
    QTest::newRow("none") << "" << "1,2,,c,d,e,-1";
    QTest::newRow("comma in the name") << Folder + "prgFiles/a,b c.prg" << "1,2,\"prgFiles/a,b c.prg\",c,d,e,-1";
    QTest::newRow("leading quote") << "/srv/\"x\".prg" << "1,2,/srv/\"x\".prg,c,d,e,-1";
    QTest::newRow("quote first") << Folder + "\"q.prg" << "1,2,\"\"\"q.prg\",c,d,e,-1";
}

void TestAppSettings::cardLineWrittenRelative()
{
    QFETCH(QString, file);
    QFETCH(QString, written);
    CardLine line;
    line.Width = 1;
    line.Height = 2;
    line.ProgramFile = file;
    line.InnerCode = "c";
    line.IpAddress = "d";
    line.MacAddress = "e";
    QCOMPARE(line.Format(Folder), written);
    // and it reads back into the same file
    CardLine back;
    QVERIFY(CardLine::Parse(written, Folder, &back));
    if (!file.isEmpty())
        QCOMPARE(back.ProgramFile, file);
}

void TestAppSettings::commMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("param01");
    QTest::addColumn<QString>("param02");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("workPortStart");
    QTest::newRow("empty") << "" << "" << "" << "Network" << 8900;
    QTest::newRow("server side label") << "network<server-side>" << "" << "9000" << "Network" << 9000;
    QTest::newRow("COM1 with Network") << "Network" << "COM1" << "9600" << "Serial Port" << 8900;
    QTest::newRow("485 kept") << "485" << "/dev/ttyUSB0" << "9600" << "485" << 8900;
    QTest::newRow("485 without port") << "485" << "" << "8901" << "Network" << 8901;
    QTest::newRow("port not a number") << "Network" << "" << "abc" << "Network" << 8900;
    QTest::newRow("Chinese label") << QString::fromUtf8("网络") << "" << "" << "Network" << 8900;
}

void TestAppSettings::commMode()
{
    QFETCH(QString, mode);
    QFETCH(QString, param01);
    QFETCH(QString, param02);
    QFETCH(QString, label);
    QFETCH(int, workPortStart);
    TAppSettings s;
    s.CommMode = mode;
    s.CommParam01 = param01;
    s.CommParam02 = param02;
    s.RelabelCommMode("Network", "Serial Port", "network<server-side>");
    QCOMPARE(s.CommMode, label);
    QCOMPARE(s.WorkPortStart(), workPortStart);
    s.SetWorkPort(workPortStart + 1);
    if (s.IsNetworkMode())
        QCOMPARE(s.CommParam02, QString::number(workPortStart + 1));
    else
        QCOMPARE(s.CommParam02, param02);
}
