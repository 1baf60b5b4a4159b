#include "signstudio/comm/codec/packetid.h"
#include "signstudio/model/cardlist.h"
#include "signstudio/render/contentframes.h"
#include "signstudio/render/timetext.h"
#include "tests/signstudio/render/tst_suites.h"

#include <QTest>

namespace {

// Expected bytes are written out here from the frame tables; the CRC is
// computed bit by bit, independently of the table-driven one.
quint16 crcBitwise(const QByteArray &bytes)
{
    quint16 crc = 0xFFFF;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text));
}

QByteArray le16(int v)
{
    QByteArray b;
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b;
    for (int i = 0; i < 4; ++i)
        b.append(char(v >> (8 * i)));
    return b;
}

const QDateTime kNow(QDate(2024, 1, 15), QTime(9, 5, 7));
constexpr quint32 kPacketNumber = 0x1869F;  // 99999

TFodder material(int typeCode)
{
    TFodder m;
    m.FodderUID = QStringLiteral("123456789");
    m.DisplayMode = 1;
    m.DisplaySpeed = 2;
    m.StayTime = 3;
    m.TypeCode = typeCode;
    m.ExtraByte1 = 49;
    m.ExtraByte2 = 50;
    m.MaterialNo = 1;
    m.DataPacketCount = 1;
    return m;
}

// Frame bytes 17.. of the header for material() with this type code.
QByteArray header(char typeCode, char packetMarker, char colourDigit, int pageCount, char speed = 2)
{
    QByteArray h = QByteArray("123456789") + "," + hex("01") + speed + hex("03") + "010101991231";
    h += typeCode == '7' ? hex("13") : hex("0e");
    h += hex("000000") + hex("55aa") + hex("0000");
    h += typeCode;
    h += "12";  // ExtraByte1 49, ExtraByte2 50
    h += packetMarker;
    h += colourDigit;
    h += '1';
    if (typeCode == '7')
        h += hex("0000");
    else
        h += le16(pageCount) + hex("0000");
    return h;
}

QByteArray paramBlock(const QByteArray &params, int materialNo)
{
    QByteArray covered = params + hex("ff00") + le16(materialNo) + le16(1) + le16(1);
    const quint16 crc = crcBitwise(covered);
    return le32(quint32(params.size() + 10)) + covered + char(crc >> 8) + char(crc & 0xFF);
}

QByteArray dataBlock(const QByteArray &data, int materialNo, int packets, int packetNo)
{
    const QByteArray trailer = hex("ff00") + le16(materialNo) + le16(packets) + le16(packetNo);
    const quint16 crc = crcBitwise(data.right(1) + trailer);
    return le32(quint32(data.size() + 10)) + data + trailer + char(crc >> 8) + char(crc & 0xFF);
}

QByteArray frame(const QByteArray &payload)
{
    return hex("fe5c4b89") + le32(quint32(payload.size() + 19)) + hex("31") + hex("0001869f")
           + le32(quint32(payload.size())) + payload + hex("ffff");
}

} // namespace

void TestContentFrames::init()
{
    SetPacketIdGenerator([] { return kPacketNumber; });
    SetTimeTextClock([] { return kNow; });
}

void TestContentFrames::cleanup()
{
    SetPacketIdGenerator({});
    SetTimeTextClock({});
}

void TestContentFrames::packetCounts_data()
{
    QTest::addColumn<qint64>("length");
    QTest::addColumn<int>("packets");
    QTest::newRow("0") << qint64(0) << 0;
    QTest::newRow("1") << qint64(1) << 1;
    QTest::newRow("2048") << qint64(2048) << 1;
    QTest::newRow("2049") << qint64(2049) << 2;
    QTest::newRow("4096") << qint64(4096) << 2;
    QTest::newRow("4097") << qint64(4097) << 3;
}

void TestContentFrames::packetCounts()
{
    QFETCH(qint64, length);
    QFETCH(int, packets);
    QCOMPARE(PicturePacketCount(length), packets);
    QCOMPARE(InnerTextPacketCount(QString(1024, QLatin1Char('a'))), 1);
    QCOMPARE(InnerTextPacketCount(QString(1025, QLatin1Char('a'))), 2);
    QCOMPARE(InnerTextPacketCount(QString()), 0);
}

