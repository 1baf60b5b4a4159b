#pragma once

#include "signstudio/comm/udpsender.h"

#include <QUdpSocket>

// The program's UDP socket: one binding on the local address in use, port
// 4480 by default, broadcast on.
class UdpLink : public UdpSender
{
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 4480;

    explicit UdpLink(QObject *parent = nullptr);

    void SetPort(quint16 port) { m_port = port; }
    // Replaces the binding by one on the address; false when binding failed
    // (the caller may ignore it: the socket simply stays unbound).
    bool Bind(const QString &localIp);
    void Unbind();
    bool IsBound() const;

    bool SendDatagram(const QByteArray &bytes, const QHostAddress &to, quint16 port) override;
    QString LocalIp() const override { return m_localIp; }

private:
    void OnReadyRead();

    QUdpSocket m_socket;
    quint16 m_port = DefaultPort;
    QString m_localIp;
};
