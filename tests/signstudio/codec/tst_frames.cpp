#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/commandframes.h"
#include "signstudio/comm/codec/innercode.h"
#include "signstudio/comm/codec/packetid.h"
#include "signstudio/comm/codec/substituteschedules.h"
#include "tests/common/udp/goldenhex.h"
#include "tests/signstudio/codec/tst_suites.h"

#include <QTest>

namespace {

const QDateTime Friday(QDate(2026, 12, 11), QTime(13, 45, 9));

ParamBlock SampleBlock()
{
    ParamBlock p;
    p.ScanMode = 13;
    p.OeSignal = 0;
    p.Width = 320;
    p.Height = 160;
    p.Colour = 1;
    p.DayBrightness = 0;
    p.NightBrightness = 3;
    p.DataPolarity = 1;
    p.Rs485Address = 4;
    p.Interface = ParamBlock::InterfaceSerial;
    p.BaudRate = 4;
    p.NetSpeed = 1;
    p.Conversion = 1;
    p.ClockFrequency = 1;
    p.DisplayContent = 1;
    p.EmptyDisplay = 1;
    p.RowOrder = 3;
    return p;
}

} // namespace

void TestFrames::cleanup()
{
    SetPacketIdGenerator({});
}

void TestFrames::golden_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("built");

    const PacketId id = PacketId::FromNumber(12345);
    QTest::newRow("identify") << "frames/identify.hex" << BuildIdentifyFrame();
    QTest::newRow("start play") << "frames/start_play.hex" << BuildStartPlayFrame(id);
    QTest::newRow("stop play") << "frames/stop_play.hex" << BuildStopPlayFrame(id);
    QTest::newRow("read params") << "frames/read_params.hex" << BuildReadParamsFrame(id);
    QTest::newRow("serial clock") << "frames/serial_clock.hex" << BuildSerialClockFrame(id, Friday);
    QTest::newRow("network clock") << "frames/network_clock_poll30.hex"
                                   << BuildNetworkClockFrame(id, Friday, 30);
    QTest::newRow("write params") << "frames/write_params.hex" << BuildWriteParamsFrame(id, SampleBlock());
}

void TestFrames::golden()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, built);
    QString error;
    const QByteArray expected = LoadGoldenHex(file, &error);
    QVERIFY2(!expected.isEmpty(), qPrintable(error));
    QCOMPARE(built.toHex(' '), expected.toHex(' '));
    // Both length fields agree with the bytes.
    QCOMPARE(qsizetype(quint8(built[4]) | quint8(built[5]) << 8), built.size());
    QCOMPARE(qsizetype(quint8(built[13]) | quint8(built[14]) << 8), built.size() - 19);
}

void TestFrames::packetIdForm()
{
    const PacketId id = PacketId::FromNumber(99999);
    QCOMPARE(id.Text, QStringLiteral("0001869F"));
    QCOMPARE(id.Bytes, QByteArray("\x00\x01\x86\x9F", 4));
    QCOMPARE(PacketId::Identify().Bytes, QByteArray("\x01\x02\x03\x04", 4));

    // The seam: known identifiers, taken modulo 100000.
    QList<quint32> numbers{7, 100000 + 42};
    SetPacketIdGenerator([&numbers] { return numbers.takeFirst(); });
    QCOMPARE(NewPacketId().Text, QStringLiteral("00000007"));
    QCOMPARE(NewPacketId().Number, 42u);
    const QByteArray frame = BuildStartPlayFrame(PacketId::FromNumber(0x1234));
    QCOMPARE(frame.mid(9, 4), QByteArray("\x00\x00\x12\x34", 4));
}

void TestFrames::packetIdRange()
{
    // Random identifiers: byte 9 always 00, byte 10 at most 01, text and bytes agree.
    for (int i = 0; i < 2000; ++i) {
        const PacketId id = NewPacketId();
        QVERIFY(id.Number < 100000);
        QCOMPARE(id.Bytes.size(), 4);
        QCOMPARE(id.Bytes[0], '\0');
        QVERIFY(quint8(id.Bytes[1]) <= 1);
        QCOMPARE(id.Text.size(), 8);
        QCOMPARE(id.Text.toUInt(nullptr, 16), id.Number);
        QCOMPARE(id.Text, id.Text.toUpper());
    }
}

