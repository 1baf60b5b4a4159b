#include "signstudio/comm/tcpcardhandle.h"

#include "signstudio/comm/tcplink.h"

#include <QTimer>

TcpCardHandle::TcpCardHandle(TcpLink *link) : m_link(link)
{
    if (link) {
        QHostAddress peer = link->PeerAddress();
        bool isV4 = false;
        const quint32 v4 = peer.toIPv4Address(&isV4);
        m_peer = isV4 ? QHostAddress(v4).toString() : peer.toString();
        m_peerPort = link->PeerPort();
    }
}

bool TcpCardHandle::WriteBytes(const QByteArray &bytes)
{
    return m_link && m_link->Write(bytes);
}

void TcpCardHandle::Close()
{
    if (!m_link)
        return;
    QPointer<TcpLink> link = m_link;
    QTimer::singleShot(0, link, [link] {
        if (link)
            link->Close();
    });
}
