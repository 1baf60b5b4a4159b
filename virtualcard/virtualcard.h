#pragma once

#include "virtualcard/cardfaults.h"
#include "virtualcard/cardprofile.h"
#include "virtualcard/programreceiver.h"
#include "virtualcard/serialbus.h"
#include "virtualcard/streamassembler.h"
#include "virtualcard/udpport.h"

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QTcpSocket;
class SerialBus;
class UdpPort;

// A simulated control card. It plays the card side of every link: TCP client
// of signstudio's server, a plain serial line or an RS-485 bus on a pty, and
// UDP port 8800 for discovery and configuration. It keeps what it receives
// and reports it through signals; tests use it in-process.
//
// Safety: it connects and binds only to loopback addresses (127.0.0.0/8).
class VirtualCard : public QObject
{
    Q_OBJECT
public:
    enum class Link { Tcp, Serial, Rs485 };
    Q_ENUM(Link)

    explicit VirtualCard(const CardProfile &profile = CardProfile(), QObject *parent = nullptr);
    ~VirtualCard() override;

    CardProfile &Profile() { return m_profile; }
    const CardProfile &Profile() const { return m_profile; }
    CardFaults &Faults() { return m_faults; }

    // --- TCP ---
    // Connects to signstudio's server and keeps reconnecting after a loss.
    // Refused (false) for an address outside 127.0.0.0/8.
    bool ConnectToServer(const QString &address, quint16 port);
    void DisconnectFromServer();
    bool IsConnected() const;
    // Code of the identity answering the server's identify: 61 (default), 72 or 91.
    void SetIdentityCode(quint8 code) { m_identityCode = code; }
    void SetHeartbeatInterval(int ms);
    int HeartbeatInterval() const { return m_heartbeat.interval(); }
    void SetReconnectInterval(int ms) { m_reconnect.setInterval(ms); }
    // Sends one heartbeat now (what the heartbeat timer calls).
    void SendHeartbeat();
    // Sends an identity of the given code on the TCP link now.
    void SendIdentity(quint8 code);

    // --- serial line / RS-485 bus on a pty ---
    // Opens a new pty pair with this card alone on it; returns the device path
    // to give to signstudio, empty on failure.
    QString OpenPty(bool rs485);
    // Joins an existing line (several cards on one RS-485 bus).
    void AttachToBus(SerialBus *bus);
    SerialBus *Bus() const { return m_bus; }

    // --- UDP ---
    // Binds port `port` (8800) on a loopback address; false on failure.
    bool BindUdp(const QString &address, quint16 port = 8800);
    // Joins a port shared with other cards.
    void AttachToUdp(UdpPort *port);
    UdpPort *Udp() const { return m_udp; }
    // One datagram from the UDP port; `addressed` is false when it came to an
    // address that is not this card's (information requests by IP are then ignored).
    void HandleDatagram(const QByteArray &datagram, const QHostAddress &from, quint16 fromPort, bool addressed);

    // --- state ---
    bool IsPlaying() const { return m_playing; }
    QDateTime CardTime() const;             // local time shifted by the last clock set
    int PollTime() const { return m_pollTime; }
    const ReceivedPlaybill &Playbill() const { return m_receiver.Playbill(); }
    bool HasPlaybill() const { return m_hasPlaybill; }
    const ReceivedPlaybill &LastCompletePlaybill() const { return m_lastComplete; }
    int FramesReceived() const { return m_framesReceived; }

    // Handles one whole frame as if it had arrived on `link` and answers on
    // that link. Used by the links and by tests.
    void HandleFrame(const QByteArray &frame, Link link);
    // Handles one envelope from the bus addressed to this card.
    void HandleEnvelope(const QByteArray &envelope);

signals:
    void Log(const QString &line);
    void FrameReceived(int command, VirtualCard::Link link);
    void ReplySent(int code, VirtualCard::Link link);
    void Connected();
    void Disconnected();
    void ProgramTextReceived();
    void PlaybillReceived();                // a complete playbill arrived
    void PlayStateChanged(bool playing);
    void ClockSet(const QDateTime &cardTime);
    void ParamsWritten();
    void UdpHandled(const QString &note);
    void CloseNoticeReceived();

private:
    void OnTcpConnected();
    void OnTcpDisconnected();
    void OnTcpReadyRead();
    void TryConnect();
    void Emit(const QByteArray &frame, Link link); // one reply frame, through the faults
    void Write(const QByteArray &bytes, Link link);
    void AnswerReceiver(const ReceiverReply &reply, Link link);
    void BusAnswer(const QByteArray &frame, quint8 marker, int wantedSlice = -1);
    void HandleBusFrame(const QByteArray &frame, int sliceCount, const QByteArray &lastSlice);
    void CloseBusProgram();
    void ApplyControl(int command, const QByteArray &payload);
    void LogLine(const QString &text);

    CardProfile m_profile;
    CardFaults m_faults;
    ProgramReceiver m_receiver;
    ReceivedPlaybill m_lastComplete;
    bool m_hasPlaybill = false;
    int m_framesReceived = 0;
    int m_contentFramesThisSend = 0;

    QTcpSocket *m_socket = nullptr;
    QString m_serverAddress;
    quint16 m_serverPort = 0;
    bool m_wantConnection = false;
    quint8 m_identityCode = 0x61;
    QTimer m_heartbeat;
    QTimer m_reconnect;
    StreamAssembler m_tcpIn;

    QPointer<SerialBus> m_bus;
    SerialBus *m_ownBus = nullptr;
    // RS-485 slices of the frame being received.
    struct BusRx
    {
        int SliceCount = 0;
        QMap<int, QByteArray> Slices;
        QByteArray Program;         // program text gathered chunk by chunk
        QByteArray LastChunkEnd;    // last slice of the last full chunk
        bool ProgramOpen = false;
    } m_busRx;

    QPointer<UdpPort> m_udp;

    bool m_playing = true;
    qint64 m_clockOffsetMs = 0;
    int m_pollTime = -1;
};
