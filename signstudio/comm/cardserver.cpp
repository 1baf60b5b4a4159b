#include "signstudio/comm/cardserver.h"

#include "signstudio/comm/tcplink.h"

#include <QTcpSocket>

CardServer::CardServer(QObject *parent) : QObject(parent)
{
    // Connections beyond this wait in the system's backlog until we take them.
    m_server.setMaxPendingConnections(64);
    // Many cards may connect at the same moment (after a power cut); a short
    // backlog would drop their first attempts and delay them by seconds.
    m_server.setListenBacklogSize(1024);
    connect(&m_server, &QTcpServer::newConnection, this, &CardServer::OnNewConnection);
    m_sweep.setInterval(SweepIntervalMs);
    connect(&m_sweep, &QTimer::timeout, this, &CardServer::Sweep);
}

CardServer::~CardServer()
{
    Close();
}

bool CardServer::Listen(quint16 port, const QHostAddress &address)
{
    Close();
    if (!m_server.listen(address, port))
        return false;
    m_sweep.start();
    return true;
}

void CardServer::Close()
{
    m_sweep.stop();
    if (m_server.isListening())
        m_server.close();
    const QList<TcpLink *> links = m_connections;
    for (TcpLink *link : links)
        link->Close(); // OnClosed removes and deletes it
}

int CardServer::UnregisteredCount() const
{
    return int(m_unregistered.size());
}

void CardServer::MarkRegistered(TcpLink *link)
{
    m_unregistered.remove(link);
}

bool CardServer::IsRegistered(TcpLink *link) const
{
    return m_connections.contains(link) && !m_unregistered.contains(link);
}

void CardServer::OnNewConnection()
{
    // Qt signals every accepted connection; the work is done in small
    // batches from the event loop so that a crowd of cards connecting at
    // once never holds up the window for long.
    if (m_drainScheduled)
        return;
    m_drainScheduled = true;
    QTimer::singleShot(0, this, &CardServer::DrainPending);
}

void CardServer::DrainPending()
{
    m_drainScheduled = false;
    constexpr int Batch = 32;
    for (int accepted = 0; accepted < Batch; ++accepted) {
        QTcpSocket *socket = m_server.nextPendingConnection();
        if (!socket)
            return;
        if (m_unregistered.size() >= m_maxUnregistered) {
            ++m_refused;
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto *link = new TcpLink(socket, this);
        m_connections.append(link);
        Pending pending;
        pending.age.start();
        m_unregistered.insert(link, pending);
        connect(link, &TcpLink::Received, this,
                [this, link](const QByteArray &bytes) { OnReceived(link, bytes); });
        connect(link, &TcpLink::Closed, this, [this, link] { OnClosed(link); });
        emit Connected(link);
        if (!m_greeting.isEmpty())
            link->Write(m_greeting);
    }
    if (m_server.hasPendingConnections())
        OnNewConnection();
}

void CardServer::OnReceived(TcpLink *link, const QByteArray &bytes)
{
    auto it = m_unregistered.find(link);
    if (it != m_unregistered.end()) {
        it->bytes += bytes.size();
        if (it->bytes > m_unregisteredByteLimit) {
            ++m_refused;
            link->Close();
            return;
        }
    }
    emit DataReceived(link, bytes);
}

void CardServer::OnClosed(TcpLink *link)
{
    if (!m_connections.removeOne(link))
        return;
    m_unregistered.remove(link);
    emit Disconnected(link);
    link->deleteLater();
}

void CardServer::Sweep()
{
    QList<TcpLink *> expired;
    for (auto it = m_unregistered.cbegin(); it != m_unregistered.cend(); ++it) {
        if (it->age.elapsed() > m_unregisteredLifetimeMs)
            expired.append(it.key());
    }
    for (TcpLink *link : expired) {
        ++m_refused;
        link->Close();
    }
}