void TestContentFrames::parameterFrames_data()
{
    QTest::addColumn<int>("typeCode");
    QTest::addColumn<TFodder>("m");
    QTest::addColumn<QByteArray>("params");

    QTest::newRow("0 remote text") << int('0') << material('0') << hex("00000000000000");

    TFodder time = material('1');
    time.FormatCode = 4;
    time.FormatCode2 = 1;
    time.OptionCode = 1;
    time.Number1 = 5;
    time.Number2 = 30;
    time.DigitColor = 1;
    time.CharColor = 2;
    time.FontCode = 3;
    time.FontSizeCode = 2;
    time.VerAlign = 1;
    QTest::newRow("1 time") << int('1') << time << hex("04 01 85 9e 12 32 01");
    time.OptionCode = 0;
    time.VerAlign = 0;
    time.Number1 = 200;  // only bits 0..6 travel
    QTest::newRow("1 time lagging") << int('1') << time << hex("04 01 48 1e 12 32 00");

    TFodder down = material('3');
    down.Content = QStringLiteral("2024-03-17 08:09:10");  // a Sunday
    down.FormatCode = 1;
    down.FormatCode2 = 1;
    down.OptionCode = 0;
    down.DigitColor = 3;
    down.CharColor = 7;
    down.FontCode = 1;
    down.FontSizeCode = 0;
    QTest::newRow("3 count-down")
        << int('3') << down << hex("01 01 00 00 37 10 00 0a 09 08 00 11 03 18");

    TFodder up = material('4');
    up.Content = QStringLiteral("2023-12-30 23:59:58");  // a Saturday
    up.FormatCode = 8;
    up.FormatCode2 = 1;
    up.OptionCode = 1;
    up.DigitColor = 2;
    up.CharColor = 18;  // masked to 4 bits
    up.FontCode = 5;
    up.FontSizeCode = 7;
    QTest::newRow("4 count-up") << int('4') << up << hex("08 01 01 00 22 57 00 3a 3b 17 06 1e 0c 17");
    up.Content.clear();  // now: Monday 2024-01-15 09:05:07
    QTest::newRow("4 count-up from now") << int('4') << up << hex("08 01 01 00 22 57 00 07 05 09 01 0f 01 18");

    TFodder queue = material('5');
    queue.FormatCode2 = 2;
    queue.FontCode = 1;
    queue.FontSizeCode = 1;
    queue.DisplaySpeed = 8;
    queue.CharColor = 5;
    QTest::newRow("5 queue") << int('5') << queue << hex("02 11 08 05 00 00 00 00");

    TFodder data = material('6');
    data.FormatCode2 = 1;
    data.FormatCode = 2;
    data.OptionCode = 5;
    data.Number1 = 3;
    data.Number2 = 6;
    data.DigitColor = 1;
    data.CharColor = 7;
    data.FontCode = 2;
    data.FontSizeCode = 3;
    data.Content = QStringLiteral("  mm ");
    QTest::newRow("6 real-time data")
        << int('6') << data << hex("01 02 05 67 17 23 00 6d 6d 00 00 00 00 00 00 00 00");
    data.Content = QStringLiteral("0123456789ABC");
    QTest::newRow("6 content cut to 10 bytes")
        << int('6') << data << hex("01 02 05 67 17 23 00 30 31 32 33 34 35 36 37 38 39");
}

void TestContentFrames::parameterFrames()
{
    QFETCH(int, typeCode);
    QFETCH(TFodder, m);
    QFETCH(QByteArray, params);
    QCOMPARE(ParameterBytes(m).toHex(' '), params.toHex(' '));

    for (bool last : {false, true}) {
        m.IsLastMaterial = last;
        QList<rSendFdrContent> queue;
        queue.append(rSendFdrContent());  // records are appended after what is there
        const BuildResult r = BuildContentFrames(m, true, 58, 16, 64, queue);
        QVERIFY(r.Ok);
        QCOMPARE(queue.size(), 2);  // parameter frames are never sliced
        const rSendFdrContent &rec = queue.at(1);
        QByteArray payload = header(char(typeCode), '1', '3', 1, char(m.DisplaySpeed)) + paramBlock(params, 1);
        if (last)
            payload += "-1,";
        QCOMPARE(rec.Data.toHex(' '), frame(payload).toHex(' '));
        QCOMPARE(rec.Length, int(rec.Data.size()));
        QCOMPARE(rec.TypeCode, typeCode);
        QCOMPARE(rec.MaterialNo, 1);
        QCOMPARE(rec.PacketNo, 1);
        QCOMPARE(rec.PacketCount, 1);
        QCOMPARE(rec.PacketIndex, 1);
        QCOMPARE(rec.Sent, quint8(0));
        // The header is U + 51 bytes long with the common frame bytes.
        QCOMPARE(header(char(typeCode), '1', '3', 1).size() + 17, 9 + 51);
    }
}

