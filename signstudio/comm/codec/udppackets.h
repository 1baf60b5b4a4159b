#pragma once

#include "common/udp/ipv4address.h"
#include "common/udp/macaddress.h"
#include "common/udp/paramblock.h"

#include <QByteArray>

// The UDP packets only signstudio sends, broadcast to port 8800. The leading
// MAC item selects the card; the tags after it carry 0x30 on top.

// A1 30 06 MAC FF, A1 51 11 block FF: 31 bytes.
QByteArray UdpParamWrite(const MacAddress &mac, const QByteArray &paramBlock);
QByteArray UdpParamWrite(const MacAddress &mac, const ParamBlock &params);

// A1 60 14, MAC, card IP, mask, server IP, server port (big-endian), FF: 24 bytes.
QByteArray UdpSetServer(const MacAddress &mac, const Ipv4Address &cardIp, const Ipv4Address &mask,
                        const Ipv4Address &serverIp, quint16 serverPort);

// A1 61 07, MAC, 00, FF: 11 bytes.
QByteArray UdpCloseNotice(const MacAddress &mac);
