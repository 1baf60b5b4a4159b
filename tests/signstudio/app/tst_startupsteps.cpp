#include "tests/signstudio/app/tst_suites.h"

#include "signstudio/app/debuglog.h"
#include "signstudio/app/startupsteps.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

void TestStartupSteps::workPortSkipsBusyPort()
{
    // 8900 taken on loopback moves the work port up.
    QTcpServer busy;
    if (!busy.listen(QHostAddress(QStringLiteral("127.0.0.1")), 8900))
        QSKIP("port 8900 is in use by something else on this machine");
    QTcpServer busyToo;
    QVERIFY(busyToo.listen(QHostAddress(QStringLiteral("127.0.0.1")), 8901));
    QCOMPARE(FindWorkPort(8900), 8902);
}

void TestStartupSteps::workPortFreeStaysPut()
{
    QTcpServer s;
    QVERIFY(s.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    const int port = s.serverPort();
    s.close();
    QCOMPARE(FindWorkPort(port), port);
}

void TestStartupSteps::titleFile_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<QString>("title");
    QTest::newRow("missing file") << QByteArray() << "";
    QTest::newRow("set") << QByteArray("[Title]\r\nTitle=City Hall Screens\r\n") << "City Hall Screens";
    QTest::newRow("empty value") << QByteArray("[Title]\r\nTitle=\r\n") << "";
    QTest::newRow("other section") << QByteArray("[Caption]\r\nTitle=x\r\n") << "";
    QTest::newRow("GBK text") << QByteArray("[Title]\r\nTitle=\xcf\xd4\xca\xbe\xc6\xc1\r\n") << QString::fromUtf8("显示屏");
}

void TestStartupSteps::titleFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, title);
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    if (!content.isNull())
        writeFile(folder + "Title.ini", content);
    QCOMPARE(ReadTitleFile(folder), title);
}

void TestStartupSteps::dataFoldersCreated()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QVERIFY(QDir(folder).mkdir("picFiles"));
    writeFile(folder + "picFiles/keep.bmp", "x");
    const QStringList folders = CreateDataFolders(folder);
    QCOMPARE(folders, (QStringList{folder + "prgFiles", folder + "picFiles", folder + "txtFiles", folder + "tblFiles"}));
    for (const QString &f : folders)
        QVERIFY2(QFileInfo(f).isDir(), qPrintable(f));
    QVERIFY(QFile::exists(folder + "picFiles/keep.bmp"));
    // A folder that cannot be made is passed over without a complaint.
    QVERIFY(QFile::remove(folder + "picFiles/keep.bmp"));
    QVERIFY(QDir(folder).rmdir("tblFiles"));
    writeFile(folder + "tblFiles", "a file in the way");
    QCOMPARE(CreateDataFolders(folder).size(), 4);
}

void TestStartupSteps::appIconLastIcoWins()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QCOMPARE(FindAppIcon(folder), QString());
    writeFile(folder + "a.ico", "x");
    writeFile(folder + "b.ICO", "x");
    writeFile(folder + "c.png", "x");
    QVERIFY(QDir(folder).mkdir("z.ico")); // a folder, not an icon
    QCOMPARE(FindAppIcon(folder), folder + "b.ICO");
}

void TestStartupSteps::debugLogSwitch()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    TDebugLog log(folder);
    QCOMPARE(log.FileName(QDate(2026, 3, 7)), folder + "DebugFile20260307.Text");
    log.CreateFile();
    log.Log("123");
    QVERIFY(!QFile::exists(log.FileName())); // off: nothing written

    log.SetEnabled(true);
    log.CreateFile();
    QVERIFY(QFile::exists(log.FileName()));
    log.Log("123");
    log.Log(QString::fromUtf8("文本"));
    QFile f(log.FileName());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d 123\r$").match(QString::fromLatin1(lines[0])).hasMatch());
    QVERIFY(lines[1].endsWith("\xce\xc4\xb1\xbe\r"));

    qputenv("SIGN_DEBUG_LOG", "1");
    QVERIFY(TDebugLog::EnabledByEnvironment());
    qputenv("SIGN_DEBUG_LOG", "0");
    QVERIFY(!TDebugLog::EnabledByEnvironment());
    qunsetenv("SIGN_DEBUG_LOG");
    QVERIFY(!TDebugLog::EnabledByEnvironment());
}
