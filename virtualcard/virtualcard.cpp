#include "virtualcard/virtualcard.h"

#include "virtualcard/cardreplies.h"
#include "virtualcard/serialbus.h"
#include "virtualcard/udpcardlogic.h"
#include "virtualcard/udpport.h"

#include "signstudio/comm/codec/crc16modbus.h"
#include "signstudio/comm/codec/xorcheck.h"

#include <QTcpSocket>

namespace {

constexpr int BusChunk = 2048;
constexpr int MaxBusProgram = 1 << 20;

bool IsLoopbackIpv4(const QString &address)
{
    const QHostAddress host(address);
    return host.protocol() == QAbstractSocket::IPv4Protocol && host.isLoopback();
}

QByteArray Payload(const QByteArray &frame)
{
    return frame.size() >= 19 ? frame.mid(17, frame.size() - 19) : QByteArray();
}

QString LinkName(VirtualCard::Link link)
{
    switch (link) {
    case VirtualCard::Link::Tcp: return QStringLiteral("tcp");
    case VirtualCard::Link::Serial: return QStringLiteral("serial");
    case VirtualCard::Link::Rs485: return QStringLiteral("rs485");
    }
    return {};
}

} // namespace

VirtualCard::VirtualCard(const CardProfile &profile, QObject *parent)
    : QObject(parent)
    , m_profile(profile)
{
    m_receiver.SetFaults(&m_faults);
    m_heartbeat.setInterval(10000);
    connect(&m_heartbeat, &QTimer::timeout, this, &VirtualCard::SendHeartbeat);
    m_reconnect.setSingleShot(true);
    m_reconnect.setInterval(2000);
    connect(&m_reconnect, &QTimer::timeout, this, &VirtualCard::TryConnect);
}

VirtualCard::~VirtualCard()
{
    m_wantConnection = false;
    if (m_bus)
        m_bus->Detach(this);
}

void VirtualCard::LogLine(const QString &text)
{
    emit Log(QStringLiteral("[%1] %2").arg(m_profile.InnerCodeText(), text));
}

// ---------------------------------------------------------------- TCP

bool VirtualCard::ConnectToServer(const QString &address, quint16 port)
{
    if (!IsLoopbackIpv4(address)) {
        LogLine(QStringLiteral("refusing to connect to %1: only loopback addresses are used").arg(address));
        return false;
    }
    if (!m_socket) {
        m_socket = new QTcpSocket(this);
        connect(m_socket, &QTcpSocket::connected, this, &VirtualCard::OnTcpConnected);
        connect(m_socket, &QTcpSocket::disconnected, this, &VirtualCard::OnTcpDisconnected);
        connect(m_socket, &QTcpSocket::readyRead, this, &VirtualCard::OnTcpReadyRead);
        connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
            if (m_socket->state() == QAbstractSocket::UnconnectedState && m_wantConnection && !m_reconnect.isActive())
                m_reconnect.start();
        });
    }
    const bool moved = address != m_serverAddress || port != m_serverPort;
    m_serverAddress = address;
    m_serverPort = port;
    m_wantConnection = true;
    if (moved && m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort(); // the disconnect handler reconnects to the new server
    TryConnect();
    return true;
}

void VirtualCard::DisconnectFromServer()
{
    m_wantConnection = false;
    m_reconnect.stop();
    m_heartbeat.stop();
    if (m_socket)
        m_socket->abort();
}

bool VirtualCard::IsConnected() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

void VirtualCard::SetHeartbeatInterval(int ms)
{
    m_heartbeat.setInterval(qMax(10, ms));
}

void VirtualCard::TryConnect()
{
    if (!m_socket || !m_wantConnection)
        return;
    if (m_socket->state() == QAbstractSocket::UnconnectedState) {
        LogLine(QStringLiteral("connecting to %1:%2").arg(m_serverAddress).arg(m_serverPort));
        m_socket->connectToHost(QHostAddress(m_serverAddress), m_serverPort);
    }
}

void VirtualCard::OnTcpConnected()
{
    LogLine(QStringLiteral("connected"));
    m_tcpIn.Clear();
    m_heartbeat.start();
    emit Connected();
}

void VirtualCard::OnTcpDisconnected()
{
    LogLine(QStringLiteral("disconnected"));
    m_heartbeat.stop();
    emit Disconnected();
    if (m_wantConnection)
        m_reconnect.start();
}

void VirtualCard::OnTcpReadyRead()
{
    const QByteArray bytes = m_socket->readAll();
    const QList<StreamAssembler::Piece> pieces = m_tcpIn.Feed(bytes);
    for (const StreamAssembler::Piece &piece : pieces) {
        if (!piece.Envelope)
            HandleFrame(piece.Bytes, Link::Tcp);
        if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState)
            break;
    }
}

