#include "common/net/adapterinfo.h"

#include <QDir>
#include <QFile>
#include <QNetworkInterface>

namespace {

constexpr int DescriptionMax = 132;

QByteArray readSmallFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(1 << 20);
}

// DHCP leases known to systemd-networkd (by interface index) and dhclient
// (by interface name in the lease file). Best effort.
QMap<QString, QString> readLeases(const QList<InterfaceSnapshot> &interfaces)
{
    QMap<QString, QString> leases;
    for (const InterfaceSnapshot &s : interfaces) {
        const QByteArray networkd = readSmallFile(QStringLiteral("/run/systemd/netif/leases/%1").arg(s.index));
        if (!networkd.isEmpty()) {
            QString server;
            for (const QByteArray &line : networkd.split('\n')) {
                if (line.startsWith("SERVER_ADDRESS="))
                    server = QString::fromLatin1(line.mid(15)).trimmed();
            }
            leases.insert(s.name, server);
        }
    }
    const QDir dhclient(QStringLiteral("/var/lib/dhcp"));
    const QStringList files = dhclient.entryList({QStringLiteral("dhclient*.leases")}, QDir::Files);
    for (const QString &file : files) {
        const QByteArray text = readSmallFile(dhclient.filePath(file));
        QString iface;
        for (QByteArray line : text.split('\n')) {
            line = line.trimmed();
            if (line.startsWith("interface ")) {
                iface = QString::fromLatin1(line.mid(10)).remove(QLatin1Char('"')).remove(QLatin1Char(';')).trimmed();
            } else if (line.startsWith("option dhcp-server-identifier ") && !iface.isEmpty()) {
                QString server = QString::fromLatin1(line.mid(30)).remove(QLatin1Char(';')).trimmed();
                leases.insert(iface, server); // the last lease of the file is the newest
            }
        }
    }
    return leases;
}

} // namespace

QString MacWithHyphens(const QString &hardwareAddress)
{
    QString mac = hardwareAddress.trimmed().toUpper();
    mac.replace(QLatin1Char(':'), QLatin1Char('-'));
    return mac;
}

QMap<QString, QString> ParseDefaultGateways(const QByteArray &routeText)
{
    QMap<QString, QString> result;
    const QList<QByteArray> lines = routeText.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) { // line 0 is the heading
        const QList<QByteArray> f = lines.at(i).simplified().split(' ');
        if (f.size() < 8)
            continue;
        const QString iface = QString::fromLatin1(f.at(0));
        bool okDest = false, okGw = false, okFlags = false, okMask = false;
        const quint32 dest = f.at(1).toUInt(&okDest, 16);
        const quint32 gw = f.at(2).toUInt(&okGw, 16);
        const uint flags = f.at(3).toUInt(&okFlags, 16);
        const quint32 mask = f.at(7).toUInt(&okMask, 16);
        constexpr uint RtfUp = 0x1, RtfGateway = 0x2;
        if (!okDest || !okGw || !okFlags || !okMask || dest != 0 || mask != 0)
            continue;
        if ((flags & RtfUp) == 0 || (flags & RtfGateway) == 0 || result.contains(iface))
            continue;
        // The kernel prints the address in host (little-endian) byte order.
        const QString dotted = QStringLiteral("%1.%2.%3.%4")
                                   .arg(gw & 0xFF).arg((gw >> 8) & 0xFF).arg((gw >> 16) & 0xFF).arg((gw >> 24) & 0xFF);
        result.insert(iface, dotted);
    }
    return result;
}

QList<TAdapterInfo> BuildAdapterList(const QList<InterfaceSnapshot> &interfaces,
                                     const QMap<QString, QString> &gateways,
                                     const QMap<QString, QString> &leases)
{
    QList<TAdapterInfo> list;
    for (const InterfaceSnapshot &s : interfaces) {
        if (!s.up || s.loopback)
            continue;
        const InterfaceSnapshot::Address *first = nullptr;
        for (const InterfaceSnapshot::Address &a : s.addresses) {
            if (a.ip.protocol() == QAbstractSocket::IPv4Protocol) {
                first = &a;
                break;
            }
        }
        if (!first)
            continue;
        TAdapterInfo info;
        info.AdapterId = int(list.size()) + 1;
        info.AdapterDescription = (s.description.isEmpty() ? s.name : s.description).left(DescriptionMax);
        info.AdapterIP = first->ip.toString();
        info.AdapterMask = first->mask.toString();
        info.AdapterGateway = gateways.value(s.name);
        info.AdapterMac = MacWithHyphens(s.hardwareAddress);
        info.DhcpEnabled = leases.contains(s.name);
        info.DhcpServer = leases.value(s.name);
        list.append(info);
    }
    return list;
}

AdapterListResult AdapterList()
{
    AdapterListResult result;
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    if (all.isEmpty()) {
        result.error = QStringLiteral("The network adapters could not be listed.");
        return result;
    }
    QList<InterfaceSnapshot> snapshots;
    for (const QNetworkInterface &ni : all) {
        InterfaceSnapshot s;
        s.index = ni.index();
        s.name = ni.name();
        s.description = ni.humanReadableName();
        s.up = ni.flags().testFlag(QNetworkInterface::IsUp);
        s.loopback = ni.flags().testFlag(QNetworkInterface::IsLoopBack)
                     || ni.type() == QNetworkInterface::Loopback;
        s.hardwareAddress = ni.hardwareAddress();
        for (const QNetworkAddressEntry &e : ni.addressEntries())
            s.addresses.append({e.ip(), e.netmask()});
        snapshots.append(s);
    }
    const QMap<QString, QString> gateways = ParseDefaultGateways(readSmallFile(QStringLiteral("/proc/net/route")));
    result.adapters = BuildAdapterList(snapshots, gateways, readLeases(snapshots));
    return result;
}
