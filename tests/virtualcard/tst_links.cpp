#include "tests/virtualcard/tst_suites.h"

#include "virtualcard/serialbus.h"
#include "virtualcard/streamassembler.h"
#include "virtualcard/udpport.h"
#include "virtualcard/virtualcard.h"

#include "common/udp/udpconfigwrite.h"
#include "common/udp/udpinforeply.h"
#include "common/udp/udprequests.h"
#include "common/udp/udpsearchreply.h"
#include "signstudio/comm/codec/busenvelope.h"
#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/cardidentity.h"
#include "signstudio/comm/codec/commandframes.h"
#include "signstudio/comm/codec/linkencoding.h"
#include "signstudio/comm/codec/paramreply.h"
#include "signstudio/comm/codec/splitforbus.h"
#include "signstudio/comm/codec/splitreceived.h"
#include "signstudio/comm/codec/udppackets.h"
#include "signstudio/model/fodder.h"
#include "signstudio/model/fodderkind.h"
#include "signstudio/render/contentframes.h"
#include "signstudio/render/packpixels.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int WaitMs = 5000;

// Reads frames from a socket (or any source) until one matches, bounded.
class FrameReader
{
public:
    explicit FrameReader(std::function<QByteArray()> read) : m_read(std::move(read)) {}

    QByteArray Next(int timeoutMs = WaitMs)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs) {
            if (!m_ready.isEmpty())
                return m_ready.takeFirst();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            const QByteArray bytes = m_read();
            m_raw += bytes;
            for (const StreamAssembler::Piece &p : m_in.Feed(bytes))
                m_ready.append(p.Bytes);
            if (bytes.isEmpty())
                QThread::msleep(2);
        }
        return {};
    }

    // Next frame whose command (or, for an envelope, reply code) is `code`.
    QByteArray NextWith(int code, int timeoutMs = WaitMs)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs) {
            const QByteArray f = Next(int(timeoutMs - t.elapsed()));
            if (f.isEmpty())
                break;
            const bool env = quint8(f.at(1)) == 0x98;
            if (ByteAt(f, env ? 26 : 8) == code)
                return f;
        }
        return {};
    }

    QByteArray Raw() const { return m_raw; }

private:
    std::function<QByteArray()> m_read;
    StreamAssembler m_in;
    QList<QByteArray> m_ready;
    QByteArray m_raw;
};

QByteArray EntryFor(const TFodder &m, int x, int y, int w, int h)
{
    const auto n3 = [](int v) { return QByteArray::number(v).rightJustified(3, '0'); };
    return m.FodderUID.toLatin1() + char(m.TypeCode) + n3(x / 8) + n3(y) + n3(w / 8) + n3(h) + "1000000000#0"
         + QByteArray::number(m.PlayTimes) + "#10;";
}

TFodder Picture(const QString &uid, int w, int h, int planes, bool last)
{
    TFodder m = TFodder::NewOfKind(fkPictureGroup, QDateTime::currentDateTime());
    m.FodderUID = uid;
    QImage page(w, h, QImage::Format_RGB32);
    page.fill(Qt::black);
    for (int i = 0; i < qMin(w, h); ++i)
        page.setPixel(i, i, qRgb(255, 255, 0));
    m.CardData = PackPixels(page, planes) + PackPixels(page.mirrored(true, false), planes);
    m.CardDataLen = int(m.CardData.size());
    m.PageCount = 2;
    m.DataPacketCount = PicturePacketCount(m.CardDataLen);
    m.MaterialNo = 1;
    m.IsLastMaterial = last;
    return m;
}

int OpenSlave(const QString &path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0) {
        struct termios t;
        tcgetattr(fd, &t);
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

QByteArray ReadFd(int fd)
{
    char buf[4096];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    return n > 0 ? QByteArray(buf, n) : QByteArray();
}

void WriteFd(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else
            QThread::msleep(1);
    }
}

} // namespace

