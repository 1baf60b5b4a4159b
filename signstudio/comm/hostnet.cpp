#include "signstudio/comm/hostnet.h"

#include <QFile>
#include <QNetworkInterface>
#include <QProcess>
#include <QSerialPortInfo>
#include <QTcpServer>

quint16 FindFreePort(quint16 start, const QHostAddress &address)
{
    for (quint32 port = start; port <= 65535; ++port) {
        QTcpServer probe;
        if (probe.listen(address, quint16(port)))
            return quint16(port);
        if (probe.serverError() != QAbstractSocket::AddressInUseError)
            return quint16(port);
    }
    return start;
}

QString LocalAddress()
{
    QString last;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &nic : interfaces) {
        const auto flags = nic.flags();
        if (!(flags & QNetworkInterface::IsUp) || (flags & QNetworkInterface::IsLoopBack))
            continue;
        const auto entries = nic.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLoopback())
                last = ip.toString();
        }
    }
    return last.isEmpty() ? QStringLiteral("127.0.0.1") : last;
}

static bool ParseIpv4(const QString &text, QHostAddress *out)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    quint32 value = 0;
    for (const QString &part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return false;
        bool ok = false;
        const uint octet = part.toUInt(&ok);
        if (!ok || octet > 255)
            return false;
        for (QChar c : part)
            if (!c.isDigit())
                return false;
        value = (value << 8) | octet;
    }
    if (out)
        *out = QHostAddress(value);
    return true;
}

QString MacFromArpTable(const QByteArray &table, const QString &ip)
{
    QHostAddress wanted;
    if (!ParseIpv4(ip, &wanted))
        return QString();
    const QList<QByteArray> lines = table.split('\n');
    for (int i = 1; i < lines.size(); ++i) { // line 0 is the heading
        const QList<QByteArray> cols = lines.at(i).simplified().split(' ');
        if (cols.size() < 4)
            continue;
        if (QHostAddress(QString::fromLatin1(cols.at(0))) != wanted)
            continue;
        bool ok = false;
        const uint flags = QString::fromLatin1(cols.at(2)).toUInt(&ok, 16);
        if (!ok || !(flags & 0x2)) // ATF_COM: the entry is complete
            continue;
        const QList<QByteArray> bytes = cols.at(3).split(':');
        if (bytes.size() != 6)
            continue;
        QStringList out;
        for (const QByteArray &b : bytes) {
            const uint v = QString::fromLatin1(b).toUInt(&ok, 16);
            if (!ok || v > 255)
                break;
            out.append(QString::number(v));
        }
        if (out.size() == 6)
            return out.join(QLatin1Char(':'));
    }
    return QString();
}

QString MacOf(const QString &ip)
{
    QFile file(QStringLiteral("/proc/net/arp"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return MacFromArpTable(file.read(256 * 1024), ip);
}

QStringList FlushArpCommand(const QString &ip)
{
    QHostAddress address;
    if (!ParseIpv4(ip, &address))
        return {};
    return {QStringLiteral("ip"), QStringLiteral("neigh"), QStringLiteral("flush"),
            QStringLiteral("to"), address.toString()};
}

void FlushArp(const QString &ip)
{
    QStringList command = FlushArpCommand(ip);
    if (command.isEmpty())
        return;
    const QString program = command.takeFirst();
    QProcess::startDetached(program, command); // failures ignored
}

QStringList SerialPorts()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names.append(info.portName());
    return names;
}
