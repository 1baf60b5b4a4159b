#include "common/udp/udpconfigwrite.h"

#include "common/udp/udpitem.h"

quint8 ConfigModeBits::ToByte() const
{
    quint8 b = 0;
    if (ServerByDomain)
        b |= 0x30;
    if (!ManualDns)
        b |= 0x0C;
    if (ConfigMode == Dhcp)
        b |= 0x03;
    else if (ConfigMode == Software)
        b |= 0x01;
    return b;
}

ConfigModeBits ConfigModeBits::FromByte(quint8 byte)
{
    ConfigModeBits m;
    m.ServerByDomain = (byte & 0x30) == 0x30;
    m.ManualDns = (byte & 0x0C) != 0x0C;
    switch (byte & 0x03) {
    case 0x03: m.ConfigMode = Dhcp; break;
    case 0x01: m.ConfigMode = Software; break;
    default: m.ConfigMode = Manual; break;
    }
    return m;
}

CodecResult<QByteArray> UdpConfigWrite::Build() const
{
    const QString domain = Domain.trimmed();
    const bool withDomain = DhcpFeature && Mode.ServerByDomain;
    if (withDomain) {
        if (domain.size() > MaxDomainLength)
            return CodecResult<QByteArray>::Failure(QStringLiteral("server domain longer than 63 characters"));
        for (QChar c : domain) {
            if (c.unicode() > 0x7F)
                return CodecResult<QByteArray>::Failure(QStringLiteral("server domain is not ASCII"));
        }
    }

    const quint8 t = MacAddressing ? UdpItem::MacAddressedTag : 0;
    QByteArray packet;
    if (MacAddressing)
        packet += UdpItem::Build(0x30, Mac.ToByteArray());
    packet += UdpItem::Build(quint8(0x21 + t), Params.Encode());
    packet += UdpItem::Build(quint8(0x05 + t), Ip.ToByteArray());
    packet += UdpItem::Build(quint8(0x06 + t), Mask.ToByteArray());
    packet += UdpItem::Build(quint8(0x07 + t), Gateway.ToByteArray());
    packet += UdpItem::Build(quint8(0x17 + t), ServerIp.ToByteArray());
    const char port[2] = {char(ServerPort >> 8), char(ServerPort & 0xFF)};
    packet += UdpItem::Build(quint8(0x18 + t), QByteArrayView(port, 2));
    packet += UdpItem::Build(quint8(0x02 + t), Mac.ToByteArray());
    if (DhcpFeature) {
        const char mode = char(Mode.ToByte());
        packet += UdpItem::Build(0x49, QByteArrayView(&mode, 1));
        QByteArray dns(8, '\0');
        if (Mode.ManualDns)
            dns.replace(0, 4, Dns.ToByteArray());
        packet += UdpItem::Build(0x4A, dns);
        if (withDomain) {
            QByteArray name = domain.toLatin1();
            name.append(QByteArray(64 - name.size(), '\0'));
            packet += UdpItem::Build(0x46, name);
        }
    }
    return CodecResult<QByteArray>::Success(packet);
}
