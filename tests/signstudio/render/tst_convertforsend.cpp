#include "signstudio/render/contentframes.h"
#include "signstudio/render/convertforsend.h"
#include "signstudio/render/packpixels.h"
#include "signstudio/render/textlayout.h"
#include "signstudio/render/timetext.h"
#include "tests/signstudio/render/tst_helpers.h"
#include "tests/signstudio/render/tst_suites.h"

#include <QTemporaryDir>
#include <QTest>

using RenderTest::Run;

namespace {

const QString kData = QStringLiteral(SIGN_TEST_DATA_DIR "/render/");

TFodder ofKind(int kind, int typeCode)
{
    TFodder m;
    m.FodderUID = QStringLiteral("120000001");
    m.Kind = kind;
    m.TypeCode = typeCode;
    m.StayTime = 1;
    m.DisplayMode = 1;
    return m;
}

void setFiles(TFodder &m, const QStringList &names)
{
    m.PictureFiles.clear();
    for (int i = 0; i < names.size(); ++i)
        m.PictureFiles.append(TFileInfo{i + 1, names.at(i)});
}

QString savedPicture(const QTemporaryDir &dir, const QString &name, const QImage &image)
{
    const QString path = dir.filePath(name);
    const bool ok = image.save(path);
    Q_ASSERT(ok);
    return path;
}

} // namespace

void TestConvertForSend::init()
{
    SetTimeTextClock([] { return QDateTime(QDate(2024, 1, 15), QTime(9, 5, 7)); });
}

void TestConvertForSend::cleanup()
{
    SetTimeTextClock({});
}

void TestConvertForSend::textPages()
{
    TFodder m = ofKind(0, '8');
    m.Content = Run("AB", 1) + ">" + Run("CD", 2) + ">" + Run("EF", 3);
    m.StayTime = 1;  // paged: one page per editor line
    const ConvertResult r = ConvertForSend(m, 64, 32, 57);
    QVERIFY2(r.Ok, qPrintable(r.Error));
    QCOMPARE(m.PageCount, 3);
    QCOMPARE(m.CardDataLen, 3 * 64 * 32 * 2 / 8);
    QCOMPARE(m.CardData.size(), qsizetype(m.CardDataLen));
    QCOMPARE(m.DataPacketCount, 1);  // 1536 bytes
    const LayoutResult pages = LayoutRichText(m.Content, false, RichLayoutKind::Paged, false, 0, 0,
                                              0, 32, 64);
    QByteArray expected;
    for (const QImage &p : pages.Pages)
        expected += PackPixels(p, 2);
    QCOMPARE(m.CardData, expected);

    // Moving left without stop lays the text out as one strip.
    m.StayTime = 0;
    QVERIFY(ConvertForSend(m, 64, 32, 56).Ok);
    QCOMPARE(m.PageCount, 1);
    QCOMPARE(m.CardDataLen, 64 * 32 / 8);
    QCOMPARE(m.DataPacketCount, 1);
}

void TestConvertForSend::picturesFitted()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage white(36, 2, QImage::Format_RGB32);
    white.fill(qRgb(255, 255, 255));
    QImage red(100, 10, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    TFodder m = ofKind(2, '8');
    setFiles(m, {savedPicture(dir, "white.png", white), savedPicture(dir, "red.bmp", red)});
    const ConvertResult r = ConvertForSend(m, 64, 2, 58);
    QVERIFY2(r.Ok, qPrintable(r.Error));
    QCOMPARE(m.PageCount, 2);
    // Page 1: 36 lit columns then padding, in all three planes; page 2 red.
    QByteArray row;
    for (int g = 0; g < 8; ++g)
        row += QByteArray(3, g < 4 ? '\x00' : g == 4 ? '\x0F' : '\xFF');
    QByteArray redRow;
    for (int g = 0; g < 8; ++g)
        redRow += QByteArray("\x00\xFF\xFF", 3);
    QCOMPARE(m.CardData.toHex(' '), QByteArray(row + row + redRow + redRow).toHex(' '));
    QCOMPARE(m.CardDataLen, 96);
    QCOMPARE(m.DataPacketCount, 1);
}

void TestConvertForSend::animationFramesInOrder()
{
    TFodder m = ofKind(11, ';');
    m.Content = kData + "three_frames.gif";
    const ConvertResult r = ConvertForSend(m, 8, 8, 58);
    QVERIFY2(r.Ok, qPrintable(r.Error));
    QCOMPARE(m.PageCount, 3);
    QCOMPARE(m.CardDataLen, 3 * 8 * 3);
    // Red, green, blue frames: the lit plane is all 0x00, the others 0xFF.
    for (int page = 0; page < 3; ++page) {
        for (int group = 0; group < 8; ++group) {
            for (int plane = 0; plane < 3; ++plane) {
                const char want = plane == page ? '\x00' : '\xFF';
                QCOMPARE(m.CardData.at(page * 24 + group * 3 + plane), want);
            }
        }
    }
    QList<rSendFdrContent> queue;
    m.MaterialNo = 1;
    QVERIFY(BuildContentFrames(m, false, 58, 8, 8, queue).Ok);
    QCOMPARE(queue.size(), 1);
    // PageCount travels in the header at frame offset b + 31 (b = 16 + 9).
    QCOMPARE(quint8(queue.first().Data.at(16 + 9 + 31)), quint8(3));
}

