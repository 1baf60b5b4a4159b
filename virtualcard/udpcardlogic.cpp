#include "virtualcard/udpcardlogic.h"

#include "common/udp/udpitem.h"

#include <QPair>

namespace {

struct Item
{
    quint8 Tag = 0;
    QByteArray Data;
};

// Splits a datagram into items; an empty list when it is not a clean run of items.
QList<Item> SplitItems(const QByteArray &d)
{
    QList<Item> items;
    qsizetype p = 0;
    while (p < d.size()) {
        if (p + 3 > d.size() || quint8(d.at(p)) != UdpItem::Start)
            return {};
        const int n = quint8(d.at(p + 2));
        if (p + 3 + n + 1 > d.size() || quint8(d.at(p + 3 + n)) != UdpItem::End)
            return {};
        items.append(Item{quint8(d.at(p + 1)), d.mid(p + 3, n)});
        p += 4 + n;
    }
    return items;
}

QByteArray Fit(const QByteArray &bytes, int size)
{
    QByteArray out = bytes.left(size);
    out.append(QByteArray(size - out.size(), '\0'));
    return out;
}

QByteArray Be16(quint16 v)
{
    QByteArray b(2, '\0');
    b[0] = char(v >> 8);
    b[1] = char(v & 0xFF);
    return b;
}

} // namespace

namespace UdpCardLogic {

QByteArray BuildSearchReply(const CardProfile &p)
{
    QByteArray r(36, '\0');
    r[0] = char(0xA1);
    r[1] = 0x01;
    r[2] = char(r.size() - 4);
    r.replace(8, 4, Fit(p.Ip, 4));
    r.replace(12, 4, Fit(p.Mask, 4));
    r.replace(16, 6, Fit(p.Mac, 6));
    r.replace(22, 4, Fit(p.Gateway, 4));
    r.replace(26, 4, Fit(p.ServerIp, 4));
    r.replace(30, 2, Be16(p.ServerPort));
    r[34] = char(p.FirmwareVersion & 0xFF);
    r[35] = char(0xFF);
    return r;
}

QByteArray BuildInfoReply(const CardProfile &p)
{
    QByteArray r;
    r += UdpItem::Build(0x04, Fit(p.Mac, 6));
    r += UdpItem::Build(0x05, Fit(p.Ip, 4));
    r += UdpItem::Build(0x06, Fit(p.Mask, 4));
    r += UdpItem::Build(0x07, Fit(p.Gateway, 4));
    r += UdpItem::Build(0x17, Fit(p.ServerIp, 4));
    r += UdpItem::Build(0x18, Be16(p.ServerPort));
    r += UdpItem::Build(0x20, QByteArray(1, char(p.FirmwareVersion & 0xFF)));
    r += UdpItem::Build(0x21, p.EffectiveParamBlock());
    r += UdpItem::Build(0x22, Fit(p.InnerCode, 8));
    r += UdpItem::Build(0x19, QByteArray(1, char(p.ConfigBits)));
    r += UdpItem::Build(0x1A, Fit(p.Dns, 8));
    r += UdpItem::Build(0x16, Fit(p.Domain, 64));
    return r;
}

UdpOutcome Handle(const QByteArray &datagram, CardProfile &p)
{
    UdpOutcome out;
    const QList<Item> items = SplitItems(datagram);
    if (items.isEmpty())
        return out;
    const Item &first = items.first();
    const QByteArray mac = Fit(p.Mac, 6);

    switch (first.Tag) {
    case 0x15: // search
        out.Replies << BuildSearchReply(p);
        out.Note = QStringLiteral("search answered");
        return out;
    case 0x44: // information request by MAC
        if (first.Data == mac) {
            out.Replies << BuildInfoReply(p);
            out.Note = QStringLiteral("information request by MAC answered");
        }
        return out;
    case 0x14: // information request by IP
        out.Replies << BuildInfoReply(p);
        out.Note = QStringLiteral("information request by IP answered");
        return out;
    case 0x60: // server address: MAC, card IP, mask, server IP, port
        if (first.Data.size() == 20 && first.Data.left(6) == mac) {
            p.Ip = first.Data.mid(6, 4);
            p.Mask = first.Data.mid(10, 4);
            p.ServerIp = first.Data.mid(14, 4);
            p.ServerPort = quint16((quint8(first.Data.at(18)) << 8) | quint8(first.Data.at(19)));
            out.ServerChanged = true;
            out.Note = QStringLiteral("server set to %1:%2")
                           .arg(CardProfile::IpText(p.ServerIp))
                           .arg(p.ServerPort);
        }
        return out;
    case 0x61: // close notice
        if (first.Data.size() >= 6 && first.Data.left(6) == mac) {
            out.CloseNoticed = true;
            out.Note = QStringLiteral("close notice received");
        }
        return out;
    default:
        break;
    }

    // A write: led by a MAC item (tags + 0x30) or sent to the card's address.
    qsizetype start = 0;
    if (first.Tag == 0x30) {
        if (first.Data != mac)
            return out;
        start = 1;
    }
    // The write names the card by MAC in its own item too: a write for
    // another card sharing the port is left alone.
    for (qsizetype i = start; i < items.size(); ++i)
        if ((items.at(i).Tag == 0x02 || items.at(i).Tag == 0x32) && items.at(i).Data != mac)
            return out;
    bool any = false;
    const quint16 oldPort = p.ServerPort;
    const QByteArray oldServer = p.ServerIp;
    for (qsizetype i = start; i < items.size(); ++i) {
        const Item &it = items.at(i);
        const int n = int(it.Data.size());
        switch (it.Tag) {
        case 0x21: case 0x51:
            if (n == 17) { p.ApplyParamBlock(it.Data); any = true; }
            break;
        case 0x05: case 0x35:
            if (n == 4) { p.Ip = it.Data; any = true; }
            break;
        case 0x06: case 0x36:
            if (n == 4) { p.Mask = it.Data; any = true; }
            break;
        case 0x07: case 0x37:
            if (n == 4) { p.Gateway = it.Data; any = true; }
            break;
        case 0x17: case 0x47:
            if (n == 4) { p.ServerIp = it.Data; any = true; }
            break;
        case 0x18: case 0x48:
            if (n == 2) { p.ServerPort = quint16((quint8(it.Data.at(0)) << 8) | quint8(it.Data.at(1))); any = true; }
            break;
        case 0x49:
            if (n == 1) { p.ConfigBits = quint8(it.Data.at(0)); any = true; }
            break;
        case 0x4A:
            if (n == 8) { p.Dns = it.Data; any = true; }
            break;
        case 0x46: {
            QByteArray domain = it.Data;
            const qsizetype zero = domain.indexOf('\0');
            if (zero >= 0)
                domain.truncate(zero);
            p.Domain = domain;
            any = true;
            break;
        }
        default:
            break;
        }
    }
    if (any) {
        out.SettingsWritten = true;
        out.ServerChanged = p.ServerPort != oldPort || p.ServerIp != oldServer;
        out.Note = QStringLiteral("settings written");
    }
    return out;
}

} // namespace UdpCardLogic