void VirtualCard::SendHeartbeat()
{
    if (IsConnected())
        SendIdentity(0x91);
}

void VirtualCard::SendIdentity(quint8 code)
{
    const bool malformed = m_faults.MalformedIdentities > 0;
    if (malformed)
        --m_faults.MalformedIdentities;
    Emit(CardReplies::Identity(code, m_profile, malformed), Link::Tcp);
}

// ---------------------------------------------------------------- serial

QString VirtualCard::OpenPty(bool rs485)
{
    delete m_ownBus;
    m_ownBus = new SerialBus(rs485, this);
    if (!m_ownBus->Open()) {
        LogLine(QStringLiteral("cannot open a pty: %1").arg(m_ownBus->ErrorText()));
        delete m_ownBus;
        m_ownBus = nullptr;
        return {};
    }
    AttachToBus(m_ownBus);
    return m_ownBus->DevicePath();
}

void VirtualCard::AttachToBus(SerialBus *bus)
{
    if (m_bus)
        m_bus->Detach(this);
    m_bus = bus;
    if (bus)
        bus->Attach(this);
}

// ---------------------------------------------------------------- UDP

bool VirtualCard::BindUdp(const QString &address, quint16 port)
{
    auto *udp = new UdpPort(this);
    if (!udp->Bind(address, port)) {
        LogLine(QStringLiteral("cannot bind UDP %1:%2: %3").arg(address).arg(port).arg(udp->ErrorText()));
        delete udp;
        return false;
    }
    AttachToUdp(udp);
    return true;
}

void VirtualCard::AttachToUdp(UdpPort *port)
{
    m_udp = port;
    if (port)
        port->Attach(this);
}

void VirtualCard::HandleDatagram(const QByteArray &datagram, const QHostAddress &from, quint16 fromPort,
                                 bool addressed)
{
    if (!addressed && datagram.size() >= 2 && quint8(datagram.at(1)) == 0x14)
        return;
    const UdpOutcome out = UdpCardLogic::Handle(datagram, m_profile);
    if (out.Note.isEmpty())
        return;
    LogLine(QStringLiteral("udp from %1:%2: %3").arg(from.toString()).arg(fromPort).arg(out.Note));
    for (const QByteArray &reply : out.Replies)
        if (m_udp)
            m_udp->Send(reply, from, fromPort);
    emit UdpHandled(out.Note);
    if (out.SettingsWritten)
        emit ParamsWritten();
    if (out.CloseNoticed)
        emit CloseNoticeReceived();
    if (out.ServerChanged) {
        const QString server = CardProfile::IpText(m_profile.ServerIp);
        if (IsLoopbackIpv4(server))
            ConnectToServer(server, m_profile.ServerPort);
        else
            LogLine(QStringLiteral("server %1 is not a loopback address; not connecting").arg(server));
    }
}

// ---------------------------------------------------------------- frames

QDateTime VirtualCard::CardTime() const
{
    return QDateTime::currentDateTime().addMSecs(m_clockOffsetMs);
}

void VirtualCard::Write(const QByteArray &bytes, Link link)
{
    if (link == Link::Tcp) {
        if (IsConnected())
            m_socket->write(bytes);
    } else if (m_bus) {
        m_bus->Write(bytes);
    }
}

void VirtualCard::Emit(const QByteArray &frame, Link link)
{
    if (frame.isEmpty())
        return;
    const int code = frame.size() > 26 && quint8(frame.at(0)) == 0xFE && quint8(frame.at(1)) == 0x98
                         ? quint8(frame.at(26))
                         : (frame.size() > 8 ? quint8(frame.at(8)) : -1);
    QByteArray bytes = frame;
    if (m_faults.GarbageBeforeFrames)
        bytes.prepend(QByteArrayLiteral("\x00\x13\xFE\x5C garbage \xFE"));
    emit ReplySent(code, link);
    if (m_faults.ReplyDelayMs > 0) {
        QPointer<VirtualCard> self(this);
        QTimer::singleShot(m_faults.ReplyDelayMs, this, [self, bytes, link] {
            if (self)
                self->Write(bytes, link);
        });
    } else {
        Write(bytes, link);
    }
}

void VirtualCard::AnswerReceiver(const ReceiverReply &reply, Link link)
{
    if (!reply.Note.isEmpty())
        LogLine(reply.Note);
    switch (reply.Reply) {
    case ReceiverReply::Confirm:
        Emit(CardReplies::Confirm(), link);
        break;
    case ReceiverReply::Resend:
        Emit(CardReplies::ResendRequest(reply.MaterialNo, reply.PacketNo), link);
        break;
    case ReceiverReply::Exception:
        Emit(CardReplies::Exception(), link);
        break;
    case ReceiverReply::None:
        break;
    }
    if (reply.NewlyFinished) {
        m_lastComplete = m_receiver.Playbill();
        m_hasPlaybill = true;
        emit PlaybillReceived();
    }
}

