#pragma once

#include "common/udp/codecresult.h"

#include <QByteArray>
#include <QList>
#include <QByteArrayView>

// The unit of every UDP packet between the programs and the cards:
// A1, tag, length n, n data bytes, FF.
namespace UdpItem {

constexpr quint8 Start = 0xA1;
constexpr quint8 End = 0xFF;
constexpr int MaxData = 255;

// Added to the tag of items that follow a leading MAC item (tag 0x30),
// which selects the card by its MAC address.
constexpr quint8 MacAddressedTag = 0x30;

// Ports: the card listens on 8800; signstudio binds 4480, cardsetup 4400.
constexpr quint16 CardPort = 8800;
constexpr quint16 SignStudioPort = 4480;
constexpr quint16 CardSetupPort = 4400;

// Datagrams longer than this are information replies; the others may be
// search replies.
constexpr int SearchReplyMaxSize = 170;

// One item. Data longer than 255 bytes cannot be carried; it is cut to 255
// (no packet of this system comes near that).
QByteArray Build(quint8 tag, QByteArrayView data);

struct Parts
{
    quint8 Tag = 0;
    QByteArray Data;
};

// Reads a packet made of items back to back (requests and writes): each must
// start A1, end FF after its data, and the last must end the packet.
CodecResult<QList<Parts>> Parse(QByteArrayView packet);

} // namespace UdpItem
