#pragma once

#include "common/udp/codecresult.h"
#include "common/udp/ipv4address.h"
#include "common/udp/macaddress.h"
#include "common/udp/paramblock.h"

#include <QByteArray>
#include <QString>

// Configuration-mode bits of a DHCP-capable card, bit 7 first:
// 00, server by domain (11) or by IP (00), DNS automatic (11) or manual (00),
// configuration manual (00), DHCP (11) or software (01).
struct ConfigModeBits
{
    enum Mode { Manual = 0, Dhcp = 1, Software = 2 }; // positions of the radio group

    bool ServerByDomain = false;
    bool ManualDns = true;
    int ConfigMode = Manual;

    quint8 ToByte() const;
    static ConfigModeBits FromByte(quint8 byte);
};

// The packet cardsetup sends to write a card's network and screen settings.
// Addressed by MAC (firmware 54 on) it starts with a MAC item and the tags of
// items 2-8 carry 0x30 on top of their plain values; addressed by IP it goes
// to the card's own address without the MAC item.
struct UdpConfigWrite
{
    bool MacAddressing = false;
    MacAddress Mac;
    ParamBlock Params;
    Ipv4Address Ip;
    Ipv4Address Mask;
    Ipv4Address Gateway;
    Ipv4Address ServerIp;
    quint16 ServerPort = 0;

    // Items 9-11, only when the DHCP feature of the tool is switched on.
    bool DhcpFeature = false;
    ConfigModeBits Mode;
    Ipv4Address Dns;  // sent only with manual DNS, zeros otherwise
    QString Domain;   // sent only when the server is reached by domain

    static constexpr int MaxDomainLength = 63;

    // 69, 86 or 154 bytes by IP; 79, 96 or 164 by MAC. Fails for a domain
    // longer than 63 characters (after trimming) or one that is not ASCII.
    CodecResult<QByteArray> Build() const;
};
