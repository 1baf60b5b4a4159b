#include "common/base/codepage.h"
#include "common/base/inifile.h"
#include "tests/common/base/tst_suites.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

void TestIniFile::orderAndCaseKept()
{
    IniFile ini;
    ini.Parse("[CardsInfo]\r\nZeta=1\r\nalpha=2\r\nMid=3\r\n[Other]\r\nk=v\r\n");
    QCOMPARE(ini.SectionKeys("cardsinfo"), (QStringList{"Zeta", "alpha", "Mid"}));
    QCOMPARE(ini.SectionValues("CardsInfo"), (QStringList{"Zeta=1", "alpha=2", "Mid=3"}));
    QCOMPARE(ini.ReadString("CARDSINFO", "ALPHA"), QStringLiteral("2"));
    ini.WriteString("cardsinfo", "MID", "9");
    QCOMPARE(ini.SectionValues("CardsInfo"), (QStringList{"Zeta=1", "alpha=2", "Mid=9"}));
    QCOMPARE(ini.Sections(), (QStringList{"CardsInfo", "Other"}));
}

void TestIniFile::defaultsAndNumbers()
{
    IniFile ini;
    ini.Parse("[PollTime]\nPollTime=abc\n[N]\nN= 42 \n[B]\nOn=2\nOff=0\nBad=x\n");
    QCOMPARE(ini.ReadInteger("PollTime", "PollTime", 30), 30);
    QCOMPARE(ini.ReadInteger("N", "N", 0), 42);
    QCOMPARE(ini.ReadInteger("Missing", "N", 7), 7);
    QCOMPARE(ini.ReadString("Missing", "N", "def"), QStringLiteral("def"));
    QVERIFY(ini.ReadBool("B", "On", false));
    QVERIFY(!ini.ReadBool("B", "Off", true));
    QVERIFY(ini.ReadBool("B", "Bad", true));
    QVERIFY(!ini.ReadBool("B", "Bad", false));
    ini.WriteBool("B", "W", true);
    ini.WriteInteger("N", "M", -5);
    QCOMPARE(ini.ReadString("B", "W"), QStringLiteral("1"));
    QCOMPARE(ini.ReadString("N", "M"), QStringLiteral("-5"));
}

void TestIniFile::eraseSectionAndEmptyValues()
{
    IniFile ini;
    ini.WriteString("PrgFilePathList", "/home/op/prgFiles/a.prg", QString());
    ini.WriteString("PrgFilePathList", "/home/op/prgFiles/b.prg", QString());
    ini.WriteString("LgType", "LgType", "1");
    QVERIFY(ini.ValueExists("PrgFilePathList", "/home/op/prgFiles/a.prg"));
    QCOMPARE(ini.ToBytes(), QByteArray("[PrgFilePathList]\r\n/home/op/prgFiles/a.prg=\r\n"
                                       "/home/op/prgFiles/b.prg=\r\n[LgType]\r\nLgType=1\r\n"));
    ini.EraseSection("prgfilepathlist");
    QVERIFY(!ini.SectionExists("PrgFilePathList"));
    // An erased section written again goes to the end, like the Windows profile API.
    ini.WriteString("PrgFilePathList", "c.prg", QString());
    QCOMPARE(ini.Sections(), (QStringList{"LgType", "PrgFilePathList"}));
    ini.DeleteKey("LgType", "lgtype");
    QVERIFY(!ini.ValueExists("LgType", "LgType"));
}

void TestIniFile::roundTripThroughBuffer()
{
    IniFile a;
    a.WriteString("CommSet", "CommMode", "485");
    a.WriteString("CommSet", "CommParam01", "/dev/pts/3");
    a.WriteString("GroupName", "GroupName", "A,B-3,C1");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(a.Write(buffer));
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    IniFile b;
    b.Read(buffer);
    QCOMPARE(b.ToBytes(), a.ToBytes());
    QCOMPARE(b.ReadString("GroupName", "GroupName"), QStringLiteral("A,B-3,C1"));
}

void TestIniFile::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("SetCfg.ini");
    IniFile ini(path);
    ini.WriteString("A", "k", "old");
    QVERIFY(ini.Save().isEmpty());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    // A folder cannot be replaced by a file: the save fails with a reason and
    // the target stays as it was.
    IniFile bad(dir.filePath("sub"));
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    bad.WriteString("A", "k", "new");
    QVERIFY(!bad.Save().isEmpty());

    IniFile again(path);
    QCOMPARE(again.ReadString("A", "k"), QStringLiteral("old"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void TestIniFile::chineseValuesInCodePage()
{
    CodePage::SetOverride("GBK");
    IniFile ini;
    ini.WriteString("CardsInfo", QString::fromUtf8("一号屏"), "256,128");
    const QByteArray bytes = ini.ToBytes();
    QVERIFY(bytes.contains(QByteArray("\xD2\xBB\xBA\xC5\xC6\xC1=256,128")));
    IniFile back;
    back.Parse(bytes);
    QCOMPARE(back.SectionKeys("CardsInfo"), QStringList{QString::fromUtf8("一号屏")});
    CodePage::SetOverride(QByteArray());
}