void TestFrames::clockWeekdayAndPadding_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<int>("pollTime");
    QTest::addColumn<QByteArray>("serial");
    QTest::addColumn<QByteArray>("network");

    QTest::newRow("sunday, poll 30") << QDateTime(QDate(2026, 12, 13), QTime(0, 0, 0)) << 30
                                     << QByteArray("1#2026121300000000#")
                                     << QByteArray("1#2026121300000000#030#");
    QTest::newRow("saturday, poll 45") << QDateTime(QDate(2026, 12, 12), QTime(23, 59, 59)) << 45
                                       << QByteArray("1#2026121206235959#")
                                       << QByteArray("1#2026121206235959#045#");
    QTest::newRow("poll 999") << QDateTime(QDate(2027, 1, 4), QTime(9, 5, 7)) << 999
                              << QByteArray("1#2027010401090507#") << QByteArray("1#2027010401090507#999#");
    QTest::newRow("poll below range kept at 30") << QDateTime(QDate(2027, 1, 4), QTime(9, 5, 7)) << 5
                                                 << QByteArray("1#2027010401090507#")
                                                 << QByteArray("1#2027010401090507#030#");
    QTest::newRow("poll above range kept at 999") << QDateTime(QDate(2027, 1, 4), QTime(9, 5, 7)) << 1200
                                                  << QByteArray("1#2027010401090507#")
                                                  << QByteArray("1#2027010401090507#999#");
}

void TestFrames::clockWeekdayAndPadding()
{
    QFETCH(QDateTime, when);
    QFETCH(int, pollTime);
    QFETCH(QByteArray, serial);
    QFETCH(QByteArray, network);
    QCOMPARE(SerialClockPayload(when), serial);
    QCOMPARE(NetworkClockPayload(when, pollTime), network);
    const PacketId id = PacketId::FromNumber(1);
    QCOMPARE(BuildSerialClockFrame(id, when).size(), 38);
    const QByteArray net = BuildNetworkClockFrame(id, when, pollTime);
    QCOMPARE(net.size(), 42);
    QVERIFY(net.endsWith(QByteArray("#" + network.mid(19, 3) + "#\xFF\xFF")));
}

void TestFrames::programDataLimits_data()
{
    QTest::addColumn<bool>("plainText");
    QTest::addColumn<int>("textLength");
    QTest::addColumn<bool>("built");

    QTest::newRow("program at 4096") << false << 4096 - 19 << true;
    QTest::newRow("program at 4097") << false << 4096 - 18 << false;
    QTest::newRow("program empty") << false << 0 << true;
    QTest::newRow("plain text at 1024") << true << 1024 - 19 << true;
    QTest::newRow("plain text at 1025") << true << 1024 - 18 << false;
}

void TestFrames::programDataLimits()
{
    QFETCH(bool, plainText);
    QFETCH(int, textLength);
    QFETCH(bool, built);
    const QByteArray text(textLength, 'A');
    const PacketId id = PacketId::FromNumber(5);
    const CodecResult<QByteArray> r = plainText ? BuildPlainTextProgramFrame(id, text)
                                                : BuildProgramDataFrame(id, text, QByteArray(2000, ':'));
    QCOMPARE(r.Ok(), built);
    if (built) {
        QCOMPARE(r.Value.size(), textLength + 19);
        QCOMPARE(quint8(r.Value[8]), quint8(0x22));
        QCOMPARE(r.Value.mid(17, textLength), text);
    } else {
        QVERIFY(r.Value.isEmpty());
        QVERIFY(!r.Error.isEmpty());
    }
}

void TestFrames::programDataSubstitutes()
{
    const QByteArray text("123456789,08:00-18:00.M1;");
    const QByteArray schedules("ABCDEFGHIJK");
    const CodecResult<QByteArray> r = BuildProgramDataFrame(PacketId::FromNumber(5), text, schedules);
    QVERIFY(r.Ok());
    QCOMPARE(r.Value.mid(17, text.size()), QByteArray("123456789,ABCDEFGHIJK.M1;"));
}