void TestContentFrames::pictureFrame()
{
    TFodder m = material('8');
    m.CardData = hex("00 ff 7f 80 01");
    m.CardDataLen = 5;
    m.PageCount = 2;
    m.DataPacketCount = 1;
    m.MaterialNo = 3;
    QList<rSendFdrContent> queue;
    QVERIFY(BuildContentFrames(m, false, 57, 16, 64, queue).Ok);
    QCOMPARE(queue.size(), 1);
    const QByteArray payload = header('8', '1', '2', 2) + dataBlock(m.CardData, 3, 1, 1);
    QCOMPARE(queue.first().Data.toHex(' '), frame(payload).toHex(' '));
    QCOMPARE(queue.first().ItemValue, 1);
}

void TestContentFrames::innerTextFrames()
{
    TFodder m = material('7');
    m.Content = QString(1024, QLatin1Char('a')) + QStringLiteral("中b");
    m.CharColor = 1;
    m.FontCode = 1;
    m.FontSizeCode = 1;
    m.DataPacketCount = 2;
    QList<rSendFdrContent> queue;
    QVERIFY(BuildContentFrames(m, false, 56, 16, 64, queue).Ok);
    QCOMPARE(queue.size(), 2);
    const QByteArray prefix = le16(64 / 8) + le16(16) + hex("01 11 00");
    const QByteArray first = header('7', '1', '1', 0) + prefix + dataBlock(QByteArray(1024, 'a'), 1, 2, 1);
    const QByteArray second = header('7', '2', '1', 0) + prefix + dataBlock(hex("d6d0") + "b", 1, 2, 2);
    QCOMPARE(queue.at(0).Data.toHex(' '), frame(first).toHex(' '));
    QCOMPARE(queue.at(1).Data.toHex(' '), frame(second).toHex(' '));
    QCOMPARE(queue.at(1).PacketNo, 2);
    QCOMPARE(queue.at(1).TypeCode, int('7'));
    // Header with the 17 common bytes: U + 49.
    QCOMPARE(header('7', '1', '1', 0).size() + 17, 9 + 49);
}

void TestContentFrames::picturePackets_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<QList<int>>("packetSizes");
    QTest::newRow("4096 bytes") << 4096 << QList<int>{2048, 2048};
    QTest::newRow("4097 bytes") << 4097 << QList<int>{2048, 2048, 1};
    QTest::newRow("1 byte") << 1 << QList<int>{1};
}

void TestContentFrames::picturePackets()
{
    QFETCH(int, length);
    QFETCH(QList<int>, packetSizes);
    TFodder m = material(';');
    m.CardData.resize(length);
    for (int i = 0; i < length; ++i)
        m.CardData[i] = char(i * 7);
    m.CardDataLen = length;
    m.PageCount = 1;
    m.DataPacketCount = int(packetSizes.size());
    QList<rSendFdrContent> queue;
    QVERIFY(BuildContentFrames(m, false, 56, 16, 64, queue).Ok);
    QCOMPARE(queue.size(), packetSizes.size());
    int offset = 0;
    for (int k = 0; k < packetSizes.size(); ++k) {
        const QByteArray data = m.CardData.mid(offset, packetSizes[k]);
        offset += packetSizes[k];
        const QByteArray payload = header(';', k == 0 ? '1' : '2', '1', 1)
                                   + dataBlock(data, 1, int(packetSizes.size()), k + 1);
        QCOMPARE(queue.at(k).Data, frame(payload));
        QCOMPARE(queue.at(k).PacketNo, k + 1);
        QCOMPARE(queue.at(k).ItemValue, int(packetSizes.size()));
    }
}

void TestContentFrames::rs485Slices()
{
    // 2044 data bytes: 17 + 43 (header) + 14 + 2044 (block) + 2 = 2120 bytes.
    TFodder m = material('8');
    m.CardData = QByteArray(2044, '\x5A');
    m.CardDataLen = 2044;
    m.PageCount = 1;
    m.DataPacketCount = 1;
    QList<rSendFdrContent> whole;
    QVERIFY(BuildContentFrames(m, false, 56, 16, 64, whole).Ok);
    QCOMPARE(whole.size(), 1);
    QCOMPARE(whole.first().Length, 2120);

    QList<rSendFdrContent> slices;
    QVERIFY(BuildContentFrames(m, true, 56, 16, 64, slices).Ok);
    QCOMPARE(slices.size(), 9);
    QByteArray joined;
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(slices.at(i).PacketCount, 9);
        QCOMPARE(slices.at(i).PacketIndex, i + 1);
        QCOMPARE(slices.at(i).PacketNo, 1);
        QCOMPARE(slices.at(i).Length, i < 8 ? 256 : 72);
        joined += slices.at(i).Data;
    }
    QCOMPARE(joined, whole.first().Data);
}

