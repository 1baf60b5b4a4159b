#include "tests/virtualcard/tst_suites.h"

#include "virtualcard/cardreplies.h"
#include "virtualcard/contentframe.h"
#include "virtualcard/materialparams.h"
#include "virtualcard/programreceiver.h"
#include "virtualcard/streamassembler.h"

#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/cardidentity.h"
#include "signstudio/comm/codec/commandframes.h"
#include "signstudio/comm/codec/crc16modbus.h"
#include "signstudio/model/fodder.h"
#include "signstudio/model/fodderkind.h"
#include "signstudio/render/contentframes.h"
#include "signstudio/render/packpixels.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Entry of one material in the program text, as the sender writes it.
QByteArray Entry(const TFodder &m, int x, int y, int w, int h)
{
    const auto n3 = [](int v) { return QByteArray::number(v).rightJustified(3, '0'); };
    return m.FodderUID.toLatin1() + char(m.TypeCode) + n3(x / 8) + n3(y) + n3(w / 8) + n3(h) + "1" + "0000"
         + "00000" + "#0" + QByteArray::number(m.PlayTimes) + "#" + m.FixedText.toLatin1() + ";";
}

QList<QImage> RandomPages(int count, int w, int h, quint32 seed)
{
    QList<QImage> pages;
    QRandomGenerator rng(seed);
    for (int i = 0; i < count; ++i) {
        QImage page(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                page.setPixel(x, y, qRgb(rng.bounded(2) * 255, rng.bounded(2) * 255, rng.bounded(2) * 255));
        pages.append(page);
    }
    return pages;
}

TFodder PictureMaterial(const QString &uid, const QList<QImage> &pages, int planes, int materialNo, bool last)
{
    TFodder m = TFodder::NewOfKind(fkPictureGroup, QDateTime::currentDateTime());
    m.FodderUID = uid;
    m.TypeCode = tcPicture;
    for (const QImage &page : pages)
        m.CardData += PackPixels(page, planes);
    m.CardDataLen = int(m.CardData.size());
    m.PageCount = int(pages.size());
    m.DataPacketCount = PicturePacketCount(m.CardDataLen);
    m.MaterialNo = materialNo;
    m.IsLastMaterial = last;
    return m;
}

QList<QByteArray> Frames(const TFodder &m, int colourCode, int w, int h)
{
    QList<rSendFdrContent> queue;
    const BuildResult built = BuildContentFrames(m, false, colourCode, h, w, queue);
    if (!built.Ok)
        qWarning("content frames not built: %s", qPrintable(built.Error));
    QList<QByteArray> frames;
    for (const rSendFdrContent &item : queue)
        frames.append(item.Data);
    return frames;
}

bool SameVisible(const QImage &a, const QImage &b, int planes)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qRed(p) != qRed(q) || (planes >= 2 && qGreen(p) != qGreen(q)) || (planes >= 3 && qBlue(p) != qBlue(q)))
                return false;
        }
    return true;
}

} // namespace

void TestReceiver::identityRoundTrip_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("planes");
    QTest::addColumn<int>("colourCode");
    QTest::newRow("61 single") << 0x61 << 1 << 56;
    QTest::newRow("72 dual") << 0x72 << 2 << 57;
    QTest::newRow("91 full") << 0x91 << 3 << 58;
    QTest::newRow("71 dual") << 0x71 << 2 << 57;
}

