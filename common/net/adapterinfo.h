#pragma once

#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QString>

// One network adapter of the PC.
class TAdapterInfo
{
public:
    int AdapterId = 0;           // 1 for the first adapter of the list, 2 for the next, ...
    QString AdapterDescription;  // up to 132 characters
    QString AdapterIP;           // first IPv4 address, dotted
    QString AdapterMask;         // mask of that address
    QString AdapterGateway;      // first default gateway, empty when none
    QString AdapterMac;          // "00-1A-2B-3C-4D-5E"
    bool DhcpEnabled = false;    // best effort: a DHCP lease is known for the adapter
    QString DhcpServer;          // best effort, empty when unknown
};

// What the system says about one interface, before the adapter rules apply.
struct InterfaceSnapshot {
    int index = 0;
    QString name;         // "eth0"
    QString description;  // human-readable name
    bool up = false;
    bool loopback = false;
    QString hardwareAddress; // "00:1A:2B:3C:4D:5E" as the system reports it
    struct Address {
        QHostAddress ip;
        QHostAddress mask;
    };
    QList<Address> addresses; // in the system's order, IPv6 ones included
};

struct AdapterListResult {
    QList<TAdapterInfo> adapters;
    QString error; // empty on success
};

// The adapters of this PC in the order the system reports them: interfaces
// that are up, not loopback, with at least one IPv4 address. The default
// gateway comes from /proc/net/route.
AdapterListResult AdapterList();

// The rules of AdapterList over given system data; gateways maps an
// interface name to its default gateway, leases an interface name to its DHCP
// server address (present = DHCP in use, value may be empty).
QList<TAdapterInfo> BuildAdapterList(const QList<InterfaceSnapshot> &interfaces,
                                     const QMap<QString, QString> &gateways,
                                     const QMap<QString, QString> &leases = {});

// Default gateways by interface name from the text of /proc/net/route; the
// first default route of an interface wins.
QMap<QString, QString> ParseDefaultGateways(const QByteArray &routeText);

// "00:1a:2b:3c:4d:5e" -> "00-1A-2B-3C-4D-5E"; empty stays empty.
QString MacWithHyphens(const QString &hardwareAddress);
