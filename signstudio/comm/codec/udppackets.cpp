#include "signstudio/comm/codec/udppackets.h"

#include "common/udp/udpitem.h"

QByteArray UdpParamWrite(const MacAddress &mac, const QByteArray &paramBlock)
{
    QByteArray block = paramBlock.left(ParamBlock::Size);
    block.append(QByteArray(ParamBlock::Size - block.size(), '\0'));
    return UdpItem::Build(0x30, mac.ToByteArray())
           + UdpItem::Build(0x21 + UdpItem::MacAddressedTag, block);
}

QByteArray UdpParamWrite(const MacAddress &mac, const ParamBlock &params)
{
    return UdpParamWrite(mac, params.Encode());
}

QByteArray UdpSetServer(const MacAddress &mac, const Ipv4Address &cardIp, const Ipv4Address &mask,
                        const Ipv4Address &serverIp, quint16 serverPort)
{
    QByteArray data = mac.ToByteArray();
    data += cardIp.ToByteArray();
    data += mask.ToByteArray();
    data += serverIp.ToByteArray();
    data.append(char(serverPort >> 8));
    data.append(char(serverPort & 0xFF));
    return UdpItem::Build(0x30 + UdpItem::MacAddressedTag, data);
}

QByteArray UdpCloseNotice(const MacAddress &mac)
{
    return UdpItem::Build(0x31 + UdpItem::MacAddressedTag, QByteArray(mac.ToByteArray() + QByteArray(1, '\0')));
}
