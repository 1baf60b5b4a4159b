#include "common/udp/udpsearchreply.h"

#include "common/udp/udpitem.h"

CodecResult<UdpSearchReply> ParseUdpSearchReply(QByteArrayView datagram)
{
    using R = CodecResult<UdpSearchReply>;
    if (datagram.size() > UdpItem::SearchReplyMaxSize)
        return R::Failure(QStringLiteral("search reply: longer than 170 bytes"));
    if (datagram.size() < 2 || quint8(datagram[0]) != UdpItem::Start || quint8(datagram[1]) != 0x01)
        return R::Failure(QStringLiteral("search reply: does not start A1 01"));
    if (datagram.size() < UdpSearchReply::MinSize)
        return R::Failure(QStringLiteral("search reply: too short for the MAC address"));

    UdpSearchReply r;
    r.Ip = Ipv4Address::FromBytes(datagram, 8).Value;
    r.Mac = MacAddress::FromBytes(datagram, 16).Value;
    if (datagram.size() >= UdpSearchReply::ExtendedSize) {
        r.HasExtension = true;
        r.ServerIp = Ipv4Address::FromBytes(datagram, 26).Value;
        r.Version = quint8(datagram[34]);
    }
    return R::Success(r);
}
