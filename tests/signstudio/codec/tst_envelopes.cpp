#include "signstudio/comm/codec/busenvelope.h"
#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/commandframes.h"
#include "signstudio/comm/codec/crc16modbus.h"
#include "signstudio/comm/codec/linkencoding.h"
#include "signstudio/comm/codec/splitforbus.h"
#include "signstudio/comm/codec/xorcheck.h"
#include "tests/common/udp/goldenhex.h"
#include "tests/signstudio/codec/tst_suites.h"

#include <QTest>

namespace {

const QDateTime Friday(QDate(2026, 12, 11), QTime(13, 45, 9));

InnerCode Code12345678()
{
    return InnerCode::FromText(QStringLiteral("1_2_3_4_5_6_7_8")).Value;
}

// An envelope's own fields agree: length, CRC over bytes 1..end of slice,
// XOR over bytes 1..last CRC byte.
void VerifyEnvelope(const QByteArray &e)
{
    QVERIFY(e.size() >= 21);
    QCOMPARE(quint8(e[0]), quint8(0xFE));
    QCOMPARE(quint8(e[1]), quint8(0x98));
    const int length = (quint8(e[2]) << 8) | quint8(e[3]);
    QCOMPARE(length + 2, int(e.size()));
    QCOMPARE(e.mid(4, 3), QByteArray("\x97\x54\x00", 3));
    QCOMPARE(quint8(e[15]), quint8(0x01));
    const qsizetype crcAt = e.size() - 3;
    QCOMPARE(e.mid(crcAt, 2), Crc16Modbus(QByteArrayView(e).sliced(1, crcAt - 1)));
    QCOMPARE(quint8(e.back()), XorCheck(QByteArrayView(e).sliced(1, e.size() - 2)));
}

} // namespace

void TestEnvelopes::cleanup()
{
    SetPacketIdGenerator({});
}

void TestEnvelopes::golden_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("built");
    const PacketId id = PacketId::FromNumber(12345);
    QTest::newRow("serial clock on the bus")
        << "envelopes/serial_clock_bus.hex" << BuildEnvelope(Code12345678(), 1, 1, BuildSerialClockFrame(id, Friday));
    QTest::newRow("identify on the bus")
        << "envelopes/identify_bus.hex"
        << EncodeForLink(BuildIdentifyFrame(id), LinkRs485, QStringLiteral("1_2_3_4_5_6_7_8")).Value;
}

void TestEnvelopes::golden()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, built);
    QString error;
    const QByteArray expected = LoadGoldenHex(file, &error);
    QVERIFY2(!expected.isEmpty(), qPrintable(error));
    QCOMPARE(built.toHex(' '), expected.toHex(' '));
}

void TestEnvelopes::envelopeSizes_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("lengthField");
    const PacketId id = PacketId::FromNumber(77);
    QTest::newRow("serial clock 59") << BuildSerialClockFrame(id, Friday) << 59 << QByteArray("\x00\x39", 2);
    QTest::newRow("start play 40") << BuildStartPlayFrame(id) << 40 << QByteArray("\x00\x26", 2);
    QTest::newRow("stop play 40") << BuildStopPlayFrame(id) << 40 << QByteArray("\x00\x26", 2);
    QTest::newRow("read params 40") << BuildReadParamsFrame(id) << 40 << QByteArray("\x00\x26", 2);
    QTest::newRow("write params 57") << BuildWriteParamsFrame(id, ParamBlock()) << 57 << QByteArray("\x00\x37", 2);
    QTest::newRow("full slice") << QByteArray(256, '\x5A') << 277 << QByteArray("\x01\x13", 2);
}

void TestEnvelopes::envelopeSizes()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, size);
    QFETCH(QByteArray, lengthField);
    const CodecResult<QByteArray> e = EncodeForLink(frame, LinkRs485, Code12345678());
    QVERIFY(e.Ok());
    QCOMPARE(e.Value.size(), size);
    QCOMPARE(e.Value.mid(2, 2), lengthField);
    QCOMPARE(e.Value.mid(7, 8), QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08"));
    QCOMPARE(e.Value.mid(15, 3), QByteArray("\x01\x01\x01"));
    QCOMPARE(e.Value.mid(18, frame.size()), frame);
    VerifyEnvelope(e.Value);
}

