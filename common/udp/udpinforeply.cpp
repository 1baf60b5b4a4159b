#include "common/udp/udpinforeply.h"

#include "common/udp/udpitem.h"

#include <QStringList>

int UdpInfoTag::DataSize(quint8 tag)
{
    switch (tag) {
    case Mac: return 6;
    case Ip:
    case Mask:
    case Gateway:
    case ServerIp: return 4;
    case ServerPort: return 2;
    case Version: return 1;
    case Params: return 17;
    case InnerCode: return 8;
    case ConfigMode: return 1;
    case Dns: return 8;
    case Domain: return 64;
    default: return 0;
    }
}

namespace {

constexpr quint8 MainTags[] = {UdpInfoTag::Mac, UdpInfoTag::Ip, UdpInfoTag::Mask,
                               UdpInfoTag::Gateway, UdpInfoTag::ServerIp, UdpInfoTag::ServerPort,
                               UdpInfoTag::Version, UdpInfoTag::Params, UdpInfoTag::InnerCode};
constexpr quint8 DhcpTags[] = {UdpInfoTag::ConfigMode, UdpInfoTag::Dns, UdpInfoTag::Domain};

} // namespace

QList<UdpInfoItem> WalkUdpInfoReply(QByteArrayView datagram, bool withDhcpTags)
{
    QList<UdpInfoItem> items;
    const qsizetype n = datagram.size();
    for (qsizetype p = 0; p + 1 < n; ++p) {
        if (quint8(datagram[p]) != UdpItem::Start)
            continue;
        const quint8 tag = quint8(datagram[p + 1]);
        bool known = false;
        for (quint8 t : MainTags)
            known = known || t == tag;
        if (!known && withDhcpTags) {
            for (quint8 t : DhcpTags)
                known = known || t == tag;
            // A configuration-mode item of length 2 is a different item.
            if (tag == UdpInfoTag::ConfigMode && p + 2 < n && quint8(datagram[p + 2]) == 2)
                known = false;
        }
        if (!known)
            continue;
        const int size = UdpInfoTag::DataSize(tag);
        if (p + 3 + size > n)
            continue; // data runs past the end: not decoded
        items.append(UdpInfoItem{p, tag, datagram.sliced(p + 3, size).toByteArray()});
    }
    return items;
}

QString UdpInfoReply::InnerCodeHexText(QByteArrayView eightBytes)
{
    QStringList parts;
    for (char c : eightBytes)
        parts << QStringLiteral("%1").arg(quint8(c), 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char('_'));
}

UdpInfoReply UdpInfoReplyFromItems(const QList<UdpInfoItem> &items)
{
    UdpInfoReply r;
    for (const UdpInfoItem &item : items) {
        const QByteArray &d = item.Data;
        switch (item.Tag) {
        case UdpInfoTag::Mac: r.Mac = MacAddress::FromBytes(d).Value; break;
        case UdpInfoTag::Ip: r.Ip = Ipv4Address::FromBytes(d).Value; break;
        case UdpInfoTag::Mask: r.Mask = Ipv4Address::FromBytes(d).Value; break;
        case UdpInfoTag::Gateway: r.Gateway = Ipv4Address::FromBytes(d).Value; break;
        case UdpInfoTag::ServerIp: r.ServerIp = Ipv4Address::FromBytes(d).Value; break;
        case UdpInfoTag::ServerPort: r.ServerPort = quint16((quint8(d[0]) << 8) | quint8(d[1])); break;
        case UdpInfoTag::Version: r.Version = quint8(d[0]); break;
        case UdpInfoTag::Params: r.Params = d; break;
        case UdpInfoTag::InnerCode: r.InnerCode = d; break;
        case UdpInfoTag::ConfigMode: r.ConfigMode = quint8(d[0]); break;
        case UdpInfoTag::Dns: r.Dns = Ipv4Address::FromBytes(d).Value; break;
        case UdpInfoTag::Domain: {
            const qsizetype end = d.indexOf('\0');
            r.Domain = QString::fromLatin1(end < 0 ? d : d.first(end)).trimmed();
            break;
        }
        default: break;
        }
    }
    return r;
}

UdpInfoReply DecodeUdpInfoReply(QByteArrayView datagram, bool withDhcpTags)
{
    return UdpInfoReplyFromItems(WalkUdpInfoReply(datagram, withDhcpTags));
}

bool IsUdpInfoReply(QByteArrayView datagram)
{
    return datagram.size() > UdpItem::SearchReplyMaxSize;
}