void TestFrames::substituteSchedules_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("schedules");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("no comma") << QByteArray("abc;def") << QByteArray("XXXXXXXXXXX") << QByteArray("abc;def");
    QTest::newRow("one page") << QByteArray("P1,08:00-18:00.x") << QByteArray("abcdefghijk")
                              << QByteArray("P1,abcdefghijk.x");
    QTest::newRow("two pages in order")
        << QByteArray(",08:00-18:00.m;,09:00-10:00.")
        << QByteArray("11111111111222222222223")
        << QByteArray(",11111111111.m;,22222222222.");
    QTest::newRow("comma inside the replaced span is overwritten")
        << QByteArray(",aa,bbbbbbbbCC") << QByteArray("0123456789Z") << QByteArray(",0123456789ZCC");
    QTest::newRow("text ends inside the span") << QByteArray("x,12345") << QByteArray("ABCDEFGHIJK")
                                               << QByteArray("x,ABCDE");
    QTest::newRow("schedule bytes run out") << QByteArray(",08:00-18:00,09:00-10:00")
                                            << QByteArray("ABCDEFGHIJKLM")
                                            << QByteArray(",ABCDEFGHIJK,LM:00-10:00");
    QTest::newRow("binary schedule bytes")
        << QByteArray(",08:00-18:00") << QByteArray("\x00\x08\x00\x12\x00\x7F\x2C\x44\x00\x00\x41", 11)
        << QByteArray(",\x00\x08\x00\x12\x00\x7F\x2C\x44\x00\x00\x41", 12);
}

void TestFrames::substituteSchedules()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, schedules);
    QFETCH(QByteArray, expected);
    const QByteArray out = SubstituteSchedules(text, schedules);
    QCOMPARE(out.size(), text.size());
    QCOMPARE(out.toHex(' '), expected.toHex(' '));
}

void TestFrames::innerCodeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("plain") << "1_2_3_4_5_6_7_8" << true << QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08");
    QTest::newRow("256 wraps to 0") << "256_1_2_3_4_5_6_7" << true
                                    << QByteArray("\x00\x01\x02\x03\x04\x05\x06\x07", 8);
    QTest::newRow("unreported") << InnerCode::UnreportedText() << true << QByteArray(8, '\xFF');
    QTest::newRow("unreadable item counts as 0") << "1_x_3_4_5_6_7_" << true
                                                 << QByteArray("\x01\x00\x03\x04\x05\x06\x07\x00", 8);
    QTest::newRow("seven items") << "1_2_3_4_5_6_7" << false << QByteArray();
    QTest::newRow("nine items") << "1_2_3_4_5_6_7_8_9" << false << QByteArray();
    QTest::newRow("empty") << "" << false << QByteArray();
    QTest::newRow("dots") << "1.2.3.4.5.6.7.8" << false << QByteArray();
}

void TestFrames::innerCodeText()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, bytes);
    const CodecResult<InnerCode> code = InnerCode::FromText(text);
    QCOMPARE(code.Ok(), accepted);
    if (accepted)
        QCOMPARE(code.Value.Bytes(), bytes);
    else
        QVERIFY(!code.Error.isEmpty());
}

void TestFrames::innerCodeRoundTrip()
{
    const CodecResult<InnerCode> code = InnerCode::FromBytes(QByteArray("\x00\x0A\xFF\x80\x01\x02\x03\x04", 8));
    QVERIFY(code.Ok());
    QCOMPARE(code.Value.Text(), QStringLiteral("0_10_255_128_1_2_3_4"));
    QCOMPARE(InnerCode::FromText(code.Value.Text()).Value, code.Value);
    QVERIFY(!code.Value.IsUnreported());
    QVERIFY(InnerCode().IsUnreported());
    QCOMPARE(InnerCode().Text(), InnerCode::UnreportedText());
    QVERIFY(!InnerCode::FromBytes(QByteArray(7, '\x01')).Ok());
    QVERIFY(!InnerCode::FromBytes(QByteArray(8, '\x01'), 1).Ok());
}

void TestFrames::writeParamsRawBlock()
{
    const PacketId id = PacketId::FromNumber(12345);
    const QByteArray raw = SampleBlock().Encode();
    const CodecResult<QByteArray> frame = BuildWriteParamsFrame(id, QByteArrayView(raw));
    QVERIFY(frame.Ok());
    QCOMPARE(frame.Value, LoadGoldenHex(QStringLiteral("frames/write_params.hex")));
    QVERIFY(!BuildWriteParamsFrame(id, QByteArrayView(raw.left(16))).Ok());
    QVERIFY(!BuildWriteParamsFrame(id, QByteArrayView(QByteArray(raw + 'x'))).Ok());
}
