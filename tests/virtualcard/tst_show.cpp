#include "tests/virtualcard/tst_suites.h"

#include "virtualcard/materialparams.h"
#include "virtualcard/playbillsaver.h"
#include "virtualcard/programreceiver.h"
#include "virtualcard/screenplayer.h"

#include "signstudio/model/fodder.h"
#include "signstudio/model/fodderkind.h"
#include "signstudio/render/contentframes.h"
#include "signstudio/render/packpixels.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Entry(const TFodder &m, int x, int y, int w, int h)
{
    const auto n3 = [](int v) { return QByteArray::number(v).rightJustified(3, '0'); };
    return m.FodderUID.toLatin1() + char(m.TypeCode) + n3(x / 8) + n3(y) + n3(w / 8) + n3(h) + "1000000000#0"
         + QByteArray::number(m.PlayTimes) + "#10;";
}

QImage Solid(int w, int h, QRgb c)
{
    QImage i(w, h, QImage::Format_RGB32);
    i.fill(c);
    return i;
}

void Feed(ProgramReceiver &r, const TFodder &m, int colourCode, int w, int h)
{
    QList<rSendFdrContent> queue;
    QVERIFY(BuildContentFrames(m, false, colourCode, h, w, queue).Ok);
    for (const rSendFdrContent &item : queue)
        r.OnContentFrame(item.Data);
}

// A playbill of two pages: page 1 (every day) holds a two-picture material
// (red, then green) at 0,0 64x16 and a time material at 0,16 64x16; page 2
// (Saturday only) a yellow picture over the whole 64x32 screen.
ReceivedPlaybill TwoPages(const QByteArray &firstUid = "900000011")
{
    TFodder pics = TFodder::NewOfKind(fkPictureGroup, QDateTime::currentDateTime());
    pics.FodderUID = QString::fromLatin1(firstUid);
    pics.CardData = PackPixels(Solid(64, 16, qRgb(255, 0, 0)), 2) + PackPixels(Solid(64, 16, qRgb(0, 255, 0)), 2);
    pics.CardDataLen = int(pics.CardData.size());
    pics.PageCount = 2;
    pics.DataPacketCount = 1;
    pics.MaterialNo = 1;
    pics.StayTime = 1;
    TFodder time = TFodder::NewOfKind(fkTime, QDateTime::currentDateTime());
    time.FodderUID = QStringLiteral("900000012");
    time.CharColor = 3;
    time.FontSizeCode = 0;
    time.MaterialNo = 2;
    TFodder blue = TFodder::NewOfKind(fkPictureGroup, QDateTime::currentDateTime());
    blue.FodderUID = QStringLiteral("900000013");
    blue.CardData = PackPixels(Solid(64, 32, qRgb(255, 255, 0)), 2);
    blue.CardDataLen = int(blue.CardData.size());
    blue.PageCount = 1;
    blue.DataPacketCount = 1;
    blue.MaterialNo = 3;
    blue.IsLastMaterial = true;
    const QByteArray text = "900000010,08:00-18:00." + Entry(pics, 0, 0, 64, 16) + Entry(time, 0, 16, 64, 16)
                          + ",00\x44" "00-24\x40" "00." + Entry(blue, 0, 0, 64, 32);
    ProgramReceiver r;
    r.SetLinkName(QStringLiteral("tcp"));
    r.OnProgramData(text);
    Feed(r, pics, 57, 64, 16);
    Feed(r, time, 57, 64, 16);
    Feed(r, blue, 57, 64, 32);
    return r.Playbill();
}

} // namespace

void TestShow::parameters_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("time") << int(fkTime);
    QTest::newRow("count-down") << int(fkCountDown);
    QTest::newRow("count-up") << int(fkCountUp);
    QTest::newRow("queue") << int(fkQueue);
    QTest::newRow("real-time data") << int(fkRealTime);
}

