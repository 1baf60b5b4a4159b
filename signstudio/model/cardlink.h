#pragma once

#include <QByteArray>
#include <QString>

// The connection a card is reached through (an accepted TCP connection, a
// serial line). The transports implement it; the card object only writes,
// closes and names the peer, so the model stays free of socket types.
// Two cards share a connection when they hold the same handle.
class TCardLink
{
public:
    virtual ~TCardLink() = default;

    // Writes the bytes; false when the link reports an error.
    virtual bool WriteBytes(const QByteArray &bytes) = 0;
    // Closes the link; may be called on a link that is already closed.
    virtual void Close() = 0;
    // The peer's address text ("192.168.1.20"), empty when unknown.
    virtual QString PeerAddress() const = 0;
    virtual quint16 PeerPort() const { return 0; }
};
