#pragma once

#include "common/udp/macaddress.h"

#include <QByteArray>

// The requests both programs send to port 8800 of the cards.

// A1 15 02 00 00 FF, broadcast.
QByteArray UdpSearch();

// A1 44 06, MAC, FF: broadcast, answered by the card with that MAC.
QByteArray UdpInfoRequestByMac(const MacAddress &mac);

// A1 14 02 00 00 FF, sent to the card's own address (firmware below 54).
QByteArray UdpInfoRequestByIp();

// Cards from this firmware version on are addressed by MAC.
constexpr int MacAddressingMinVersion = 54;
