#include "common/udp/ipv4address.h"

#include <QStringList>

QByteArray Ipv4Address::ToByteArray() const
{
    return QByteArray(reinterpret_cast<const char *>(Bytes.data()), qsizetype(Bytes.size()));
}

QString Ipv4Address::Text() const
{
    return QStringLiteral("%1.%2.%3.%4").arg(Bytes[0]).arg(Bytes[1]).arg(Bytes[2]).arg(Bytes[3]);
}

Ipv4Address Ipv4Address::FromOctets(quint8 a, quint8 b, quint8 c, quint8 d)
{
    Ipv4Address ip;
    ip.Bytes = {a, b, c, d};
    return ip;
}

CodecResult<Ipv4Address> Ipv4Address::FromBytes(QByteArrayView bytes, qsizetype at)
{
    if (at < 0 || bytes.size() - at < 4)
        return CodecResult<Ipv4Address>::Failure(QStringLiteral("IPv4 address: fewer than 4 bytes"));
    Ipv4Address ip;
    for (int i = 0; i < 4; ++i)
        ip.Bytes[i] = quint8(bytes[at + i]);
    return CodecResult<Ipv4Address>::Success(ip);
}

CodecResult<Ipv4Address> Ipv4Address::FromText(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return CodecResult<Ipv4Address>::Failure(QStringLiteral("not an IPv4 address: ") + text);
    Ipv4Address ip;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const uint v = parts[i].trimmed().toUInt(&ok);
        if (!ok || v > 255)
            return CodecResult<Ipv4Address>::Failure(QStringLiteral("not an IPv4 address: ") + text);
        ip.Bytes[i] = quint8(v);
    }
    return CodecResult<Ipv4Address>::Success(ip);
}
