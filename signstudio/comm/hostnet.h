#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QStringList>

// Small host-side network and serial utilities of the card links.

// First TCP port from start upward to which a socket can be bound on all
// local IPv4 addresses; a port counts as taken only when binding fails with
// "address in use". Returns start when every port above is taken.
quint16 FindFreePort(quint16 start, const QHostAddress &address = QHostAddress::AnyIPv4);

// The PC's own address as dotted IPv4 text: the last IPv4 address of an
// interface that is up and not loopback, else "127.0.0.1".
QString LocalAddress();

// MAC text of a host from the kernel's ARP cache (six decimal byte values
// joined by ":"), "" when the cache holds no complete entry for it.
QString MacOf(const QString &ip);
// The same, reading the given text of /proc/net/arp.
QString MacFromArpTable(const QByteArray &table, const QString &ip);

// Asks the system to forget the ARP entry of an address. Best effort: starts
// the command without waiting, ignores failures, and does nothing for text
// that is not a plain IPv4 address.
void FlushArp(const QString &ip);
// Program and arguments FlushArp would start; empty for an invalid address.
QStringList FlushArpCommand(const QString &ip);

// Names of the serial ports present.
QStringList SerialPorts();
