#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/cardidentity.h"
#include "signstudio/comm/codec/classifyreply.h"
#include "signstudio/comm/codec/paramreply.h"
#include "signstudio/comm/codec/splitreceived.h"
#include "tests/common/udp/goldenhex.h"
#include "tests/signstudio/codec/tst_suites.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(ReplyKind)
Q_DECLARE_METATYPE(SerialPieces::Kind)

namespace {

QByteArray Frame(quint8 code, const QByteArray &payload)
{
    return BuildCardFrame(code, PacketId::FromNumber(0x0A0B), payload);
}

// A reply envelope as a card sends it; the CRC and check bytes are not
// verified by the receiver, so fixed filler stands for them.
QByteArray Envelope(quint8 marker, quint8 status, const QByteArray &frame)
{
    const int length = int(frame.size()) + 19;
    QByteArray e;
    e += char(0xFE);
    e += char(0x98);
    e += char(length >> 8);
    e += char(length & 0xFF);
    e += char(0x97);
    e += char(marker);
    e += char(status);
    e += QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08");
    e += char(0x01);
    e += char(0x01);
    e += char(0x01);
    e += frame;
    e += QByteArray("\xAA\xBB\xCC");
    return e;
}

QByteArray Identity()
{
    return LoadGoldenHex(QStringLiteral("replies/identity_61.hex"));
}

QByteArray Block17()
{
    return QByteArray("\x15\x01\x01\x40\x00\xA0\x02\x00\x03\x01\x05\x22\x44\x22\x22\x11\x1E", 17);
}

} // namespace

void TestReceived::tcpRead_data()
{
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QList<QByteArray>>("frames");

    const QByteArray a = Frame(0x91, QByteArray(40, '1'));
    const QByteArray b = Frame(0x81, QByteArray("1"));
    QTest::newRow("two frames back to back") << a + b << QList<QByteArray>{a, b};
    QTest::newRow("garbage before the first header") << QByteArray("\x00\x13garbage\xFE\x5C", 11) + a
                                                     << QList<QByteArray>{a};
    QTest::newRow("no header") << QByteArray("\xFE\x5C\x4B\x88 nothing here", 17) << QList<QByteArray>{};
    QTest::newRow("empty") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("tail runs to the end") << a + "tail" << QList<QByteArray>{a + "tail"};
    QTest::newRow("header alone") << QByteArray("\xFE\x5C\x4B\x89", 4)
                                  << QList<QByteArray>{QByteArray("\xFE\x5C\x4B\x89", 4)};
    QTest::newRow("partial header stays with the frame")
        << a + QByteArray("\xFE\x5C\x4B", 3) << QList<QByteArray>{a + QByteArray("\xFE\x5C\x4B", 3)};
    QTest::newRow("three frames") << b + a + b << QList<QByteArray>{b, a, b};
    QTest::newRow("largest read") << QByteArray(6143 - a.size(), 'g') + a << QList<QByteArray>{a};
    QTest::newRow("longer read thrown away") << QByteArray(6144 - a.size(), 'g') + a << QList<QByteArray>{};
}

void TestReceived::tcpRead()
{
    QFETCH(QByteArray, read);
    QFETCH(QList<QByteArray>, frames);
    QCOMPARE(SplitTcpRead(read), frames);
}