// The card's identity reads back through the shared parser field by field.
void TestReceiver::identityRoundTrip()
{
    QFETCH(int, code);
    QFETCH(int, planes);
    QFETCH(int, colourCode);
    CardProfile p;
    p.InnerCode = QByteArray::fromHex("FF00107F80090A0B");
    p.Width = 320;
    p.Height = 1024;
    p.ColourPlanes = planes;
    p.FirmwareVersion = 57;
    p.FontFigure1 = 3;
    p.FontFigure2 = 9;
    p.CapabilitiesA = 0x15; // flags 0, 2, 4
    p.CapabilitiesB = 0x0A; // flags 6, 8
    p.PaceDigit = 4;
    const QByteArray frame = CardReplies::Identity(quint8(code), p);
    QCOMPARE(frame.size(), 59);
    QCOMPARE(CardFrameCommand(frame), code);
    const CodecResult<CardIdentity> id = ParseCardIdentity(frame);
    QVERIFY2(id.Ok(), qPrintable(id.Error));
    QCOMPARE(id.Value.Command, code);
    QCOMPARE(id.Value.Code.Text(), QStringLiteral("255_0_16_127_128_9_10_11"));
    QCOMPARE(id.Value.Width, 320);
    QCOMPARE(id.Value.Height, 1024);
    QCOMPARE(id.Value.ColourCode, colourCode);
    QVERIFY(id.Value.VersionValid);
    QCOMPARE(id.Value.Version, 57);
    QCOMPARE(id.Value.FontFigure1, 3);
    QCOMPARE(id.Value.FontFigure2, 9);
    const std::array<bool, 10> caps{true, false, true, false, true, false, true, false, true, false};
    QCOMPARE(id.Value.Capabilities, caps);
    QCOMPARE(id.Value.PaceDigit, 4);
    QVERIFY(id.Value.TrailerOk);
}

void TestReceiver::malformedIdentity()
{
    const QByteArray frame = CardReplies::Identity(0x61, CardProfile(), true);
    QVERIFY(frame.endsWith(QByteArrayLiteral("\x00\x00")));
    const CodecResult<CardIdentity> id = ParseCardIdentity(frame);
    QVERIFY(!id.Value.TrailerOk);
}

void TestReceiver::clockText()
{
    const QDateTime when(QDate(2026, 12, 11), QTime(9, 8, 7));
    const CardReplies::ClockText serial = CardReplies::ParseClock(SerialClockPayload(when));
    QVERIFY(serial.Valid);
    QCOMPARE(serial.Moment, when);
    QCOMPARE(serial.PollTime, -1);
    const CardReplies::ClockText net = CardReplies::ParseClock(NetworkClockPayload(when, 45));
    QVERIFY(net.Valid);
    QCOMPARE(net.Moment, when);
    QCOMPARE(net.PollTime, 45);
    QVERIFY(!CardReplies::ParseClock("1#2026x211050907080#").Valid);
    QVERIFY(!CardReplies::ParseClock("1#").Valid);
}

// A parameter frame written by hand from the byte tables.
void TestReceiver::contentFrameFields()
{
    QByteArray payload = "123456789,";
    payload += QByteArray::fromHex("020305") + "010101991231" + QByteArray::fromHex("0E000000 55AA 0000");
    payload += QByteArray("1") + char(0x31) + char(0x32) + "1" "2" "1" + QByteArray::fromHex("0100 0000");
    QByteArray params = QByteArray::fromHex("01020304112100");
    QByteArray tail = QByteArray::fromHex("FF00 0300 0100 0100");
    const quint16 crc = Crc16ModbusValue(QByteArray(params + tail));
    QByteArray block = QByteArray::fromHex("11000000") + params + tail;
    block.append(char(crc >> 8));
    block.append(char(crc & 0xFF));
    const QByteArray frame = BuildContentItemFrame(PacketId::FromNumber(7), QByteArray(payload + block + "-1,"));
    QCOMPARE(frame.size(), 9 + 51 + 21 + 3 + 2);
    const ContentFrame c = ContentFrame::Parse(frame);
    QVERIFY2(c.ok(), qPrintable(c.Error));
    QCOMPARE(c.FodderUID, QStringLiteral("123456789"));
    QCOMPARE(c.DisplayMode, 2);
    QCOMPARE(c.DisplaySpeed, 3);
    QCOMPARE(c.StayTime, 5);
    QCOMPARE(c.TypeCode, int('1'));
    QCOMPARE(c.ExtraByte1, 0x31);
    QCOMPARE(c.ExtraByte2, 0x32);
    QVERIFY(c.FirstPacket);
    QCOMPARE(c.ColourPlanes, 2);
    QCOMPARE(c.PageCount, 1);
    QCOMPARE(c.Body, params);
    QCOMPARE(c.MaterialNo, 3);
    QCOMPARE(c.DataPacketCount, 1);
    QCOMPARE(c.PacketNo, 1);
    QVERIFY(c.CrcOk);
    QVERIFY(c.EndMark);

    // Any parameter byte changed breaks the CRC; the frame still reads.
    QByteArray bad = frame;
    bad[17 + 43 + 4] ^= 0x01; // first parameter byte
    const ContentFrame b = ContentFrame::Parse(bad);
    QVERIFY(b.ok());
    QVERIFY(!b.CrcOk);
}