void TestConvertForSend::failures_data()
{
    QTest::addColumn<TFodder>("m");
    QTest::addColumn<QSize>("region");
    QTest::addColumn<QString>("file");

    TFodder text = ofKind(1, '8');
    QTest::newRow("empty text") << text << QSize(64, 16) << QString();
    text.Content = QStringLiteral("no runs at all");
    QTest::newRow("text without runs") << text << QSize(64, 16) << QString();
    text.Content = Run("A", 1);
    QTest::newRow("zero-sized region") << text << QSize(0, 16) << QString();
    TFodder pictures = ofKind(2, '8');
    QTest::newRow("no pictures") << pictures << QSize(64, 16) << QString();
    setFiles(pictures, {kData + "not_a_picture.bmp"});
    QTest::newRow("unreadable picture") << pictures << QSize(64, 16) << kData + "not_a_picture.bmp";
    setFiles(pictures, {kData + "missing.png"});
    QTest::newRow("missing picture") << pictures << QSize(64, 16) << kData + "missing.png";
    TFodder table = ofKind(3, '8');
    setFiles(table, {kData + "three_frames.gif", kData + "no_frames.gif"});
    QTest::newRow("table with an unreadable page") << table << QSize(8, 8) << kData + "no_frames.gif";
    TFodder movie = ofKind(11, ';');
    QTest::newRow("animation without file name") << movie << QSize(8, 8) << QString();
    movie.Content = kData + "missing.gif";
    QTest::newRow("animation file missing") << movie << QSize(8, 8) << kData + "missing.gif";
    movie.Content = kData + "no_frames.gif";
    QTest::newRow("animation with no frames") << movie << QSize(8, 8) << kData + "no_frames.gif";
    movie.Content = kData;
    QTest::newRow("animation names a folder") << movie << QSize(8, 8) << kData;
    TFodder inner = ofKind(9, '7');
    QTest::newRow("empty inner-code text") << inner << QSize(64, 16) << QString();
}

void TestConvertForSend::failures()
{
    QFETCH(TFodder, m);
    QFETCH(QSize, region);
    QFETCH(QString, file);
    m.CardData = QByteArray("old");
    m.CardDataLen = 3;
    const ConvertResult r = ConvertForSend(m, region.width(), region.height(), 56);
    QVERIFY(!r.Ok);
    QVERIFY(!r.Error.isEmpty());
    QCOMPARE(r.FileName, file);
    QVERIFY(m.CardData.isEmpty());
    QCOMPARE(m.CardDataLen, 0);
    QCOMPARE(m.DataPacketCount, 0);
}

void TestConvertForSend::cardDrawnKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("typeCode");
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("packets");
    QTest::newRow("time") << 4 << int('1') << QString() << 0;
    QTest::newRow("queue") << 6 << int('5') << QString() << 0;
    QTest::newRow("count-up") << 7 << int('4') << QStringLiteral("2024-01-01 00:00:00") << 0;
    QTest::newRow("count-down, empty target") << 8 << int('3') << QString() << 0;
    QTest::newRow("real-time data") << 10 << int('6') << QString() << 0;
    QTest::newRow("inner-code text") << 9 << int('7') << QString(1500, QLatin1Char('x')) << 2;
}

void TestConvertForSend::cardDrawnKinds()
{
    QFETCH(int, kind);
    QFETCH(int, typeCode);
    QFETCH(QString, content);
    QFETCH(int, packets);
    TFodder m = ofKind(kind, typeCode);
    m.Content = content;
    QVERIFY(ConvertForSend(m, 64, 16, 56).Ok);
    QVERIFY(m.CardData.isEmpty());
    QCOMPARE(m.CardDataLen, 0);
    QCOMPARE(m.DataPacketCount, packets);
    m.MaterialNo = 1;
    QList<rSendFdrContent> queue;
    QVERIFY(BuildContentFrames(m, false, 56, 16, 64, queue).Ok);
    QCOMPARE(queue.size(), qMax(1, packets));
    QCOMPARE(ConvertStatusText(QStringLiteral("C1")),
             QStringLiteral("[C1]Sent Content is being transformed."));
}

void TestConvertForSend::textOverPageLimit()
{
    TFodder m = ofKind(0, '8');
    QStringList runs;
    for (int i = 1; i <= MaxLayoutPages + 1; ++i)
        runs.append(Run("A", i));
    m.Content = runs.join(QLatin1Char('>'));
    const ConvertResult r = ConvertForSend(m, 8, 16, 56);
    QVERIFY(!r.Ok);
    QVERIFY(r.Error.contains(QString::number(MaxLayoutPages)));
    QVERIFY(m.CardData.isEmpty());
    runs.removeLast();
    m.Content = runs.join(QLatin1Char('>'));
    QVERIFY(ConvertForSend(m, 8, 16, 56).Ok);
    QCOMPARE(m.PageCount, MaxLayoutPages);
}
