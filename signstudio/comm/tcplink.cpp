#include "signstudio/comm/tcplink.h"

#include <QTcpSocket>

TcpLink::TcpLink(QTcpSocket *socket, QObject *parent) : LinkInterface(parent), m_socket(socket)
{
    m_socket->setParent(this);
    m_socket->setReadBufferSize(SocketBufferLimit);
    m_peer = m_socket->peerAddress();
    m_peerPort = m_socket->peerPort();
    connect(m_socket, &QTcpSocket::readyRead, this, &TcpLink::OnReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] {
        if (m_closedSignalled)
            return;
        m_closedSignalled = true;
        emit Closed();
    });
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        // Socket errors are not reported to the operator; a closed socket
        // surfaces as Closed(), a failed write as Write() returning false.
        SetErrorText(m_socket->errorString());
    });
}

TcpLink::~TcpLink()
{
    m_socket->disconnect(this);
    m_socket->abort();
}

bool TcpLink::Open()
{
    return IsOpen();
}

void TcpLink::Close()
{
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    if (!m_closedSignalled) {
        m_closedSignalled = true;
        emit Closed();
    }
}

bool TcpLink::IsOpen() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

bool TcpLink::Write(const QByteArray &bytes)
{
    if (!IsOpen())
        return false;
    const qint64 n = m_socket->write(bytes);
    if (n != bytes.size()) {
        SetErrorText(m_socket->errorString());
        return false;
    }
    return true;
}

QString TcpLink::Description() const
{
    return m_peer.toString() + QLatin1Char(':') + QString::number(m_peerPort);
}

void TcpLink::OnReadyRead()
{
    const qint64 waiting = m_socket->bytesAvailable();
    if (waiting <= 0)
        return;
    if (waiting > MaxRead) {
        m_bytesDiscarded += waiting;
        m_socket->skip(waiting);
        return;
    }
    const QByteArray bytes = m_socket->read(waiting);
    m_bytesReceived += bytes.size();
    emit Received(bytes);
}
