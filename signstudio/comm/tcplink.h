#pragma once

#include "signstudio/comm/linkinterface.h"

#include <QHostAddress>

class QTcpSocket;

// One accepted connection of the card server. Each read event takes what is
// waiting: at most MaxRead bytes are delivered; a larger amount is read and
// thrown away whole. Qt's own read buffer is capped too, so a flooding peer
// never makes the program hold more than a few kilobytes for it.
class TcpLink : public LinkInterface
{
    Q_OBJECT
public:
    static constexpr int MaxRead = 6143;
    static constexpr int SocketBufferLimit = 16 * 1024;

    // Takes ownership of the socket.
    explicit TcpLink(QTcpSocket *socket, QObject *parent = nullptr);
    ~TcpLink() override;

    bool Open() override;
    void Close() override;
    bool IsOpen() const override;
    bool Write(const QByteArray &bytes) override;
    QString Description() const override;

    QHostAddress PeerAddress() const { return m_peer; }
    quint16 PeerPort() const { return m_peerPort; }
    qint64 BytesReceived() const { return m_bytesReceived; }
    qint64 BytesDiscarded() const { return m_bytesDiscarded; }

private:
    void OnReadyRead();

    QTcpSocket *m_socket;
    QHostAddress m_peer;
    quint16 m_peerPort = 0;
    qint64 m_bytesReceived = 0;
    qint64 m_bytesDiscarded = 0;
    bool m_closedSignalled = false;
};
