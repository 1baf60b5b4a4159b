#include "signstudio/comm/udplink.h"

#include <QNetworkDatagram>

UdpLink::UdpLink(QObject *parent) : UdpSender(parent)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &UdpLink::OnReadyRead);
}

bool UdpLink::Bind(const QString &localIp)
{
    Unbind();
    const QHostAddress address(localIp.trimmed());
    if (address.isNull() || address.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    if (!m_socket.bind(address, m_port, QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint))
        return false;
    m_localIp = address.toString();
    return true;
}

void UdpLink::Unbind()
{
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        m_socket.close();
    m_localIp.clear();
}

bool UdpLink::IsBound() const
{
    return m_socket.state() == QAbstractSocket::BoundState;
}

bool UdpLink::SendDatagram(const QByteArray &bytes, const QHostAddress &to, quint16 port)
{
    if (!IsBound())
        return false;
    return m_socket.writeDatagram(bytes, to, port) == bytes.size();
}

void UdpLink::OnReadyRead()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram(65536);
        if (!datagram.isValid())
            continue;
        emit DatagramReceived(datagram.data(), datagram.senderAddress(),
                              quint16(datagram.senderPort()), m_localIp);
    }
}
