#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>

class QUdpSocket;
class VirtualCard;

// UDP port 8800 on one loopback address, shared by the cards attached to it:
// every card sees every datagram and answers for itself.
class UdpPort : public QObject
{
    Q_OBJECT
public:
    explicit UdpPort(QObject *parent = nullptr);

    // Binds a loopback address only; false with ErrorText() otherwise.
    bool Bind(const QString &address, quint16 port);
    QString ErrorText() const { return m_error; }
    QHostAddress Address() const;
    quint16 Port() const;

    void Attach(VirtualCard *card);
    QList<VirtualCard *> Cards() const;

    // Sends to a loopback address only.
    bool Send(const QByteArray &datagram, const QHostAddress &to, quint16 port);

private:
    void ReadPending();

    QUdpSocket *m_socket = nullptr;
    QList<QPointer<VirtualCard>> m_cards;
    QString m_error;
};