void TestReceiver::pictureMaterialRoundTrip_data()
{
    QTest::addColumn<int>("planes");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("pages");
    QTest::newRow("single colour, one small page") << 1 << 64 << 16 << 1;
    QTest::newRow("dual colour, 3 pages over 2 packets") << 2 << 96 << 32 << 3;
    QTest::newRow("full colour, 2 pages over 3 packets") << 3 << 128 << 64 << 2;
    QTest::newRow("full colour, exactly 2048 bytes") << 3 << 128 << 16 << 2;
}

// Frames built by the renderer come back as the same pictures.
void TestReceiver::pictureMaterialRoundTrip()
{
    QFETCH(int, planes);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, pages);
    const int colourCode = 55 + planes;
    const QList<QImage> images = RandomPages(pages, width, height, quint32(planes * 1000 + width));
    const TFodder m = PictureMaterial(QStringLiteral("111111111"), images, planes, 1, true);
    const QByteArray text = "900000001,08:00-18:00." + Entry(m, 16, 8, width, height);

    ProgramReceiver receiver;
    QCOMPARE(receiver.OnProgramData(text).Reply, ReceiverReply::Confirm);
    const QList<QByteArray> frames = Frames(m, colourCode, width, height);
    QCOMPARE(frames.size(), m.DataPacketCount);
    for (int i = 0; i < frames.size(); ++i) {
        const ReceiverReply r = receiver.OnContentFrame(frames.at(i));
        if (i + 1 < frames.size())
            QCOMPARE(r.Reply, ReceiverReply::None);
        else {
            QCOMPARE(r.Reply, ReceiverReply::Confirm);
            QVERIFY(r.Finished);
            QVERIFY(r.NewlyFinished);
        }
    }
    const ReceivedPlaybill &p = receiver.Playbill();
    QVERIFY(p.IsComplete());
    QCOMPARE(p.Materials.size(), 1);
    const ReceivedMaterial &got = p.Materials.first();
    QCOMPARE(got.CardData, m.CardData);
    QCOMPARE(got.PageCount, pages);
    QCOMPARE(got.ColourPlanes, planes);
    QCOMPARE(got.Pages.size(), pages);
    for (int i = 0; i < pages; ++i)
        QVERIFY2(SameVisible(got.Pages.at(i), images.at(i), planes), qPrintable(QStringLiteral("page %1").arg(i)));

    // The sender repeats the last frame until it hears the confirmation.
    const ReceiverReply again = receiver.OnContentFrame(frames.last());
    QCOMPARE(again.Reply, ReceiverReply::Confirm);
    QVERIFY(!again.NewlyFinished);
}

void TestReceiver::parameterAndTextMaterials()
{
    TFodder time = TFodder::NewOfKind(fkTime, QDateTime::currentDateTime());
    time.FodderUID = QStringLiteral("300000001");
    time.FormatCode = 3;
    time.DigitColor = 2;
    time.CharColor = 1;
    time.MaterialNo = 1;
    TFodder inner = TFodder::NewOfKind(fkInnerCode, QDateTime::currentDateTime());
    inner.FodderUID = QStringLiteral("300000002");
    inner.Content = QString(1500, QLatin1Char('x')) + QStringLiteral("末尾");
    inner.MaterialNo = 2;
    inner.IsLastMaterial = true;
    const QByteArray text = "900000001,00:00-24:00." + Entry(time, 0, 0, 64, 16) + Entry(inner, 0, 16, 64, 16);

    ProgramReceiver receiver;
    QCOMPARE(receiver.OnProgramData(text).Reply, ReceiverReply::Confirm);
    QList<QByteArray> frames = Frames(time, 57, 64, 16) + Frames(inner, 57, 64, 16);
    QCOMPARE(frames.size(), 3);
    ReceiverReply last;
    for (const QByteArray &f : frames)
        last = receiver.OnContentFrame(f);
    QCOMPARE(last.Reply, ReceiverReply::Confirm);
    QVERIFY(last.Finished);
    const ReceivedPlaybill &p = receiver.Playbill();
    QCOMPARE(p.Materials.at(0).TypeCode, int('1'));
    QCOMPARE(p.Materials.at(0).Parameters, ParameterBytes(time));
    QCOMPARE(p.Materials.at(1).TypeCode, int('7'));
    QCOMPARE(p.Materials.at(1).DataPacketCount, 2);
    QCOMPARE(p.Materials.at(1).Text, inner.Content);
}