// The parameter bytes the renderer writes read back into the material's fields.
void TestShow::parameters()
{
    QFETCH(int, kind);
    TFodder m = TFodder::NewOfKind(kind, QDateTime::currentDateTime());
    m.FormatCode = 5;
    m.FormatCode2 = 3;
    m.OptionCode = 1;
    m.Number1 = 7;
    m.Number2 = 2;
    m.DigitColor = 2;
    m.CharColor = 6;
    m.FontCode = 3;
    m.FontSizeCode = 4;
    if (kind == fkCountDown || kind == fkCountUp)
        m.Content = QStringLiteral("2027-03-04 05:06:07");
    if (kind == fkRealTime)
        m.Content = QStringLiteral("kWh");
    const MaterialParams p = MaterialParams::Decode(m.TypeCode, ParameterBytes(m));
    QVERIFY(p.Valid);
    QCOMPARE(p.CharColor, kind == fkQueue ? 6 : 6);
    QCOMPARE(p.FontSizeCode, 4);
    QCOMPARE(p.FontCode, 3);
    switch (kind) {
    case fkTime:
        QCOMPARE(p.FormatCode, 5);
        QCOMPARE(p.OptionCode, 1);
        QCOMPARE(p.Number1, 7);
        QCOMPARE(p.Number2, 2);
        QCOMPARE(p.DigitColor, 2);
        break;
    case fkCountDown:
    case fkCountUp:
        QCOMPARE(p.Target, QDateTime(QDate(2027, 3, 4), QTime(5, 6, 7)));
        QVERIFY(!p.DisplayText(QDateTime(QDate(2027, 3, 3), QTime(5, 6, 7))).isEmpty());
        if (kind == fkCountDown)
            QCOMPARE(p.DisplayText(QDateTime(QDate(2027, 3, 3), QTime(4, 6, 6))), QStringLiteral("1d 01:00:01"));
        break;
    case fkQueue:
        QCOMPARE(p.FormatCode2, 3);
        break;
    case fkRealTime:
        QCOMPARE(p.FormatCode, 5);
        QCOMPARE(p.Number1, 7);
        QCOMPARE(p.Number2, 2);
        QCOMPARE(p.Unit, QStringLiteral("kWh"));
        break;
    default:
        break;
    }
}

