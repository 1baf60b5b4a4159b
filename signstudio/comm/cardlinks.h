#pragma once

#include "signstudio/comm/cardserver.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class LinkHost;
class LinkInterface;
class TCardList;
class TFIXModem;
class TcpCardHandle;
class TcpLink;
class UdpSender;

// The program's links to its cards: the serial port (RS-232 or RS-485 bus),
// the TCP server that networked cards connect to, the UDP socket, and the
// online timer tOnOffLine that shows network cards online or offline.
// Everything runs on the UI thread's event loop.
class CardLinks : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Serial, Rs485, Network, Other };
    enum class SerialMode { Rs232, Rs485 };

    static constexpr int OnlineDesignIntervalMs = 6000;
    static constexpr int OnlineRunningIntervalMs = 3000;
    static constexpr int OnlineAfterSearchIntervalMs = 30000;
    static constexpr quint16 DefaultServerPort = 8900;
    static constexpr int DefaultBaudRate = 9600;

    // serial and udp may be null (a real serial port and UDP socket are
    // then created); tests pass fakes. The links take no ownership of cards
    // or host.
    CardLinks(TCardList &cards, LinkHost &host, LinkInterface *serial = nullptr,
              UdpSender *udp = nullptr, QObject *parent = nullptr);
    ~CardLinks() override;

    // The mode named by the CommMode text in the current language.
    static Mode ModeOf(const QString &commMode);
    Mode CurrentMode() const;

    // Fixed waits of the link start-up (80/80/150 ms serial, 100 ms server,
    // 50 ms UDP). Tests replace the function to record them.
    std::function<void(int ms)> Wait;
    std::function<QDateTime()> Now;
    std::function<QString(const QString &ip)> MacLookup;
    // Address the server listens on: all IPv4 addresses by default.
    QHostAddress ListenAddress;

    bool OpenSerial(SerialMode mode, const QString &portName, int baudRate);
    void CloseSerial();
    bool SerialOpen() const;
    int BaudRate() const { return m_baudRate; }
    LinkInterface *Serial() const { return m_serial; }

    bool OpenServer(int port);
    void CloseServer();
    bool ServerActive() const { return m_server.IsListening(); }
    int ServerPort() const { return m_serverPort; }
    CardServer &Server() { return m_server; }

    // Starts the link of the communication mode (the last step of the
    // start-up): serial port for RS-232 or RS-485, else the TCP server.
    void StartLink(Mode mode, const QString &port, int number);

    // linkKind 0 or 1: the serial port; 2: the card's socket. A failed
    // socket write takes the card offline.
    bool WriteToCard(TFIXModem *card, const QByteArray &bytes);
    // The bare identify frame on the serial port (kind 0) or the socket.
    void SendIdentify(int linkKind, TcpLink *socket = nullptr);

    void BindUdp(const QString &localIp);
    UdpSender *Udp() const { return m_udp; }

    // The card name the serial reply handling uses as the current card.
    QString CurrentCardName;

    // tOnOffLine: enabled by OpenServer, disabled by OpenSerial, restarted
    // at 30 s after a network search.
    QTimer tOnOffLine;
    void RestartOnlineTimerAfterSearch();
    void OnOnlineTimer();

    // The card handle of a connection (created on first use).
    std::shared_ptr<TcpCardHandle> HandleOf(TcpLink *link);

signals:
    // A serial burst, for the serial reply handling.
    void SerialReceived(const QByteArray &bytes);
    // The RS-485 bus was opened: the bus search should start.
    void Rs485Opened();
    // Every read of a client connection (already limited in size).
    void SocketRead(TcpLink *link, const QByteArray &bytes);

private:
    void OnDisconnected(TcpLink *link);

    TCardList &m_cards;
    LinkHost &m_host;
    LinkInterface *m_serial = nullptr;
    UdpSender *m_udp = nullptr;
    CardServer m_server;
    QHash<TcpLink *, std::shared_ptr<TcpCardHandle>> m_handles;
    int m_baudRate = DefaultBaudRate;
    int m_serverPort = DefaultServerPort;
};
