#pragma once

#include "common/udp/codecresult.h"
#include "common/udp/ipv4address.h"
#include "common/udp/macaddress.h"

#include <QByteArrayView>

// What a card answers to a search broadcast: at most 170 bytes starting
// A1 01; the IP at bytes 8-11, the MAC at 16-21 and, in datagrams of 35 bytes
// or more, the configured server IP at 26-29 and the firmware version at 34.
struct UdpSearchReply
{
    Ipv4Address Ip;
    MacAddress Mac;
    bool HasExtension = false; // server IP and version were present
    Ipv4Address ServerIp;      // 0.0.0.0 without the extension
    int Version = 0;           // 0 without the extension

    static constexpr int MinSize = 22;
    static constexpr int ExtendedSize = 35;
};

// Fails for datagrams longer than 170 bytes, not starting A1 01, or too
// short to hold the MAC.
CodecResult<UdpSearchReply> ParseUdpSearchReply(QByteArrayView datagram);
