#pragma once

#include "common/udp/codecresult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

// Four octets of an IPv4 address or mask, in written order.
struct Ipv4Address
{
    std::array<quint8, 4> Bytes{};

    QByteArray ToByteArray() const;
    // Four decimals joined by '.'.
    QString Text() const;

    static Ipv4Address FromOctets(quint8 a, quint8 b, quint8 c, quint8 d);
    // Four bytes at position at of bytes; fails when they are not all there.
    static CodecResult<Ipv4Address> FromBytes(QByteArrayView bytes, qsizetype at = 0);
    // Four decimal numbers 0..255 joined by '.', blanks around them allowed.
    static CodecResult<Ipv4Address> FromText(const QString &text);

    friend bool operator==(const Ipv4Address &, const Ipv4Address &) = default;
};