void TestReceived::serialRead_data()
{
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<SerialPieces::Kind>("kind");
    QTest::addColumn<QList<QByteArray>>("pieces");

    const QByteArray ack = Envelope(0x54, 0x00, Frame(0x81, QByteArray("\x31\x00\x00\x00\x00", 5)));
    const QByteArray done = Envelope(0x55, 0xFF, Frame(0x81, QByteArray("1")));
    const QByteArray bare = Frame(0x71, QByteArray(40, '0'));

    QTest::newRow("bare frame is the whole read") << bare + "xyz" << SerialPieces::BareFrame
                                                  << QList<QByteArray>{bare + "xyz"};
    QTest::newRow("one envelope") << ack << SerialPieces::Envelopes << QList<QByteArray>{ack};
    QTest::newRow("two envelopes") << ack + done << SerialPieces::Envelopes << QList<QByteArray>{ack, done};
    QTest::newRow("third envelope ignored") << ack + done + ack << SerialPieces::Envelopes
                                            << QList<QByteArray>{ack, done};
    QTest::newRow("garbage after the envelope") << ack + "zz" << SerialPieces::Envelopes
                                                << QList<QByteArray>{ack};
    QTest::newRow("length runs past the read") << ack.left(ack.size() - 1) << SerialPieces::Nothing
                                               << QList<QByteArray>{};
    QTest::newRow("second envelope cut short") << ack + done.left(30) << SerialPieces::Envelopes
                                               << QList<QByteArray>{ack};
    QTest::newRow("second without marker") << ack + QByteArray("\xFE\x98\x00\x26\x97\x99", 6) + QByteArray(34, '\0')
                                           << SerialPieces::Envelopes << QList<QByteArray>{ack};
    QByteArray tiny = ack;
    tiny[2] = 0;
    tiny[3] = 5;
    QTest::newRow("length shorter than an envelope") << tiny << SerialPieces::Nothing << QList<QByteArray>{};
    QByteArray noMarker = ack;
    noMarker[5] = char(0x53);
    QTest::newRow("wrong marker") << noMarker << SerialPieces::Nothing << QList<QByteArray>{};
    QTest::newRow("five bytes") << ack.left(5) << SerialPieces::Nothing << QList<QByteArray>{};
    QTest::newRow("empty") << QByteArray() << SerialPieces::Nothing << QList<QByteArray>{};
    QTest::newRow("text") << QByteArray("hello world") << SerialPieces::Nothing << QList<QByteArray>{};
    const QByteArray big = Frame(0x81, QByteArray(3500, 'b'));
    QTest::newRow("only 3000 bytes looked at") << big << SerialPieces::BareFrame
                                               << QList<QByteArray>{big.left(3000)};
}

void TestReceived::serialRead()
{
    QFETCH(QByteArray, read);
    QFETCH(SerialPieces::Kind, kind);
    QFETCH(QList<QByteArray>, pieces);
    const SerialPieces got = SplitSerialRead(read);
    QCOMPARE(got.Type, kind);
    QCOMPARE(got.Pieces, pieces);
}

void TestReceived::classify_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("enveloped");
    QTest::addColumn<ReplyKind>("kind");
    QTest::addColumn<int>("firstPayloadByte");
    QTest::addColumn<int>("resendMaterial");
    QTest::addColumn<int>("resendPacket");

    const QByteArray pad(40, '0');
    QTest::newRow("61 inner code") << Identity() << false << ReplyKind::InnerCode << 1 << 0x0302 << 0x0504;
    QTest::newRow("71 identify") << Frame(0x71, pad) << false << ReplyKind::Identify << int('0') << 0x3030 << 0x3030;
    QTest::newRow("72 material upload") << Frame(0x72, pad) << false << ReplyKind::MaterialUpload << int('0') << 0x3030
                                        << 0x3030;
    QTest::newRow("91 heartbeat") << Frame(0x91, pad) << false << ReplyKind::Heartbeat << int('0') << 0x3030 << 0x3030;
    QTest::newRow("21 program upload") << Frame(0x21, {}) << false << ReplyKind::ProgramUpload << 0xFF << -1 << -1;
    QTest::newRow("74 program upload") << Frame(0x74, {}) << false << ReplyKind::ProgramUpload << 0xFF << -1 << -1;
    QTest::newRow("32 content upload") << Frame(0x32, {}) << false << ReplyKind::ContentUpload << 0xFF << -1 << -1;
    QTest::newRow("34 exception") << Frame(0x34, {}) << false << ReplyKind::Exception << 0xFF << -1 << -1;
    QTest::newRow("81 all received") << Frame(0x81, "1") << false << ReplyKind::Confirm << int('1') << 0xFFFF << -1;
    QTest::newRow("81 resend") << Frame(0x81, QByteArray("3\x02\x01\x05\x00", 5)) << false << ReplyKind::Confirm
                               << int('3') << 0x0102 << 5;
    QTest::newRow("51 of 36 bytes") << Frame(0x51, Block17()) << false << ReplyKind::Params << 0x15 << 0x0101
                                    << 0x0040;
    QTest::newRow("51 of 35 bytes") << Frame(0x51, Block17().left(16)) << false << ReplyKind::Ignored << 0x15
                                    << 0x0101 << 0x0040;
    QTest::newRow("F2 of 36 bytes") << Frame(0xF2, Block17()) << false << ReplyKind::Params << 0x15 << 0x0101
                                    << 0x0040;
    QTest::newRow("F1 of 36 bytes") << Frame(0xF1, Block17()) << false << ReplyKind::Params << 0x15 << 0x0101
                                    << 0x0040;
    QTest::newRow("F1 of 19 bytes") << Frame(0xF1, {}) << false << ReplyKind::ParamsWritten << 0xFF << -1 << -1;
    QTest::newRow("unknown code") << Frame(0x99, {}) << false << ReplyKind::Ignored << 0xFF << -1 << -1;
    QTest::newRow("eight bytes") << QByteArray("\xFE\x5C\x4B\x89\x13\x00\x00\x00", 8) << false
                                 << ReplyKind::Unrecognised << -1 << -1 << -1;
    QTest::newRow("empty") << QByteArray() << false << ReplyKind::Unrecognised << -1 << -1 << -1;

    QTest::newRow("bus 61") << Envelope(0x54, 0, Identity()) << true << ReplyKind::InnerCode << 1 << 0x0302
                            << 0x0504;
    QTest::newRow("bus 51 of 57 bytes") << Envelope(0x54, 0, Frame(0x51, Block17())) << true << ReplyKind::Params
                                        << 0x15 << 0x0101 << 0x0040;
    QTest::newRow("bus 51 of 50 bytes") << Envelope(0x54, 0, Frame(0x51, QByteArray(10, '\x07'))) << true
                                        << ReplyKind::Ignored << 7 << 0x0707 << 0x0707;
    QTest::newRow("bus F2 of 51 bytes") << Envelope(0x54, 0, Frame(0xF2, QByteArray(11, '\x07'))) << true
                                        << ReplyKind::Params << 7 << 0x0707 << 0x0707;
    QTest::newRow("bus F1 of 57 bytes") << Envelope(0x54, 0, Frame(0xF1, Block17())) << true
                                        << ReplyKind::ParamsWritten << 0x15 << 0x0101 << 0x0040;
    QTest::newRow("bus 81 resend") << Envelope(0x54, 0, Frame(0x81, QByteArray("3\x04\x00\x07\x00", 5))) << true
                                   << ReplyKind::Confirm << int('3') << 4 << 7;
    QTest::newRow("bus 34") << Envelope(0x54, 0, Frame(0x34, {})) << true << ReplyKind::Exception << 0xFF << 0xAAFF
                            << 0xCCBB;
    QTest::newRow("envelope without a frame") << Envelope(0x54, 0, {}) << true << ReplyKind::Unrecognised << -1
                                              << -1 << -1;
}

