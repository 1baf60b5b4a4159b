#include "virtualcard/udpport.h"

#include "virtualcard/virtualcard.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

UdpPort::UdpPort(QObject *parent)
    : QObject(parent)
    , m_socket(new QUdpSocket(this))
{
    connect(m_socket, &QUdpSocket::readyRead, this, &UdpPort::ReadPending);
}

bool UdpPort::Bind(const QString &address, quint16 port)
{
    const QHostAddress host(address);
    if (host.protocol() != QAbstractSocket::IPv4Protocol || !host.isLoopback()) {
        m_error = QStringLiteral("%1 is not a loopback IPv4 address").arg(address);
        return false;
    }
    if (!m_socket->bind(host, port)) {
        m_error = m_socket->errorString();
        return false;
    }
    m_error.clear();
    return true;
}

QHostAddress UdpPort::Address() const
{
    return m_socket->localAddress();
}

quint16 UdpPort::Port() const
{
    return m_socket->localPort();
}

void UdpPort::Attach(VirtualCard *card)
{
    if (card && !m_cards.contains(card))
        m_cards.append(card);
}

QList<VirtualCard *> UdpPort::Cards() const
{
    QList<VirtualCard *> cards;
    for (const QPointer<VirtualCard> &c : m_cards)
        if (c)
            cards.append(c);
    return cards;
}

bool UdpPort::Send(const QByteArray &datagram, const QHostAddress &to, quint16 port)
{
    if (!to.isLoopback())
        return false;
    return m_socket->writeDatagram(datagram, to, port) == datagram.size();
}

void UdpPort::ReadPending()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket->receiveDatagram(65536);
        if (!d.isValid())
            continue;
        const QList<VirtualCard *> cards = Cards();
        for (VirtualCard *card : cards) {
            const QByteArray ip = card->Profile().Ip;
            const quint32 own = ip.size() == 4 ? (quint32(quint8(ip.at(0))) << 24) | (quint32(quint8(ip.at(1))) << 16)
                                                     | (quint32(quint8(ip.at(2))) << 8) | quint32(quint8(ip.at(3)))
                                               : 0;
            const bool addressed = cards.size() == 1 || own == Address().toIPv4Address();
            card->HandleDatagram(d.data(), d.senderAddress(), quint16(d.senderPort()), addressed);
        }
    }
}
