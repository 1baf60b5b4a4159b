#include "common/udp/udprequests.h"

#include "common/udp/udpitem.h"

QByteArray UdpSearch()
{
    return UdpItem::Build(0x15, QByteArray(2, '\0'));
}

QByteArray UdpInfoRequestByMac(const MacAddress &mac)
{
    return UdpItem::Build(0x44, mac.ToByteArray());
}

QByteArray UdpInfoRequestByIp()
{
    return UdpItem::Build(0x14, QByteArray(2, '\0'));
}
