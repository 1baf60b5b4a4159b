#pragma once

#include "signstudio/comm/cardlinks.h"
#include "signstudio/comm/fakelink.h"
#include "signstudio/comm/uploadconversation.h"
#include "signstudio/model/cardlink.h"
#include "signstudio/model/cardlist.h"
#include "tests/signstudio/comm/fakehost.h"

#include <QTcpSocket>

#include <memory>

// A card's connection handle that records writes (no socket behind it).
class RecordingCardLink : public TCardLink
{
public:
    bool WriteBytes(const QByteArray &bytes) override
    {
        if (Fails)
            return false;
        Writes.append(bytes);
        return true;
    }
    void Close() override { ++Closed; }
    QString PeerAddress() const override { return QStringLiteral("127.0.0.9"); }

    QList<QByteArray> Writes;
    bool Fails = false;
    int Closed = 0;
};

// The links with a fake serial port, the fake window, a fixed clock and a
// server on loopback.
struct Rig
{
    Rig();
    TFIXModem *AddCard(const QString &name, const QString &innerCode, int linkKind, int width = 128,
                       int height = 64, int version = 55);

    TCardList Cards;
    FakeHost Host{Cards};
    FakeLink *SerialPort = new FakeLink;
    CardLinks Links{Cards, Host, SerialPort};
    UploadConversation Conversation{Cards, Host, Links};
    QDateTime Clock;
    QList<int> Waits;
};

// The card side of one TCP connection.
class CardClient
{
public:
    explicit CardClient(quint16 port);
    bool Connected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    // Waits for exactly n bytes (bounded).
    QByteArray ReadExactly(int n, int timeoutMs = 3000);
    // What arrives within the time.
    QByteArray ReadFor(int ms);
    void Send(const QByteArray &bytes);
    void Disconnect() { m_socket.disconnectFromHost(); }
    QTcpSocket &Socket() { return m_socket; }

private:
    QTcpSocket m_socket;
};

// 11 Dec 2026 (a Friday), 11:49:17.
QDateTime FixedNow();
// The network clock frame for FixedNow() with identifier 00 01 23 45.
QByteArray ExpectedNetworkClock(const QByteArray &pollDigits);