void TestLinks::tcpConversation()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    CardProfile profile;
    profile.Width = 128;
    VirtualCard card(profile);
    card.SetHeartbeatInterval(150);
    card.SetReconnectInterval(100);
    QSignalSpy connected(&card, &VirtualCard::Connected);
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), server.serverPort()));
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), WaitMs);
    QTcpSocket *socket = server.nextPendingConnection();
    QVERIFY(socket);
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 1, WaitMs);
    FrameReader reader([socket] { return socket->readAll(); });

    // The server greets with the identify frame; the card answers with 61.
    socket->write(BuildIdentifyFrame());
    const QByteArray identity = reader.NextWith(0x61);
    QVERIFY(!identity.isEmpty());
    const CodecResult<CardIdentity> id = ParseCardIdentity(identity);
    QVERIFY(id.Ok());
    QCOMPARE(id.Value.Width, 128);
    QCOMPARE(id.Value.Code.Text(), profile.InnerCodeText());

    // The network clock sets the card's time and poll time.
    const QDateTime set = QDateTime::currentDateTime().addDays(-3);
    socket->write(BuildNetworkClockFrame(NewPacketId(), set, 45));
    QTRY_COMPARE_WITH_TIMEOUT(card.PollTime(), 45, WaitMs);
    QVERIFY(qAbs(card.CardTime().secsTo(set)) <= 2);

    // Heartbeats keep coming.
    QVERIFY(!reader.NextWith(0x91).isEmpty());
    QVERIFY(!reader.NextWith(0x91).isEmpty());

    // Play control.
    socket->write(BuildStopPlayFrame(NewPacketId()));
    QTRY_VERIFY_WITH_TIMEOUT(!card.IsPlaying(), WaitMs);
    socket->write(BuildStartPlayFrame(NewPacketId()));
    QTRY_VERIFY_WITH_TIMEOUT(card.IsPlaying(), WaitMs);

    // The server drops the connection: the card comes back.
    socket->close();
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), WaitMs);
    QTcpSocket *again = server.nextPendingConnection();
    QVERIFY(again);
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 2, WaitMs);
    card.SetIdentityCode(0x72);
    FrameReader reader2([again] { return again->readAll(); });
    again->write(BuildIdentifyFrame());
    QVERIFY(!reader2.NextWith(0x72).isEmpty());
    card.DisconnectFromServer();
}

void TestLinks::tcpProgramSend()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    CardProfile profile;
    profile.ColourPlanes = 3;
    VirtualCard card(profile);
    QSignalSpy received(&card, &VirtualCard::PlaybillReceived);
    card.ConnectToServer(QStringLiteral("127.0.0.1"), server.serverPort());
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), WaitMs);
    QTcpSocket *socket = server.nextPendingConnection();
    FrameReader reader([socket] { return socket->readAll(); });

    const TFodder m = Picture(QStringLiteral("123000001"), 128, 64, 3, true);
    const QByteArray text = "123000000,08:00-18:00." + EntryFor(m, 0, 0, 128, 64);
    const CodecResult<QByteArray> program = BuildProgramDataFrame(NewPacketId(), text, QByteArray("08\x44" "00-18\x41" "00"));
    QVERIFY(program.Ok());
    socket->write(program.Value);
    const QByteArray confirm = reader.NextWith(0x81);
    QCOMPARE(confirm.mid(17, 1), QByteArray("1"));
    QList<rSendFdrContent> queue;
    QVERIFY(BuildContentFrames(m, false, 58, 64, 128, queue).Ok);
    QCOMPARE(queue.size(), 3);
    for (const rSendFdrContent &item : queue)
        socket->write(item.Data);
    const QByteArray done = reader.NextWith(0x81);
    QCOMPARE(done.mid(17, 1), QByteArray("1"));
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, WaitMs);
    const ReceivedPlaybill &p = card.LastCompletePlaybill();
    QCOMPARE(p.Link, QStringLiteral("tcp"));
    QCOMPARE(p.Program.Pages.first().Schedule.WeekDays, (QList<int>{0, 6}));
    QCOMPARE(p.Materials.first().Pages.size(), 2);
    QCOMPARE(p.Materials.first().Pages.first().pixel(5, 5) & 0xFFFFFF, 0xFFFF00u);
    QCOMPARE(p.Materials.first().Pages.at(1).pixel(127 - 5, 5) & 0xFFFFFF, 0xFFFF00u);
    QCOMPARE(p.Materials.first().Pages.at(1).pixel(5, 5) & 0xFFFFFF, 0u);
    card.DisconnectFromServer();
}