void TestReceived::classify()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, enveloped);
    QFETCH(ReplyKind, kind);
    QFETCH(int, firstPayloadByte);
    QFETCH(int, resendMaterial);
    QFETCH(int, resendPacket);
    const ReplyInfo r = ClassifyReply(bytes, enveloped);
    QCOMPARE(r.Kind, kind);
    QCOMPARE(r.Enveloped, enveloped);
    QCOMPARE(r.FrameOffset, enveloped ? 18 : 0);
    QCOMPARE(r.FirstPayloadByte, firstPayloadByte);
    QCOMPARE(r.ResendMaterial, resendMaterial);
    QCOMPARE(r.ResendPacket, resendPacket);
}

void TestReceived::classifyBusFields()
{
    // Byte 18 of a reply envelope names the slice the card wants next.
    auto withWanted = [](QByteArray e, int wanted) {
        e[18] = char(wanted);
        return e;
    };
    ReplyInfo r = ClassifyReply(withWanted(Envelope(0x55, 0x00, Frame(0x81, "1")), 0), true);
    QVERIFY(r.Finished());
    QVERIFY(r.StatusAccepted());
    QCOMPARE(r.WantedSlice, 1); // 0 read as 1
    QCOMPARE(r.Code, 0x81);

    r = ClassifyReply(withWanted(Envelope(0x54, 0x07, Frame(0x81, "1")), 4), true);
    QVERIFY(!r.Finished());
    QVERIFY(!r.StatusAccepted());
    QCOMPARE(r.WantedSlice, 4);

    r = ClassifyReply(Envelope(0x54, 0xFF, Frame(0x81, "1")), true);
    QVERIFY(r.StatusAccepted());

    // A bare frame has no envelope fields.
    r = ClassifyReply(Frame(0x81, "1"), false);
    QCOMPARE(r.Marker, -1);
    QCOMPARE(r.Status, -1);
    QCOMPARE(r.WantedSlice, -1);

    // Cut after the status byte: marker and status known, nothing else.
    r = ClassifyReply(Envelope(0x54, 0x00, Frame(0x81, "1")).left(7), true);
    QCOMPARE(r.Kind, ReplyKind::Unrecognised);
    QCOMPARE(r.Marker, 0x54);
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.WantedSlice, -1);
}

