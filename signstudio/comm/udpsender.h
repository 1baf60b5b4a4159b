#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>

// The UDP socket of the discovery dialogue, behind an interface so that
// tests redirect broadcasts to loopback addresses and record datagrams.
class UdpSender : public QObject
{
    Q_OBJECT
public:
    explicit UdpSender(QObject *parent = nullptr) : QObject(parent) {}
    ~UdpSender() override = default;

    virtual bool SendDatagram(const QByteArray &bytes, const QHostAddress &to, quint16 port) = 0;
    // The local address the socket is bound to ("" when unbound).
    virtual QString LocalIp() const = 0;

signals:
    // One datagram, with the sender and the local address that received it.
    void DatagramReceived(const QByteArray &bytes, const QHostAddress &from, quint16 fromPort,
                          const QString &localIp);
};