void TestReceiver::missingPacketIsAskedFor()
{
    const QList<QImage> images = RandomPages(3, 128, 64, 5);
    const TFodder m = PictureMaterial(QStringLiteral("400000001"), images, 3, 1, true);
    const QByteArray text = "900000001,08:00-18:00." + Entry(m, 0, 0, 128, 64);
    const QList<QByteArray> frames = Frames(m, 58, 128, 64);
    QCOMPARE(frames.size(), 5);

    CardFaults faults;
    faults.DropMaterialNo = 1;
    faults.DropPacketNo = 2;
    ProgramReceiver receiver;
    receiver.SetFaults(&faults);
    receiver.OnProgramData(text);
    QCOMPARE(receiver.OnContentFrame(frames.at(0)).Reply, ReceiverReply::None);
    QCOMPARE(receiver.OnContentFrame(frames.at(1)).Reply, ReceiverReply::None); // dropped
    ReceiverReply r = receiver.OnContentFrame(frames.at(2));
    QCOMPARE(r.Reply, ReceiverReply::Resend);
    QCOMPARE(r.MaterialNo, 1);
    QCOMPARE(r.PacketNo, 2);
    // Frames already on the way do not repeat the request.
    QCOMPARE(receiver.OnContentFrame(frames.at(3)).Reply, ReceiverReply::None);
    // The sender starts again at the asked packet: the second copy is kept.
    for (int i = 1; i < frames.size(); ++i)
        r = receiver.OnContentFrame(frames.at(i));
    QCOMPARE(r.Reply, ReceiverReply::Confirm);
    QVERIFY(r.Finished);
    QCOMPARE(receiver.Playbill().Materials.first().CardData, m.CardData);
    QVERIFY(receiver.Playbill().DuplicatePackets >= 2);
    QCOMPARE(receiver.Playbill().ResendRequests, 1);

    // The reply frame carries "3", material and packet, 16-bit little-endian.
    const QByteArray resend = CardReplies::ResendRequest(1, 2);
    QCOMPARE(CardFrameCommand(resend), 0x81);
    QCOMPARE(resend.mid(17, 5), QByteArray::fromHex("3301000200"));
}

void TestReceiver::badCrcIsAskedFor()
{
    const QList<QImage> images = RandomPages(2, 128, 64, 9);
    const TFodder m = PictureMaterial(QStringLiteral("500000001"), images, 3, 1, true);
    const QByteArray text = "900000001,08:00-18:00." + Entry(m, 0, 0, 128, 64);
    const QList<QByteArray> frames = Frames(m, 58, 128, 64);
    ProgramReceiver receiver;
    receiver.OnProgramData(text);
    QByteArray broken = frames.at(1);
    // The data CRC covers the last data byte and the trailer: change the last data byte.
    QCOMPARE(frames.size(), 3);
    const qsizetype lastData = broken.size() - 2 - 10 - 1;
    broken[lastData] = char(broken.at(lastData) ^ 0x40);
    QCOMPARE(receiver.OnContentFrame(frames.at(0)).Reply, ReceiverReply::None);
    const ReceiverReply r = receiver.OnContentFrame(broken);
    QCOMPARE(r.Reply, ReceiverReply::Resend);
    QCOMPARE(r.MaterialNo, 1);
    QCOMPARE(r.PacketNo, 2);
    QCOMPARE(receiver.Playbill().CrcErrors, 1);
    QVERIFY(!receiver.Playbill().IsComplete());
    QCOMPARE(receiver.OnContentFrame(frames.at(1)).Reply, ReceiverReply::None);
    QCOMPARE(receiver.OnContentFrame(frames.at(2)).Reply, ReceiverReply::Confirm);
}