void TestLinks::tcpFaults()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    VirtualCard card;
    card.SetReconnectInterval(100);
    card.Faults().MalformedIdentities = 1;
    card.Faults().GarbageBeforeFrames = true;
    card.ConnectToServer(QStringLiteral("127.0.0.1"), server.serverPort());
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), WaitMs);
    QTcpSocket *socket = server.nextPendingConnection();
    QByteArray raw;
    FrameReader reader([socket, &raw] {
        const QByteArray b = socket->readAll();
        raw += b;
        return b;
    });

    // First identity ends 00 00 and comes after garbage; the second one is sound.
    socket->write(BuildIdentifyFrame());
    const QByteArray first = reader.NextWith(0x61);
    QVERIFY(!first.isEmpty());
    QVERIFY(!ParseCardIdentity(first).Value.TrailerOk);
    QVERIFY(!raw.startsWith(CardFrame::Header));
    const QList<QByteArray> split = SplitTcpRead(raw);
    QVERIFY(!split.isEmpty());
    QCOMPARE(CardFrameCommand(split.first()), 0x61);
    socket->write(BuildIdentifyFrame());
    const QByteArray second = reader.NextWith(0x61);
    QVERIFY(ParseCardIdentity(second).Value.TrailerOk);
    card.Faults().GarbageBeforeFrames = false;

    // An exception instead of the program confirmation.
    const TFodder m = Picture(QStringLiteral("555000001"), 64, 16, 2, true);
    const QByteArray text = "555000000,08:00-18:00." + EntryFor(m, 0, 0, 64, 16);
    card.Faults().ExceptionOnProgram = true;
    socket->write(BuildProgramDataFrame(NewPacketId(), text, QByteArray("08:00-18:00")).Value);
    QVERIFY(!reader.NextWith(0x34).isEmpty());
    card.Faults().ExceptionOnProgram = false;

    // A slow card answers late.
    card.Faults().ReplyDelayMs = 400;
    QElapsedTimer t;
    t.start();
    socket->write(BuildProgramDataFrame(NewPacketId(), text, QByteArray("08:00-18:00")).Value);
    QVERIFY(!reader.NextWith(0x81).isEmpty());
    QVERIFY(t.elapsed() >= 350);
    card.Faults().ReplyDelayMs = 0;

    // The card drops the line after the first content frame and comes back.
    card.Faults().DisconnectAfterContentFrames = 1;
    QSignalSpy disconnected(&card, &VirtualCard::Disconnected);
    QList<rSendFdrContent> queue;
    QVERIFY(BuildContentFrames(m, false, 57, 16, 64, queue).Ok);
    socket->write(queue.first().Data);
    QTRY_COMPARE_WITH_TIMEOUT(disconnected.size(), 1, WaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), WaitMs);
    QVERIFY(server.nextPendingConnection());
    card.DisconnectFromServer();
}

void TestLinks::tcpRefusesOtherAddresses()
{
    VirtualCard card;
    QVERIFY(!card.ConnectToServer(QStringLiteral("192.0.2.1"), 8900));
    QVERIFY(!card.ConnectToServer(QStringLiteral("localhost"), 8900));
    QVERIFY(!card.IsConnected());
    QVERIFY(!card.BindUdp(QStringLiteral("0.0.0.0")));
    QVERIFY(!card.BindUdp(QStringLiteral("192.0.2.1")));

    // A server address written over UDP that is not loopback is not dialled.
    CardProfile p;
    VirtualCard other(p);
    other.HandleDatagram(UdpSetServer(MacAddress::FromBytes(p.Mac).Value, Ipv4Address::FromOctets(127, 0, 0, 2),
                                      Ipv4Address::FromOctets(255, 0, 0, 0), Ipv4Address::FromOctets(192, 0, 2, 9),
                                      8900),
                         QHostAddress(QStringLiteral("127.0.0.1")), 4480, true);
    QCOMPARE(CardProfile::IpText(other.Profile().ServerIp), QStringLiteral("192.0.2.9"));
    QVERIFY(!other.IsConnected());
}