void TestShow::saveWritesPngAndSummary()
{
    const ReceivedPlaybill playbill = TwoPages();
    QVERIFY(playbill.IsComplete());
    QTemporaryDir dir;
    CardProfile profile;
    const SaveResult r = PlaybillSaver::Save(playbill, profile, dir.path());
    QVERIFY2(r.ok(), qPrintable(r.Error));
    QVERIFY(r.Folder.startsWith(QDir(dir.path()).filePath(profile.InnerCodeText())));
    QCOMPARE(r.Files.size(), 4); // 2 + 1 pictures, summary
    QImage first(QDir(r.Folder).filePath(r.Files.at(0)));
    QCOMPARE(first.size(), QSize(64, 16));
    QCOMPARE(first.pixel(3, 3) & 0xFFFFFF, 0xFF0000u);
    QImage second(QDir(r.Folder).filePath(r.Files.at(1)));
    QCOMPARE(second.pixel(3, 3) & 0xFFFFFF, 0x00FF00u);

    QFile json(QDir(r.Folder).filePath(QStringLiteral("playbill.json")));
    QVERIFY(json.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(json.readAll()).object();
    QCOMPARE(root.value(QStringLiteral("card")).toObject().value(QStringLiteral("innerCode")).toString(),
             profile.InnerCodeText());
    QCOMPARE(root.value(QStringLiteral("transfer")).toObject().value(QStringLiteral("link")).toString(), QStringLiteral("tcp"));
    QVERIFY(root.value(QStringLiteral("transfer")).toObject().value(QStringLiteral("complete")).toBool());
    const QJsonArray pages = root.value(QStringLiteral("pages")).toArray();
    QCOMPARE(pages.size(), 2);
    const QJsonObject p2 = pages.at(1).toObject();
    QCOMPARE(p2.value(QStringLiteral("dateMode")).toInt(), 2);
    QCOMPARE(p2.value(QStringLiteral("weekDays")).toArray(), QJsonArray({6}));
    QCOMPARE(p2.value(QStringLiteral("endTime")).toString(), QStringLiteral("24:00"));
    const QJsonArray m1 = pages.at(0).toObject().value(QStringLiteral("materials")).toArray();
    QCOMPARE(m1.size(), 2);
    QCOMPARE(m1.at(0).toObject().value(QStringLiteral("typeCode")).toString(), QStringLiteral("8"));
    QCOMPARE(m1.at(0).toObject().value(QStringLiteral("files")).toArray().size(), 2);
    QCOMPARE(m1.at(0).toObject().value(QStringLiteral("region")).toObject().value(QStringLiteral("width")).toInt(), 64);
    const QJsonObject time = m1.at(1).toObject();
    QCOMPARE(time.value(QStringLiteral("typeCode")).toString(), QStringLiteral("1"));
    QCOMPARE(time.value(QStringLiteral("parameters")).toObject().value(QStringLiteral("charColor")).toInt(), 3);

    // A second save of the same playbill does not overwrite the first.
    const SaveResult again = PlaybillSaver::Save(playbill, profile, dir.path());
    QVERIFY(again.ok());
    QVERIFY(again.Folder != r.Folder);
}

void TestShow::saveKeepsNamesInsideTheFolder()
{
    const ReceivedPlaybill playbill = TwoPages("../../x");
    QCOMPARE(playbill.Materials.first().Entry.FodderUID, QStringLiteral("../../x"));
    QVERIFY(playbill.IsComplete());
    QTemporaryDir dir;
    const SaveResult r = PlaybillSaver::Save(playbill, CardProfile(), dir.path());
    QVERIFY2(r.ok(), qPrintable(r.Error));
    for (const QString &name : r.Files) {
        QVERIFY(!name.contains(QLatin1Char('/')));
        QVERIFY(QFileInfo::exists(QDir(r.Folder).filePath(name)));
    }
}

void TestShow::saveReportsFailure()
{
    QTemporaryDir dir;
    const QString blocker = QDir(dir.path()).filePath(QStringLiteral("file"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const SaveResult r = PlaybillSaver::Save(TwoPages(), CardProfile(), blocker);
    QVERIFY(!r.ok());
    QVERIFY(!r.Error.isEmpty());
}

void TestShow::playerTurnsPagesAndObeysSchedules()
{
    ScreenPlayer player;
    player.SetPlaybill(TwoPages(), 64, 32);
    const QDateTime friday(QDate(2026, 12, 11), QTime(12, 0));
    const QDateTime saturday = friday.addDays(1);
    const QDateTime fridayNight(QDate(2026, 12, 11), QTime(20, 0));
    // Page 1: two pictures of 5 s each, the time material beside them.
    QCOMPARE(player.PageDurationMs(0), 10000);
    QCOMPARE(player.RegionCount(0), 2);
    QCOMPARE(player.PageAt(friday, 0), 0);
    QCOMPARE(player.PageAt(friday, 12000), 0);        // only page 1 plays on Friday
    QCOMPARE(player.PageAt(fridayNight, 0), -1);      // nothing after 18:00 on Friday
    QCOMPARE(player.PageAt(saturday, 1000), 0);
    QCOMPARE(player.PageAt(saturday, 11000), 1);      // Saturday: both take turns
    QCOMPARE(player.MaterialAt(0, 0, 1000), qMakePair(0, 0));
    QCOMPARE(player.MaterialAt(0, 0, 6000), qMakePair(0, 1));
    QCOMPARE(player.MaterialAt(0, 0, 11000), qMakePair(0, 0));

    QCOMPARE(player.Render(friday, 1000).pixel(10, 5) & 0xFFFFFF, 0xFF0000u);
    QCOMPARE(player.Render(friday, 6000).pixel(10, 5) & 0xFFFFFF, 0x00FF00u);
    QCOMPARE(player.Render(saturday, 11000).pixel(10, 25) & 0xFFFFFF, 0xFFFF00u);
    QCOMPARE(player.Render(fridayNight, 0).pixel(10, 5) & 0xFFFFFF, 0u);

    player.SetTimeScale(0.1);
    player.SetPlaybill(TwoPages(), 64, 32);
    QCOMPARE(player.PageDurationMs(0), 1000);
}

void TestShow::playerDrawsCardDrawnMaterials()
{
    ScreenPlayer player;
    player.SetPlaybill(TwoPages(), 64, 32);
    const QImage screen = player.Render(QDateTime(QDate(2026, 12, 11), QTime(12, 0)), 0);
    // The time material (yellow) draws something in the lower half and nothing above it.
    int lit = 0;
    for (int y = 16; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            if ((screen.pixel(x, y) & 0xFFFFFF) == 0xFFFF00u)
                ++lit;
    QVERIFY(lit > 10);
}