void VirtualCard::HandleFrame(const QByteArray &frame, Link link)
{
    if (frame.size() < 19 || !frame.startsWith(QByteArrayLiteral("\xFE\x5C\x4B\x89")))
        return;
    ++m_framesReceived;
    const int command = quint8(frame.at(8));
    emit FrameReceived(command, link);
    if (!frame.endsWith(QByteArrayLiteral("\xFF\xFF"))) {
        LogLine(QStringLiteral("frame %1 without FF FF trailer ignored").arg(command, 2, 16, QLatin1Char('0')));
        return;
    }
    const QByteArray payload = Payload(frame);
    switch (command) {
    case 0x71: // identify
        if (link == Link::Tcp)
            SendIdentity(m_identityCode);
        else
            Emit(CardReplies::Identity(0x71, m_profile), link);
        break;
    case 0x22: { // program data
        m_receiver.SetLinkName(LinkName(link));
        m_contentFramesThisSend = 0;
        const ReceiverReply reply = m_receiver.OnProgramData(payload);
        if (m_receiver.HasProgram())
            emit ProgramTextReceived();
        AnswerReceiver(reply, link);
        break;
    }
    case 0x31: { // content item
        ++m_contentFramesThisSend;
        if (link == Link::Tcp && m_faults.DisconnectAfterContentFrames > 0
            && m_contentFramesThisSend == m_faults.DisconnectAfterContentFrames) {
            m_faults.DisconnectAfterContentFrames = 0;
            LogLine(QStringLiteral("dropping the connection in the middle of the send (fault)"));
            m_socket->abort();
            return;
        }
        AnswerReceiver(m_receiver.OnContentFrame(frame), link);
        break;
    }
    case 0x51:
    case 0x52:
    case 0x62:
        ApplyControl(command, payload);
        break;
    case 0xF1:
        if (payload.size() == 17) {
            m_profile.ApplyParamBlock(payload);
            LogLine(QStringLiteral("parameters written"));
            Emit(CardReplies::ParamsWritten(), link);
            emit ParamsWritten();
        }
        break;
    case 0xF2:
        Emit(CardReplies::Params(0xF2, m_profile.EffectiveParamBlock()), link);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- RS-485

void VirtualCard::BusAnswer(const QByteArray &frame, quint8 marker, int wantedSlice)
{
    Emit(CardReplies::BusReply(m_profile.InnerCode, frame, marker, 0x00, wantedSlice), Link::Rs485);
}

void VirtualCard::HandleEnvelope(const QByteArray &env)
{
    if (env.size() < 21)
        return;
    const qsizetype crcAt = env.size() - 3;
    const bool crcOk = Crc16Modbus(QByteArrayView(env).sliced(1, crcAt - 1)) == env.mid(crcAt, 2);
    const bool xorOk = XorCheck(QByteArrayView(env).sliced(1, env.size() - 2)) == quint8(env.at(env.size() - 1));
    if (!crcOk || !xorOk) {
        LogLine(QStringLiteral("envelope check failed; asking for the slice again"));
        Emit(CardReplies::BusReply(m_profile.InnerCode, CardReplies::Confirm(), 0x54, 0x01), Link::Rs485);
        return;
    }
    const int count = quint8(env.at(16));
    const int number = quint8(env.at(17));
    const QByteArray slice = env.mid(18, env.size() - 21);
    if (count <= 1) {
        m_busRx.Slices.clear();
        HandleBusFrame(slice, 1, slice);
        return;
    }
    // The repeated last slice of a full 2048-byte chunk: no more chunks follow.
    if (m_busRx.ProgramOpen && number == count && slice == m_busRx.LastChunkEnd) {
        CloseBusProgram();
        return;
    }
    if (number < 1 || number > count)
        return;
    if (number == 1 || count != m_busRx.SliceCount) {
        m_busRx.Slices.clear();
        m_busRx.SliceCount = count;
    }
    m_busRx.Slices.insert(number, slice);
    int wanted = 0;
    for (int j = 1; j <= count; ++j)
        if (!m_busRx.Slices.contains(j)) {
            wanted = j;
            break;
        }
    if (wanted != 0) {
        BusAnswer(CardReplies::Confirm(), 0x54, wanted);
        return;
    }
    QByteArray frame;
    for (const QByteArray &part : std::as_const(m_busRx.Slices))
        frame += part;
    m_busRx.Slices.clear();
    m_busRx.SliceCount = 0;
    HandleBusFrame(frame, count, slice);
}

// The whole program text of a bus send has arrived: hand it over and answer.
void VirtualCard::CloseBusProgram()
{
    m_busRx.ProgramOpen = false;
    m_receiver.SetLinkName(QStringLiteral("rs485"));
    m_contentFramesThisSend = 0;
    const ReceiverReply reply = m_receiver.OnProgramData(m_busRx.Program);
    m_busRx.Program.clear();
    if (m_receiver.HasProgram())
        emit ProgramTextReceived();
    if (!reply.Note.isEmpty())
        LogLine(reply.Note);
    if (reply.Reply == ReceiverReply::Confirm)
        BusAnswer(CardReplies::Confirm(), 0x55);
    else if (reply.Reply == ReceiverReply::Exception)
        BusAnswer(CardReplies::Exception(), 0x54);
    if (reply.NewlyFinished) {
        m_lastComplete = m_receiver.Playbill();
        m_hasPlaybill = true;
        emit PlaybillReceived();
    }
}

void VirtualCard::HandleBusFrame(const QByteArray &frame, int sliceCount, const QByteArray &lastSlice)
{
    if (frame.size() < 19 || !frame.startsWith(QByteArrayLiteral("\xFE\x5C\x4B\x89"))
        || !frame.endsWith(QByteArrayLiteral("\xFF\xFF"))) {
        BusAnswer(CardReplies::Exception(), 0x54, 1);
        return;
    }
    ++m_framesReceived;
    const int command = quint8(frame.at(8));
    emit FrameReceived(command, Link::Rs485);
    const QByteArray payload = Payload(frame);
    switch (command) {
    case 0x22: {
        if (!m_busRx.ProgramOpen)
            m_busRx.Program.clear();
        m_busRx.Program += payload;
        if (m_busRx.Program.size() > MaxBusProgram) {
            LogLine(QStringLiteral("program text over %1 bytes refused").arg(MaxBusProgram));
            m_busRx.Program.clear();
            m_busRx.ProgramOpen = false;
            BusAnswer(CardReplies::Exception(), 0x54, 1);
            return;
        }
        if (payload.size() >= BusChunk && sliceCount > 1) {
            // A full chunk: more may follow. Ask for slice 1 of the next one.
            m_busRx.ProgramOpen = true;
            m_busRx.LastChunkEnd = lastSlice;
            BusAnswer(CardReplies::Confirm(), 0x54, 1);
            return;
        }
        CloseBusProgram();
        return;
    }
    case 0x31: {
        ++m_contentFramesThisSend;
        const ReceiverReply reply = m_receiver.OnContentFrame(frame);
        if (!reply.Note.isEmpty())
            LogLine(reply.Note);
        switch (reply.Reply) {
        case ReceiverReply::Confirm:
            BusAnswer(CardReplies::Confirm(), reply.Finished ? 0x55 : 0x54, 1);
            break;
        case ReceiverReply::Resend:
            // On the bus the packet is asked for by slice: slice 1 of the material.
            BusAnswer(CardReplies::ResendRequest(reply.MaterialNo, 1), 0x54, 1);
            break;
        case ReceiverReply::Exception:
            BusAnswer(CardReplies::Exception(), 0x54, 1);
            break;
        case ReceiverReply::None:
            BusAnswer(CardReplies::Confirm(), 0x54, 1);
            break;
        }
        if (reply.NewlyFinished) {
            m_lastComplete = m_receiver.Playbill();
            m_hasPlaybill = true;
            emit PlaybillReceived();
        }
        return;
    }
    case 0x71:
        BusAnswer(CardReplies::Identity(0x71, m_profile), 0x54);
        return;
    case 0xF2:
        BusAnswer(CardReplies::Params(0xF2, m_profile.EffectiveParamBlock()), 0x54);
        return;
    case 0xF1:
        if (payload.size() == 17) {
            m_profile.ApplyParamBlock(payload);
            LogLine(QStringLiteral("parameters written"));
            BusAnswer(CardReplies::ParamsWritten(), 0x54);
            emit ParamsWritten();
        }
        return;
    default:
        // Play control and clock: as on a plain line, without an answer.
        ApplyControl(command, payload);
        return;
    }
}

void VirtualCard::ApplyControl(int command, const QByteArray &payload)
{
    if (command == 0x51 || command == 0x52) {
        m_playing = command == 0x51;
        LogLine(m_playing ? QStringLiteral("play started") : QStringLiteral("play stopped"));
        emit PlayStateChanged(m_playing);
    } else if (command == 0x62) {
        const CardReplies::ClockText clock = CardReplies::ParseClock(payload);
        if (!clock.Valid)
            return;
        m_clockOffsetMs = QDateTime::currentDateTime().msecsTo(clock.Moment);
        if (clock.PollTime >= 0)
            m_pollTime = clock.PollTime;
        LogLine(QStringLiteral("clock set to %1").arg(clock.Moment.toString(Qt::ISODate)));
        emit ClockSet(clock.Moment);
    }
}