void TestLinks::udpDiscoveryAndWrites()
{
    CardProfile profile;
    profile.FirmwareVersion = 55;
    VirtualCard card(profile);
    QVERIFY(card.BindUdp(QStringLiteral("127.0.0.2"), 8800));
    QUdpSocket client;
    QVERIFY(client.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    const QHostAddress cardAddress(QStringLiteral("127.0.0.2"));
    const auto ask = [&](const QByteArray &datagram) -> QByteArray {
        client.writeDatagram(datagram, cardAddress, 8800);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 1500) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (client.hasPendingDatagrams())
                return client.receiveDatagram().data();
            QThread::msleep(2);
        }
        return {};
    };

    const QByteArray search = ask(UdpSearch());
    const CodecResult<UdpSearchReply> sr = ParseUdpSearchReply(search);
    QVERIFY2(sr.Ok(), qPrintable(sr.Error));
    QCOMPARE(sr.Value.Ip.Text(), QStringLiteral("127.0.0.2"));
    QCOMPARE(sr.Value.Mac.HexText(), profile.MacText());
    QCOMPARE(sr.Value.Version, 55);

    const MacAddress mac = MacAddress::FromBytes(profile.Mac).Value;
    const QByteArray info = ask(UdpInfoRequestByMac(mac));
    QVERIFY(IsUdpInfoReply(info));
    QVERIFY(info.size() > 170);
    const UdpInfoReply ir = DecodeUdpInfoReply(info, true);
    QCOMPARE(ir.Mac->HexText(), profile.MacText());
    QCOMPARE(ir.Ip->Text(), QStringLiteral("127.0.0.2"));
    QCOMPARE(ir.Mask->Text(), QStringLiteral("255.255.255.0"));
    QCOMPARE(ir.Gateway->Text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(ir.ServerIp->Text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(*ir.ServerPort, quint16(8900));
    QCOMPARE(*ir.Version, 55);
    QCOMPARE(ParamBlock::Decode(*ir.Params).Value.Width, quint16(64));
    QCOMPARE(*ir.InnerCode, profile.InnerCode);
    QVERIFY(ir.ConfigMode.has_value());
    QVERIFY(ir.Dns.has_value());
    QVERIFY(ir.Domain.has_value());
    QVERIFY(!ask(UdpInfoRequestByIp()).isEmpty());

    // Someone else's MAC: no answer.
    QVERIFY(ask(UdpInfoRequestByMac(MacAddress::FromBytes(QByteArray::fromHex("0A0B0C0D0E0F")).Value)).isEmpty());

    // A configuration write by MAC: new size, a server on loopback; the card dials it.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    UdpConfigWrite w;
    w.MacAddressing = true;
    w.Mac = mac;
    w.Params.Width = 320;
    w.Params.Height = 48;
    w.Params.Colour = 1;
    w.Ip = Ipv4Address::FromOctets(127, 0, 0, 2);
    w.Mask = Ipv4Address::FromOctets(255, 0, 0, 0);
    w.Gateway = Ipv4Address::FromOctets(127, 0, 0, 1);
    w.ServerIp = Ipv4Address::FromOctets(127, 0, 0, 1);
    w.ServerPort = server.serverPort();
    QSignalSpy written(&card, &VirtualCard::ParamsWritten);
    client.writeDatagram(w.Build().Value, cardAddress, 8800);
    QTRY_COMPARE_WITH_TIMEOUT(written.size(), 1, WaitMs);
    QCOMPARE(card.Profile().Width, 320);
    QCOMPARE(card.Profile().Height, 48);
    QCOMPARE(card.Profile().ServerPort, server.serverPort());
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), WaitMs);
    const UdpInfoReply after = DecodeUdpInfoReply(ask(UdpInfoRequestByMac(mac)), false);
    QCOMPARE(after.Mask->Text(), QStringLiteral("255.0.0.0"));
    QCOMPARE(*after.ServerPort, server.serverPort());

    // The server address packet moves the card to another server.
    QTcpServer second;
    QVERIFY(second.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    client.writeDatagram(UdpSetServer(mac, Ipv4Address::FromOctets(127, 0, 0, 2), Ipv4Address::FromOctets(255, 255, 255, 0),
                                      Ipv4Address::FromOctets(127, 0, 0, 1), second.serverPort()),
                         cardAddress, 8800);
    QTRY_VERIFY_WITH_TIMEOUT(second.hasPendingConnections(), WaitMs);

    // Parameter write and close notice.
    ParamBlock pb;
    pb.Width = 96;
    pb.Height = 32;
    pb.Colour = 0;
    client.writeDatagram(UdpParamWrite(mac, pb), cardAddress, 8800);
    QTRY_COMPARE_WITH_TIMEOUT(card.Profile().Width, 96, WaitMs);
    QCOMPARE(card.Profile().ColourPlanes, 1);
    QSignalSpy closed(&card, &VirtualCard::CloseNoticeReceived);
    client.writeDatagram(UdpCloseNotice(mac), cardAddress, 8800);
    QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, WaitMs);

    // A write by IP for another card (its MAC item differs) changes nothing.
    UdpConfigWrite foreign = w;
    foreign.MacAddressing = false;
    foreign.Mac = MacAddress::FromBytes(QByteArray::fromHex("0A0B0C0D0E0F")).Value;
    foreign.Params.Width = 999;
    client.writeDatagram(foreign.Build().Value, cardAddress, 8800);
    QVERIFY(!ask(UdpInfoRequestByMac(mac)).isEmpty()); // handled after the write
    QCOMPARE(card.Profile().Width, 96);
    UdpConfigWrite mine = foreign;
    mine.Mac = mac;
    mine.Params.Width = 200;
    client.writeDatagram(mine.Build().Value, cardAddress, 8800);
    QTRY_COMPARE_WITH_TIMEOUT(card.Profile().Width, 200, WaitMs);

    // Garbage is ignored.
    QVERIFY(ask(QByteArray::fromHex("A1FF")).isEmpty());
    card.DisconnectFromServer();
}