void TestReceived::identityGolden()
{
    const CodecResult<CardIdentity> r = ParseCardIdentity(Identity(), 0);
    QVERIFY2(r.Ok(), qPrintable(r.Error));
    const CardIdentity &id = r.Value;
    QCOMPARE(id.Command, 0x61);
    QCOMPARE(id.Code.Text(), QStringLiteral("1_2_3_4_5_6_7_8"));
    QCOMPARE(id.Width, 64);
    QCOMPARE(id.Height, 32);
    QCOMPARE(id.ColourDigit, 2);
    QCOMPARE(id.ColourCode, 57);
    QVERIFY(id.VersionValid);
    QCOMPARE(id.Version, 55);
    QCOMPARE(id.FontFigure1, 6);
    QCOMPARE(id.FontFigure2, 7);
    const std::array<bool, 10> caps{true, false, true, false, true, false, true, false, true, false};
    QVERIFY(id.Capabilities == caps);
    QCOMPARE(id.PaceDigit, 3);
    QVERIFY(id.TrailerOk);
}

void TestReceived::identityInEnvelope()
{
    const QByteArray e = Envelope(0x54, 0x00, Identity());
    const CodecResult<CardIdentity> r = ParseCardIdentity(e, 18);
    QVERIFY2(r.Ok(), qPrintable(r.Error));
    QCOMPARE(r.Value.Code.Text(), QStringLiteral("1_2_3_4_5_6_7_8"));
    QCOMPARE(r.Value.Width, 64);
    QCOMPARE(r.Value.PaceDigit, 3);
    // Read at the wrong offset, the digits are not there.
    QVERIFY(!ParseCardIdentity(e, 0).Ok());
}

void TestReceived::identityRejects_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<char>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("versionValid");

    QTest::newRow("width not a digit") << 27 << ' ' << false << false;
    QTest::newRow("width last digit") << 29 << 'x' << false << false;
    QTest::newRow("height not a digit") << 34 << '-' << false << false;
    QTest::newRow("colour not a digit") << 36 << 'A' << false << false;
    QTest::newRow("version not a number") << 39 << '?' << true << false;
    QTest::newRow("colour 1 single") << 36 << '1' << true << true;
    QTest::newRow("colour 7 full") << 36 << '7' << true << true;
    QTest::newRow("unread byte 25") << 25 << '\xEE' << true << true;
    QTest::newRow("unread byte 45") << 45 << '\xEE' << true << true;
}

void TestReceived::identityRejects()
{
    QFETCH(int, position);
    QFETCH(char, value);
    QFETCH(bool, accepted);
    QFETCH(bool, versionValid);
    QByteArray frame = Identity();
    frame[position] = value;
    const CodecResult<CardIdentity> r = ParseCardIdentity(frame, 0);
    QCOMPARE(r.Ok(), accepted);
    if (!accepted)
        return;
    QCOMPARE(r.Value.VersionValid, versionValid);
    if (!versionValid)
        QCOMPARE(r.Value.Version, -1);
    if (position == 36)
        QCOMPARE(r.Value.ColourCode, value == '1' ? 56 : 58);
}

void TestReceived::identityDefaults()
{
    QByteArray frame = Identity();
    frame[50] = 'a';
    frame[51] = '\0';
    frame[56] = char(0xFF);
    frame[58] = 0; // trailer broken
    const CodecResult<CardIdentity> r = ParseCardIdentity(frame, 0);
    QVERIFY(r.Ok());
    QCOMPARE(r.Value.FontFigure1, 5);
    QCOMPARE(r.Value.FontFigure2, 8);
    QCOMPARE(r.Value.PaceDigit, 1);
    QVERIFY(!r.Value.TrailerOk);
}

void TestReceived::identityTruncations_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("length");

    const int bare = int(Identity().size());
    for (int n = 0; n <= bare; ++n)
        QTest::addRow("bare %d", n) << 0 << n;
    for (int n = 0; n <= bare + 21; ++n)
        QTest::addRow("enveloped %d", n) << 18 << n;
}

