#pragma once

#include "signstudio/model/cardlink.h"

#include <QPointer>

class TcpLink;

// The handle a card keeps for its TCP connection. It never outlives its
// connection's usefulness: once the connection is gone, writes fail.
// Closing is done from the event loop, so a card going offline never
// re-enters the disconnect handling while it clears its own fields.
class TcpCardHandle : public TCardLink
{
public:
    explicit TcpCardHandle(TcpLink *link);

    bool WriteBytes(const QByteArray &bytes) override;
    void Close() override;
    QString PeerAddress() const override { return m_peer; }
    quint16 PeerPort() const override { return m_peerPort; }

    TcpLink *Link() const { return m_link; }

private:
    QPointer<TcpLink> m_link;
    QString m_peer;
    quint16 m_peerPort = 0;
};