void TestLinks::serialLineOnPty()
{
    VirtualCard card;
    const QString path = card.OpenPty(false);
    QVERIFY(path.startsWith(QStringLiteral("/dev/pts/")));
    card.Bus()->SetWriteGap(5);
    const int fd = OpenSlave(path);
    QVERIFY(fd >= 0);
    FrameReader reader([fd] { return ReadFd(fd); });

    WriteFd(fd, QByteArray("noise") + BuildIdentifyFrame());
    const QByteArray identity = reader.NextWith(0x71);
    QVERIFY(!identity.isEmpty());
    QVERIFY(ParseCardIdentity(identity).Ok());

    WriteFd(fd, BuildReadParamsFrame(NewPacketId()));
    const QByteArray params = reader.NextWith(0xF2);
    QCOMPARE(params.size(), 36);
    const CodecResult<ParamReply> pr = ParseParamBlock(params);
    QVERIFY(pr.Ok());
    QCOMPARE(pr.Value.Block.Width, quint16(64));

    ParamBlock written;
    written.Width = 160;
    written.Height = 32;
    written.Colour = 1;
    WriteFd(fd, BuildWriteParamsFrame(NewPacketId(), written));
    const QByteArray ack = reader.NextWith(0xF1);
    QCOMPARE(ack.size(), 19);
    QCOMPARE(card.Profile().Width, 160);

    // A program on the plain line.
    const TFodder m = Picture(QStringLiteral("777000001"), 64, 32, 2, true);
    const QByteArray text = "777000000,00:00-24:00." + EntryFor(m, 0, 0, 64, 32);
    WriteFd(fd, BuildProgramDataFrame(NewPacketId(), text, QByteArray("00:00-24:00")).Value);
    QVERIFY(!reader.NextWith(0x81).isEmpty());
    QList<rSendFdrContent> queue;
    QVERIFY(BuildContentFrames(m, false, 57, 32, 64, queue).Ok);
    for (const rSendFdrContent &item : queue)
        WriteFd(fd, item.Data);
    QVERIFY(!reader.NextWith(0x81).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(card.HasPlaybill(), WaitMs);
    QCOMPARE(card.LastCompletePlaybill().Link, QStringLiteral("serial"));
    ::close(fd);
}

void TestLinks::rs485BusWithTwoCards()
{
    SerialBus bus(true);
    QVERIFY(bus.Open());
    bus.SetWriteGap(5);
    CardProfile p1;
    CardProfile p2 = p1.Stepped(1);
    VirtualCard card1(p1);
    VirtualCard card2(p2);
    card1.AttachToBus(&bus);
    card2.AttachToBus(&bus);
    const InnerCode code2 = InnerCode::FromBytes(p2.InnerCode).Value;
    const int fd = OpenSlave(bus.DevicePath());
    QVERIFY(fd >= 0);
    FrameReader reader([fd] { return ReadFd(fd); });

    // Identify addressed to the second card: only it answers.
    WriteFd(fd, EncodeForLink(BuildIdentifyFrame(NewPacketId()), LinkRs485, code2).Value);
    const QByteArray reply = reader.Next();
    QVERIFY(!reply.isEmpty());
    QCOMPARE(quint8(reply.at(BusEnvelope::MarkerOffset)), BusEnvelope::MarkerAck);
    QCOMPARE(reply.mid(7, 8), p2.InnerCode);
    const SerialPieces pieces = SplitSerialRead(reply);
    QCOMPARE(pieces.Type, SerialPieces::Envelopes);
    const CodecResult<CardIdentity> id = ParseCardIdentity(reply, 18);
    QVERIFY(id.Ok());
    QCOMPARE(id.Value.Code, code2);
    QVERIFY(reader.Next(300).isEmpty());

    // A long program over the bus: slices acknowledged one by one, the last
    // chunk finished with marker 55.
    const TFodder m = Picture(QStringLiteral("888000001"), 64, 16, 2, true);
    QByteArray text = "888000000,08:00-18:00." + EntryFor(m, 0, 0, 64, 16);
    for (int i = 0; i < 200; ++i)
        text += ",00:00-24:00.";
    const QList<BusSlice> slices = SplitForBus(text, code2);
    QVERIFY(slices.size() > 9);
    for (int i = 0; i < slices.size(); ++i) {
        WriteFd(fd, slices.at(i).Envelope);
        const QByteArray ack = reader.Next();
        QVERIFY2(!ack.isEmpty(), qPrintable(QStringLiteral("slice %1").arg(i)));
        const bool last = i + 1 == slices.size();
        QCOMPARE(quint8(ack.at(BusEnvelope::MarkerOffset)), last ? BusEnvelope::MarkerFinished : BusEnvelope::MarkerAck);
        QCOMPARE(quint8(ack.at(BusEnvelope::StatusOffset)), quint8(0));
        QCOMPARE(ByteAt(ack, BusEnvelope::ReplyCodeOffset), 0x81);
        if (!last) {
            const int wanted = i + 1 < slices.size() ? slices.at(i + 1).SliceNumber : 1;
            QCOMPARE(ByteAt(ack, BusEnvelope::WantedSliceOffset), wanted);
        }
    }
    QCOMPARE(card2.Playbill().Program.Pages.size(), 201);
    QCOMPARE(card1.Playbill().Program.Pages.size(), 0);

    // The content: a picture frame cut into slices.
    QList<rSendFdrContent> queue;
    QVERIFY(BuildContentFrames(m, true, 57, 16, 64, queue).Ok);
    for (int i = 0; i < queue.size(); ++i) {
        const rSendFdrContent &item = queue.at(i);
        WriteFd(fd, BuildEnvelope(code2, item.PacketCount, item.PacketIndex, item.Data));
        const QByteArray ack = reader.Next();
        QVERIFY(!ack.isEmpty());
        const bool last = i + 1 == queue.size();
        QCOMPARE(quint8(ack.at(BusEnvelope::MarkerOffset)), last ? BusEnvelope::MarkerFinished : BusEnvelope::MarkerAck);
        QCOMPARE(ByteAt(ack, BusEnvelope::FirstPayloadOffset), int('1'));
    }
    QVERIFY(card2.HasPlaybill());
    QCOMPARE(card2.LastCompletePlaybill().Link, QStringLiteral("rs485"));
    QCOMPARE(card2.LastCompletePlaybill().Materials.first().CardData, m.CardData);

    // A damaged envelope is asked for again (status other than 00 / FF).
    QByteArray damaged = EncodeForLink(BuildStartPlayFrame(NewPacketId()), LinkRs485, code2).Value;
    damaged[20] = char(damaged.at(20) ^ 0x10);
    WriteFd(fd, damaged);
    const QByteArray nak = reader.Next();
    QVERIFY(!nak.isEmpty());
    QVERIFY(quint8(nak.at(BusEnvelope::StatusOffset)) != 0x00 && quint8(nak.at(BusEnvelope::StatusOffset)) != 0xFF);
    ::close(fd);
}

namespace {
QString ProgramPath()
{
    return QStringLiteral(SIGN_BINARY_DIR "/virtualcard/virtualcard");
}
} // namespace

// The program as the demo starts it: it connects, registers, takes a
// playbill and leaves PNG files and a summary in the save folder.
void TestLinks::programSavesWhatItReceives()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    QTemporaryDir save;
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(ProgramPath(), {QStringLiteral("--server"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                                  QString::number(server.serverPort()), QStringLiteral("--udp-address"),
                                  QStringLiteral("127.0.0.3"), QStringLiteral("--save"), save.path(),
                                  QStringLiteral("--width"), QStringLiteral("128"), QStringLiteral("--height"),
                                  QStringLiteral("64"), QStringLiteral("--colour"), QStringLiteral("3"),
                                  QStringLiteral("--inner-code"), QStringLiteral("9_8_7_6_5_4_3_2"), QStringLiteral("--quiet"),
                                  QStringLiteral("--show"), QStringLiteral("--time-scale"), QStringLiteral("0.05")});
    QVERIFY(program.waitForStarted(WaitMs));
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), WaitMs);
    QTcpSocket *socket = server.nextPendingConnection();
    FrameReader reader([socket] { return socket->readAll(); });
    socket->write(BuildIdentifyFrame());
    const QByteArray identity = reader.NextWith(0x61);
    const CodecResult<CardIdentity> id = ParseCardIdentity(identity);
    QVERIFY(id.Ok());
    QCOMPARE(id.Value.Code.Text(), QStringLiteral("9_8_7_6_5_4_3_2"));
    QCOMPARE(id.Value.Width, 128);
    QCOMPARE(id.Value.ColourCode, 58);

    const TFodder m = Picture(QStringLiteral("321000001"), 128, 64, 3, true);
    const QByteArray text = "321000000,08:00-18:00." + EntryFor(m, 0, 0, 128, 64);
    socket->write(BuildProgramDataFrame(NewPacketId(), text, QByteArray("08:00-18:00")).Value);
    QVERIFY(!reader.NextWith(0x81).isEmpty());
    QList<rSendFdrContent> queue;
    QVERIFY(BuildContentFrames(m, false, 58, 64, 128, queue).Ok);
    for (const rSendFdrContent &item : queue)
        socket->write(item.Data);
    QVERIFY(!reader.NextWith(0x81).isEmpty());

    QStringList pngs;
    QString summary;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < WaitMs && (pngs.size() < 2 || summary.isEmpty())) {
        QTest::qWait(50);
        pngs.clear();
        QDirIterator it(save.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            if (f.endsWith(QStringLiteral(".png")))
                pngs << f;
            else if (f.endsWith(QStringLiteral("playbill.json")))
                summary = f;
        }
    }
    QCOMPARE(pngs.size(), 2);
    QVERIFY(summary.contains(QStringLiteral("/9_8_7_6_5_4_3_2/")));
    pngs.sort();
    QImage first(pngs.first());
    QCOMPARE(first.size(), QSize(128, 64));
    QCOMPARE(first.pixel(5, 5) & 0xFFFFFF, 0xFFFF00u);

    // The UDP side of the same program answers a search on its address.
    QUdpSocket client;
    QVERIFY(client.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    client.writeDatagram(UdpSearch(), QHostAddress(QStringLiteral("127.0.0.3")), 8800);
    QTRY_VERIFY_WITH_TIMEOUT(client.hasPendingDatagrams(), WaitMs);
    QCOMPARE(ParseUdpSearchReply(client.receiveDatagram().data()).Value.Ip.Text(), QStringLiteral("127.0.0.3"));

    // The screen window plays the playbill for a while (offscreen) without trouble.
    QTest::qWait(600);
    QCOMPARE(program.state(), QProcess::Running);
    program.terminate();
    QVERIFY(program.waitForFinished(WaitMs));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
}

void TestLinks::programRefusesBadOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no link") << QStringList{} << 2;
    QTest::newRow("server not on loopback") << QStringList{QStringLiteral("--server"), QStringLiteral("192.0.2.7")} << 1;
    QTest::newRow("UDP not on loopback") << QStringList{QStringLiteral("--udp-address"), QStringLiteral("0.0.0.0")} << 1;
    QTest::newRow("bad inner code") << QStringList{QStringLiteral("--serial"), QStringLiteral("--inner-code"), QStringLiteral("1_2_3")} << 2;
    QTest::newRow("bad colour") << QStringList{QStringLiteral("--serial"), QStringLiteral("--colour"), QStringLiteral("4")} << 2;
    QTest::newRow("bad drop") << QStringList{QStringLiteral("--serial"), QStringLiteral("--drop-packet"), QStringLiteral("x")} << 2;
    QTest::newRow("both serial kinds") << QStringList{QStringLiteral("--serial"), QStringLiteral("--rs485")} << 2;
}

void TestLinks::programRefusesBadOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QProcess program;
    program.start(ProgramPath(), arguments);
    QVERIFY(program.waitForFinished(WaitMs));
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY(!program.readAllStandardError().isEmpty());
}