void TestEnvelopes::encodeForLink_data()
{
    QTest::addColumn<int>("link");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("frameSize");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("enveloped");

    QTest::newRow("serial bare") << int(LinkSerial) << "1_2_3_4_5_6_7_8" << 19 << true << false;
    QTest::newRow("network bare") << int(LinkNetwork) << "1_2_3_4_5_6_7_8" << 19 << true << false;
    QTest::newRow("bus enveloped") << int(LinkRs485) << "1_2_3_4_5_6_7_8" << 19 << true << true;
    QTest::newRow("bad code ignored off the bus") << int(LinkSerial) << "1_2_3" << 19 << true << false;
    QTest::newRow("seven-item code refused on the bus") << int(LinkRs485) << "1_2_3_4_5_6_7" << 19 << false << false;
    QTest::newRow("nine-item code refused on the bus") << int(LinkRs485) << "1_2_3_4_5_6_7_8_9" << 19 << false
                                                       << false;
    QTest::newRow("long frame off the bus") << int(LinkNetwork) << "" << 4096 << true << false;
    QTest::newRow("frame of one slice on the bus") << int(LinkRs485) << "1_2_3_4_5_6_7_8" << 256 << true << true;
    QTest::newRow("frame over one slice refused on the bus") << int(LinkRs485) << "1_2_3_4_5_6_7_8" << 257 << false
                                                             << false;
}

void TestEnvelopes::encodeForLink()
{
    QFETCH(int, link);
    QFETCH(QString, code);
    QFETCH(int, frameSize);
    QFETCH(bool, ok);
    QFETCH(bool, enveloped);
    const QByteArray frame = BuildContentItemFrame(PacketId::FromNumber(1), QByteArray(frameSize - 19, 'c'));
    const CodecResult<QByteArray> r = EncodeForLink(frame, link, code);
    QCOMPARE(r.Ok(), ok);
    if (!ok) {
        QVERIFY(r.Value.isEmpty());
        return;
    }
    if (enveloped) {
        QCOMPARE(r.Value.size(), frame.size() + 21);
        QCOMPARE(r.Value.mid(18, frame.size()), frame);
        VerifyEnvelope(r.Value);
    } else {
        QCOMPARE(r.Value, frame);
    }
}

void TestEnvelopes::splitForBus_data()
{
    QTest::addColumn<int>("payload");
    QTest::addColumn<QList<int>>("frameSizes");
    QTest::addColumn<QList<int>>("sliceCounts");

    QTest::newRow("5000 bytes") << 5000 << QList<int>{2067, 2067, 923} << QList<int>{9, 9, 4};
    QTest::newRow("one byte") << 1 << QList<int>{20} << QList<int>{1};
    QTest::newRow("237 fills one slice") << 237 << QList<int>{256} << QList<int>{1};
    QTest::newRow("238 needs two") << 238 << QList<int>{257} << QList<int>{2};
    QTest::newRow("exactly one chunk") << 2048 << QList<int>{2067} << QList<int>{9};
    QTest::newRow("one over a chunk") << 2049 << QList<int>{2067, 20} << QList<int>{9, 1};
    QTest::newRow("empty") << 0 << QList<int>{} << QList<int>{};
}

void TestEnvelopes::splitForBus()
{
    QFETCH(int, payload);
    QFETCH(QList<int>, frameSizes);
    QFETCH(QList<int>, sliceCounts);

    quint32 next = 100;
    SetPacketIdGenerator([&next] { return next++; });
    const QList<BusSlice> slices = SplitForBus(QByteArray(payload, 'p'), Code12345678());

    int expectedTotal = 0;
    for (int c : sliceCounts)
        expectedTotal += c;
    QCOMPARE(slices.size(), expectedTotal);

    int index = 0;
    for (int chunk = 0; chunk < frameSizes.size(); ++chunk) {
        const int m = sliceCounts[chunk];
        int carried = 0;
        for (int j = 1; j <= m; ++j, ++index) {
            const BusSlice &s = slices[index];
            QCOMPARE(s.Chunk, chunk + 1);
            QCOMPARE(s.SliceCount, m);
            QCOMPARE(s.SliceNumber, j);
            QCOMPARE(s.Id.Number, quint32(100 + chunk));
            QCOMPARE(quint8(s.Envelope[16]), quint8(m));
            QCOMPARE(quint8(s.Envelope[17]), quint8(j));
            const int sliceBytes = int(s.Envelope.size()) - 21;
            QCOMPARE(sliceBytes, j < m ? 256 : frameSizes[chunk] - 256 * (m - 1));
            carried += sliceBytes;
            VerifyEnvelope(s.Envelope);
        }
        QCOMPARE(carried, frameSizes[chunk]);
    }
}

void TestEnvelopes::splitForBusReassembles()
{
    QByteArray payload(5000, '\0');
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = char(i * 7 + i / 256);
    const QList<BusSlice> slices = SplitForBus(payload, Code12345678());

    // The last slice of a 2067-byte frame holds 19 bytes in a 40-byte envelope.
    QCOMPARE(slices[8].Envelope.size(), 40);
    QCOMPARE(slices[17].Envelope.size(), 40);

    QByteArray rebuilt;
    QByteArray frame;
    for (const BusSlice &s : slices) {
        frame += s.Envelope.mid(18, s.Envelope.size() - 21);
        if (s.SliceNumber == s.SliceCount) {
            QVERIFY(HasCardFrameHeader(frame));
            QCOMPARE(CardFrameCommand(frame), 0x22);
            QCOMPARE(frame.mid(9, 4), s.Id.Bytes);
            QVERIFY(EndsWithTrailer(frame));
            rebuilt += frame.mid(17, frame.size() - 19);
            frame.clear();
        }
    }
    QVERIFY(frame.isEmpty());
    QCOMPARE(rebuilt, payload);
}

