#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTimer>

class TcpLink;

// The TCP server that networked cards connect to. It keeps the list of
// connected sockets and writes the greeting (the identify frame) to every new
// connection at once, before the card has said anything.
//
// Because it listens on the LAN, anybody may connect. Connections that have
// not registered as a card are limited in number, in lifetime and in the
// bytes they may send; beyond any limit the connection is closed.
class CardServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultMaxUnregistered = 1024;
    static constexpr int DefaultUnregisteredLifetimeMs = 60000;
    static constexpr qint64 DefaultUnregisteredByteLimit = 64 * 1024;
    static constexpr int SweepIntervalMs = 1000;

    explicit CardServer(QObject *parent = nullptr);
    ~CardServer() override;

    // Listens on the address (all IPv4 addresses by default) and port.
    bool Listen(quint16 port, const QHostAddress &address = QHostAddress::AnyIPv4);
    void Close();
    bool IsListening() const { return m_server.isListening(); }
    quint16 Port() const { return m_server.serverPort(); }
    QString ErrorText() const { return m_server.errorString(); }

    void SetGreeting(const QByteArray &bytes) { m_greeting = bytes; }
    void SetMaxUnregistered(int count) { m_maxUnregistered = count; }
    void SetUnregisteredLifetimeMs(int ms) { m_unregisteredLifetimeMs = ms; }
    void SetUnregisteredByteLimit(qint64 bytes) { m_unregisteredByteLimit = bytes; }

    QList<TcpLink *> Connections() const { return m_connections; }
    int UnregisteredCount() const;
    // Connections closed by the limits above since the server was created.
    int RefusedCount() const { return m_refused; }

    // A card registered on this connection: the limits no longer apply.
    void MarkRegistered(TcpLink *link);
    bool IsRegistered(TcpLink *link) const;

    // Closes unregistered connections past their lifetime. Runs every
    // second by itself; tests call it directly.
    void Sweep();

signals:
    void Connected(TcpLink *link);
    void DataReceived(TcpLink *link, const QByteArray &bytes);
    // Emitted before the link is deleted (later, from the event loop).
    void Disconnected(TcpLink *link);

private:
    struct Pending
    {
        QElapsedTimer age;
        qint64 bytes = 0;
    };

    void OnNewConnection();
    void DrainPending();
    void OnReceived(TcpLink *link, const QByteArray &bytes);
    void OnClosed(TcpLink *link);

    QTcpServer m_server;
    QTimer m_sweep;
    QByteArray m_greeting;
    QList<TcpLink *> m_connections;
    QHash<TcpLink *, Pending> m_unregistered;
    int m_maxUnregistered = DefaultMaxUnregistered;
    int m_unregisteredLifetimeMs = DefaultUnregisteredLifetimeMs;
    qint64 m_unregisteredByteLimit = DefaultUnregisteredByteLimit;
    int m_refused = 0;
    bool m_drainScheduled = false;
};