void TestContentFrames::endMarkOnlyOnce()
{
    // Three materials; the last one has two packets.
    QList<TFodder> send{material('1'), material('8'), material('8')};
    send[1].CardData = QByteArray(100, '\1');
    send[1].CardDataLen = 100;
    send[2].CardData = QByteArray(3000, '\2');
    send[2].CardDataLen = 3000;
    for (int i = 0; i < send.size(); ++i) {
        send[i].MaterialNo = i + 1;
        send[i].PageCount = 1;
    }
    send.last().IsLastMaterial = true;
    for (bool sliced : {false, true}) {
        QList<rSendFdrContent> queue;
        for (const TFodder &m : send)
            QVERIFY(BuildContentFrames(m, sliced, 56, 16, 64, queue).Ok);
        int marks = 0;
        QByteArray lastFrame;
        for (int i = 0; i < queue.size(); ++i) {
            lastFrame += queue.at(i).Data;
            if (queue.at(i).PacketIndex == queue.at(i).PacketCount) {
                if (lastFrame.endsWith(QByteArray("-1,\xFF\xFF")))
                    ++marks;
                if (i + 1 < queue.size())
                    lastFrame.clear();
            }
        }
        QCOMPARE(marks, 1);
        QVERIFY(lastFrame.endsWith(QByteArray("-1,\xFF\xFF")));
    }
}

void TestContentFrames::remoteTextFrame()
{
    TFodder m = material(3);  // content attribute 3
    m.Content = QStringLiteral("raw");
    auto formatter = [](int typeCode, const QString &content) -> QString {
        return QStringLiteral("#^%1#^").arg(typeCode) + content;
    };
    for (bool last : {false, true}) {
        m.IsLastMaterial = last;
        QList<rSendFdrContent> queue;
        QVERIFY(BuildContentFrames(m, true, 56, 16, 64, queue, formatter).Ok);
        QCOMPARE(queue.size(), 1);
        QByteArray payload = QByteArray("123456789,") + hex("010203") + "010101991231" + hex("03000000")
                             + "all" + le32(9) + ";" + "#^3#^raw";
        if (last)
            payload += "-1,";
        QCOMPARE(queue.first().Data.toHex(' '), frame(payload).toHex(' '));
    }
}

void TestContentFrames::cardQueue()
{
    TCardList cards;
    auto card = std::make_unique<TFIXModem>();
    card->ColourCode = 57;
    card->ContentQueue.append(rSendFdrContent());
    TFIXModem *c = cards.Append(std::move(card));
    TFodder m = material('1');
    const BuildResult r = BuildContentFrames(m, true, cards, 0, 16, 64);
    QVERIFY(r.Ok);
    QCOMPARE(c->ContentQueue.size(), 2);
    const QByteArray &data = c->ContentQueue.at(1).Data;
    QCOMPARE(data.mid(17, header('1', '1', '2', 1).size()), header('1', '1', '2', 1));
    QCOMPARE(c->LastPacketId, QStringLiteral("0001869F"));
    QVERIFY(!BuildContentFrames(m, false, cards, 1, 16, 64).Ok);
    QVERIFY(!BuildContentFrames(m, false, cards, -1, 16, 64).Ok);
    QCOMPARE(c->ContentQueue.size(), 2);
}

void TestContentFrames::refusesBadMaterial_data()
{
    QTest::addColumn<TFodder>("m");
    TFodder noData = material('8');
    QTest::newRow("picture without data") << noData;
    TFodder noText = material('7');
    QTest::newRow("empty inner-code text") << noText;
    TFodder unknown = material('A');
    QTest::newRow("unknown type code") << unknown;
    TFodder longRemote = material(1);
    longRemote.Content = QString(5000, QLatin1Char('x'));
    QTest::newRow("remote text beyond one frame") << longRemote;
}

void TestContentFrames::refusesBadMaterial()
{
    QFETCH(TFodder, m);
    QList<rSendFdrContent> queue{rSendFdrContent()};
    const BuildResult r = BuildContentFrames(m, false, 56, 16, 64, queue);
    QVERIFY(!r.Ok);
    QVERIFY(!r.Error.isEmpty());
    QCOMPARE(queue.size(), 1);
}