void TestEnvelopes::sliceFrame()
{
    const QByteArray frame(2120, 'f');
    const QList<QByteArray> pieces = SliceFrame(frame);
    QCOMPARE(pieces.size(), 9);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(pieces[i].size(), 256);
    QCOMPARE(pieces[8].size(), 72);
    QVERIFY(SliceFrame(QByteArray()).isEmpty());
    QCOMPARE(SliceFrame(QByteArray(256, 'x')).size(), 1);
    QVERIFY(SliceFrame(frame, 0).isEmpty());
}

void TestEnvelopes::parseSentFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("payload");
    const PacketId id = PacketId::FromNumber(12345);
    QTest::newRow("identify") << BuildIdentifyFrame() << 0x71 << QByteArray();
    QTest::newRow("clock") << BuildSerialClockFrame(id, Friday) << 0x62 << QByteArray("1#2026121105134509#");
    QTest::newRow("content item") << BuildContentItemFrame(id, QByteArray(300, '\x00')) << 0x31
                                  << QByteArray(300, '\x00');
}

void TestEnvelopes::parseSentFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, command);
    QFETCH(QByteArray, payload);
    const CodecResult<CardFrameParts> f = ParseCardFrame(frame);
    QVERIFY2(f.Ok(), qPrintable(f.Error));
    QCOMPARE(f.Value.Command, command);
    QCOMPARE(f.Value.Id, frame.mid(9, 4));
    QCOMPARE(f.Value.Payload, payload);

    if (frame.size() > 256)
        return;
    const QByteArray e = EncodeForLink(frame, LinkRs485, Code12345678()).Value;
    const CodecResult<EnvelopeParts> parts = ParseEnvelope(e);
    QVERIFY2(parts.Ok(), qPrintable(parts.Error));
    QVERIFY(parts.Value.CheckOk);
    QCOMPARE(parts.Value.Code, Code12345678());
    QCOMPARE(parts.Value.Marker, 0x54);
    QCOMPARE(parts.Value.SliceCount, 1);
    QCOMPARE(parts.Value.SliceNumber, 1);
    QCOMPARE(parts.Value.Slice, frame);

    // Every shorter piece is refused, never read past.
    for (int n = 0; n < e.size(); ++n) {
        const QByteArray cut = e.left(n);
        QVERIFY(!ParseEnvelope(cut).Ok());
    }
    for (int n = 0; n < frame.size(); ++n) {
        const QByteArray cut = frame.left(n);
        QVERIFY(!ParseCardFrame(cut).Ok());
    }
}

void TestEnvelopes::parseRejects_data()
{
    QTest::addColumn<bool>("envelope");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<bool>("checkOk");

    QTest::newRow("frame header") << false << 1 << 0x00 << false << false;
    QTest::newRow("frame total length") << false << 4 << 0x14 << false << false;
    QTest::newRow("frame length high byte") << false << 7 << 0x01 << false << false;
    QTest::newRow("frame payload length") << false << 13 << 0x14 << false << false;
    QTest::newRow("frame trailer") << false << 37 << 0xFE << false << false;
    QTest::newRow("frame command changed still reads") << false << 8 << 0x99 << true << false;
    QTest::newRow("envelope header") << true << 1 << 0x99 << false << false;
    QTest::newRow("envelope length") << true << 3 << 0x3A << false << false;
    QTest::newRow("envelope slice byte") << true << 30 << 0x00 << true << false;
    QTest::newRow("envelope CRC byte") << true << 56 << 0x00 << true << false;
    QTest::newRow("envelope check byte") << true << 58 << 0x00 << true << false;
    QTest::newRow("envelope marker counts in the CRC") << true << 5 << 0x55 << true << false;
}

void TestEnvelopes::parseRejects()
{
    QFETCH(bool, envelope);
    QFETCH(int, position);
    QFETCH(int, value);
    QFETCH(bool, parsed);
    QFETCH(bool, checkOk);
    const QByteArray frame = BuildSerialClockFrame(PacketId::FromNumber(12345), Friday);
    QByteArray bytes = envelope ? BuildEnvelope(Code12345678(), 1, 1, frame) : frame;
    QVERIFY(bytes[position] != char(value));
    bytes[position] = char(value);
    if (envelope) {
        const CodecResult<EnvelopeParts> r = ParseEnvelope(bytes);
        QCOMPARE(r.Ok(), parsed);
        if (parsed)
            QCOMPARE(r.Value.CheckOk, checkOk);
    } else {
        QCOMPARE(ParseCardFrame(bytes).Ok(), parsed);
    }
}