void TestReceived::identityTruncations()
{
    QFETCH(int, offset);
    QFETCH(int, length);
    const QByteArray whole = offset ? Envelope(0x54, 0, Identity()) : Identity();
    // A copy of exactly that length, so the sanitizer sees any read past it.
    const QByteArray cut = whole.left(length);
    const CodecResult<CardIdentity> id = ParseCardIdentity(cut, offset);
    QCOMPARE(id.Ok(), length >= offset + 57);
    if (id.Ok())
        QCOMPARE(id.Value.Width, 64);
    const ReplyInfo info = ClassifyReply(cut, offset == 18);
    QCOMPARE(info.Kind == ReplyKind::InnerCode, length > offset + 8);
    const CodecResult<ParamReply> params = ParseParamBlock(cut, offset);
    QCOMPARE(params.Ok(), length >= offset + 34);
    const SerialPieces pieces = SplitSerialRead(cut);
    QVERIFY(pieces.Pieces.size() <= 1);
    const QList<QByteArray> frames = SplitTcpRead(cut);
    QVERIFY(frames.size() <= 1);
}

void TestReceived::paramReply_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("ok");

    QTest::newRow("bare") << Frame(0x51, Block17()) << 0 << true;
    QTest::newRow("enveloped") << Envelope(0x54, 0, Frame(0xF2, Block17())) << 18 << true;
    QTest::newRow("bare one byte short") << Frame(0x51, Block17()).left(33) << 0 << false;
    QTest::newRow("envelope one byte short") << Envelope(0x54, 0, Frame(0xF2, Block17())).left(51) << 18 << false;
    QTest::newRow("negative offset") << Frame(0x51, Block17()) << -1 << false;
}

void TestReceived::paramReply()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, offset);
    QFETCH(bool, ok);
    const CodecResult<ParamReply> r = ParseParamBlock(bytes, offset);
    QCOMPARE(r.Ok(), ok);
    if (!ok)
        return;
    QCOMPARE(r.Value.Raw, Block17());
    QCOMPARE(r.Value.Block.ScanMode, 13);
    QCOMPARE(r.Value.Block.Width, quint16(320));
    QCOMPARE(r.Value.Block.RowOrder, 3);
    QVERIFY(!r.Value.NeedsWriteBack());
}

void TestReceived::paramWriteBack()
{
    QByteArray block = Block17();
    block[11] = char(0x33); // the card reports network server
    block[9] = char(0xA1);  // high nibble set
    const CodecResult<ParamReply> r = ParseParamBlock(Frame(0x51, block), 0);
    QVERIFY(r.Ok());
    QVERIFY(r.Value.NeedsWriteBack());
    QCOMPARE(r.Value.Block.DataPolarity, 1);

    const QByteArray frame = BuildParamWriteBackFrame(PacketId::FromNumber(9), r.Value);
    QCOMPARE(frame.size(), 36);
    QCOMPARE(quint8(frame[8]), quint8(0xF1));
    QByteArray expected = block;
    expected[11] = char(0x22);
    expected[9] = char(0x01);
    QCOMPARE(frame.mid(17, 17).toHex(' '), expected.toHex(' '));
}

void TestReceived::randomBytesNeverCrash()
{
    QRandomGenerator rng(20261211);
    const QByteArray identity = Identity();
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        if (round % 2) {
            bytes.resize(rng.bounded(400));
            for (char &c : bytes)
                c = char(rng.bounded(256));
        } else {
            // A valid start with random damage and a random cut.
            bytes = round % 4 ? Envelope(0x54, 0, identity) : identity;
            for (int k = rng.bounded(6); k > 0; --k)
                bytes[rng.bounded(int(bytes.size()))] = char(rng.bounded(256));
            bytes.truncate(rng.bounded(int(bytes.size()) + 1));
        }
        for (int offset : {0, 18}) {
            ParseCardIdentity(bytes, offset);
            ParseParamBlock(bytes, offset);
        }
        ClassifyReply(bytes, false);
        ClassifyReply(bytes, true);
        const SerialPieces serial = SplitSerialRead(bytes);
        for (const QByteArray &piece : serial.Pieces)
            QVERIFY(piece.size() <= bytes.size());
        // Every frame of a TCP read starts with the header and together they
        // are the read from its first header on.
        const QList<QByteArray> frames = SplitTcpRead(bytes);
        QByteArray joined;
        for (const QByteArray &f : frames) {
            QVERIFY(HasCardFrameHeader(f));
            joined += f;
        }
        const qsizetype first = bytes.indexOf(CardFrame::Header);
        QCOMPARE(joined, first < 0 ? QByteArray() : bytes.mid(first));
    }
}