void TestReceiver::lostLastFrameAskedAgainAtEnd()
{
    // Two materials; the first material's only packet is lost. The last
    // frame of the send (end mark) asks for it, and asks again if the
    // repeated last frame comes before it.
    const TFodder a = PictureMaterial(QStringLiteral("600000001"), RandomPages(1, 64, 16, 1), 1, 1, false);
    const TFodder b = PictureMaterial(QStringLiteral("600000002"), RandomPages(1, 64, 16, 2), 1, 2, true);
    const QByteArray text = "900000001,08:00-18:00." + Entry(a, 0, 0, 64, 16) + Entry(b, 0, 16, 64, 16);
    CardFaults faults;
    faults.LoseContentFrames = 1;
    ProgramReceiver receiver;
    receiver.SetFaults(&faults);
    receiver.OnProgramData(text);
    const QByteArray fa = Frames(a, 56, 64, 16).first();
    const QByteArray fb = Frames(b, 56, 64, 16).first();
    QCOMPARE(receiver.OnContentFrame(fa).Reply, ReceiverReply::None); // lost
    ReceiverReply r = receiver.OnContentFrame(fb);
    QCOMPARE(r.Reply, ReceiverReply::Resend);
    QCOMPARE(r.MaterialNo, 1);
    QCOMPARE(r.PacketNo, 1);
    r = receiver.OnContentFrame(fb);
    QCOMPARE(r.Reply, ReceiverReply::Resend);
    QCOMPARE(receiver.OnContentFrame(fa).Reply, ReceiverReply::Confirm);
}

// A remote text program: the list of pages and items, then one item frame
// each; items are not confirmed one by one, the last completes the playbill.
void TestReceiver::remoteTextProgram()
{
    const QString cardText = QStringLiteral("#^6#^1#^1#^1#~abc;#^6#^2#^3#^2#~de");
    QList<QByteArray> frames;
    QByteArray list = "500000001,08:00-12:00.";
    for (int i = 1; i <= 2; ++i) {
        TFodder item;
        item.FodderUID = QStringLiteral("50000001%1").arg(i);
        item.TypeCode = 6;
        item.FixedText = QStringLiteral("071210141512");
        item.PlayTimes = i;
        item.StayTime = 3;
        item.IsLastMaterial = i == 2;
        list += item.FodderUID.toLatin1() + "#" + QByteArray::number(i) + "#071210141512;";
        QList<rSendFdrContent> queue;
        QVERIFY(BuildContentFrames(item, false, 57, 0, 0, queue, [&](int, const QString &) { return cardText; }).Ok);
        frames.append(queue.first().Data);
    }
    ProgramReceiver receiver;
    QCOMPARE(receiver.OnProgramData(list).Reply, ReceiverReply::Confirm);
    QCOMPARE(receiver.Playbill().Materials.size(), 2);
    QVERIFY(receiver.Playbill().Materials.first().Entry.RemoteItem);
    QCOMPARE(receiver.Playbill().Materials.at(1).Entry.PlayTimes, 2);
    const ContentFrame c = ContentFrame::Parse(frames.at(1));
    QVERIFY(c.RemoteText);
    QVERIFY(c.EndMark);
    QCOMPARE(c.StayTime, 3);
    ReceiverReply r = receiver.OnContentFrame(frames.at(0));
    QCOMPARE(r.Reply, ReceiverReply::None);
    QVERIFY(!r.Finished);
    r = receiver.OnContentFrame(frames.at(1));
    QCOMPARE(r.Reply, ReceiverReply::None);
    QVERIFY(r.NewlyFinished);
    QCOMPARE(receiver.Playbill().Materials.at(1).Text, cardText);
    int colour = 0;
    QCOMPARE(MaterialParams::PlainRemoteText(cardText, &colour), QStringLiteral("abc de"));
    QCOMPARE(colour, 1);
}

