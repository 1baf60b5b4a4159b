#pragma once

#include "common/udp/ipv4address.h"
#include "common/udp/macaddress.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// A card's full settings, sent as a sequence of UDP items in a datagram of
// more than 170 bytes. The reader walks every byte position: where A1 stands
// before a known tag, the tag's fixed-size data after the length byte is
// decoded, and the walk goes on at the next position (not past the item).
// Data that would run past the end of the datagram is not decoded.

namespace UdpInfoTag {
constexpr quint8 Mac = 0x04;        // 6 bytes
constexpr quint8 Ip = 0x05;         // 4
constexpr quint8 Mask = 0x06;       // 4
constexpr quint8 Gateway = 0x07;    // 4
constexpr quint8 ServerIp = 0x17;   // 4
constexpr quint8 ServerPort = 0x18; // 2, big-endian
constexpr quint8 Version = 0x20;    // 1
constexpr quint8 Params = 0x21;     // 17, the parameter block
constexpr quint8 InnerCode = 0x22;  // 8
// Only on cards with DHCP support, read when that feature is switched on.
constexpr quint8 ConfigMode = 0x19; // 1; an item whose length byte is 2 is ignored
constexpr quint8 Dns = 0x1A;        // 8: DNS server and 4 further bytes
constexpr quint8 Domain = 0x16;     // 64, zero padded

// Data size of a known tag, 0 for an unknown one.
int DataSize(quint8 tag);
} // namespace UdpInfoTag

// One decoded item, in walk order.
struct UdpInfoItem
{
    qsizetype Position = 0; // of the A1 byte
    quint8 Tag = 0;
    QByteArray Data;        // exactly DataSize(Tag) bytes
};

// Every item met by the walk, in order. The DHCP tags are tested only where
// none of the main tags stands, and only when withDhcpTags is set.
QList<UdpInfoItem> WalkUdpInfoReply(QByteArrayView datagram, bool withDhcpTags);

// The values of a reply; a later item of the same tag overwrites an earlier one.
struct UdpInfoReply
{
    std::optional<MacAddress> Mac;
    std::optional<Ipv4Address> Ip;
    std::optional<Ipv4Address> Mask;
    std::optional<Ipv4Address> Gateway;
    std::optional<Ipv4Address> ServerIp;
    std::optional<quint16> ServerPort;
    std::optional<int> Version;
    std::optional<QByteArray> Params;    // the 17 raw bytes (ParamBlock::Decode)
    std::optional<QByteArray> InnerCode; // the 8 raw bytes
    std::optional<quint8> ConfigMode;
    std::optional<Ipv4Address> Dns;
    std::optional<QString> Domain;       // zero padding removed, trimmed

    // "00_1A_..." : the inner code as two-digit upper-case hexadecimal values joined by '_'.
    static QString InnerCodeHexText(QByteArrayView eightBytes);
};

UdpInfoReply DecodeUdpInfoReply(QByteArrayView datagram, bool withDhcpTags);

// Fills the fields from items already walked.
UdpInfoReply UdpInfoReplyFromItems(const QList<UdpInfoItem> &items);

// True for a datagram long enough to be an information reply.
bool IsUdpInfoReply(QByteArrayView datagram);