void TestReceiver::refusals_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QByteArray>("frame");
    const TFodder m = PictureMaterial(QStringLiteral("700000001"), RandomPages(1, 64, 16, 3), 1, 1, true);
    const QByteArray good = "900000001,08:00-18:00." + Entry(m, 0, 0, 64, 16);
    const QByteArray frame = Frames(m, 56, 64, 16).first();
    QTest::newRow("content before any program") << QByteArray() << frame;
    TFodder other = m;
    other.FodderUID = QStringLiteral("799999999");
    QTest::newRow("unknown material") << QByteArray("900000001,08:00-18:00." + Entry(other, 0, 0, 64, 16)) << frame;
    QTest::newRow("truncated frame") << good << QByteArray(frame.left(60) + "\xFF\xFF");
    QByteArray noMark = frame;
    noMark[25 + 21] = 0x00; // 55 AA mark
    QTest::newRow("header mark missing") << good << noMark;
    QByteArray colour = frame;
    colour[25 + 29] = '7';
    QTest::newRow("bad colour digit") << good << colour;
    QByteArray hugeLength = frame;
    hugeLength[25 + 35 + 3] = char(0x7F);
    QTest::newRow("block longer than the frame") << good << hugeLength;
    QByteArray tooMany = frame; // packet count of the trailer (before CRC, end mark and FF FF)
    tooMany[tooMany.size() - 11] = char(0xB8);
    tooMany[tooMany.size() - 10] = char(0x0B);
    QTest::newRow("more packets than a card keeps") << good << tooMany;
}

void TestReceiver::refusals()
{
    QFETCH(QByteArray, program);
    QFETCH(QByteArray, frame);
    ProgramReceiver receiver;
    if (!program.isEmpty())
        QCOMPARE(receiver.OnProgramData(program).Reply, ReceiverReply::Confirm);
    QCOMPARE(receiver.OnContentFrame(frame).Reply, ReceiverReply::Exception);
    QVERIFY(!receiver.Playbill().IsComplete() || program.isEmpty());
}

// Random bytes and cut frames never crash the card and never count as content.
void TestReceiver::garbageNeverCrashes()
{
    const TFodder m = PictureMaterial(QStringLiteral("800000001"), RandomPages(2, 128, 64, 4), 3, 1, true);
    const QByteArray text = "900000001,08:00-18:00." + Entry(m, 0, 0, 128, 64);
    const QList<QByteArray> frames = Frames(m, 58, 128, 64);
    ProgramReceiver receiver;
    receiver.OnProgramData(text);
    QRandomGenerator rng(42);
    for (int i = 0; i < 400; ++i) {
        QByteArray f = frames.at(i % frames.size());
        const int cut = int(rng.bounded(f.size()));
        if (i % 2)
            f = f.left(cut) + "\xFF\xFF";
        else
            for (int k = 0; k < 4; ++k)
                f[int(rng.bounded(f.size()))] = char(rng.bounded(256));
        receiver.OnContentFrame(f);
        ContentFrame::Parse(f);
        ProgramText::Parse(f);
    }
    QVERIFY(!receiver.Playbill().Materials.isEmpty());
}

void TestReceiver::streamAssembler()
{
    const QByteArray a = BuildStartPlayFrame(PacketId::FromNumber(1));
    const QByteArray b = BuildReadParamsFrame(PacketId::FromNumber(2));
    StreamAssembler s;
    // Garbage, a frame split over two reads, a second frame, a bogus header.
    QList<StreamAssembler::Piece> got = s.Feed(QByteArray("\x01\x02\xFE\x5C\x4B\x89\xFF\xFF\xFF\x7F", 10) + a.left(7));
    QVERIFY(got.isEmpty());
    got = s.Feed(a.mid(7) + b + QByteArray("\xFE\x98\x00", 3));
    QCOMPARE(got.size(), 2);
    QCOMPARE(got.at(0).Bytes, a);
    QCOMPARE(got.at(1).Bytes, b);
    QVERIFY(!got.at(0).Envelope);
    QCOMPARE(s.Pending(), 3);
    // The rest of an envelope.
    QByteArray env = QByteArray::fromHex("FE980016975400" "0102030405060708" "010101" "AABBCC" "0000" "00");
    env.remove(0, 3);
    QCOMPARE(env.size(), 0x16 + 2 - 3);
    got = s.Feed(env);
    QCOMPARE(got.size(), 1);
    QVERIFY(got.first().Envelope);
    QCOMPARE(got.first().Bytes.size(), 0x18);
}
