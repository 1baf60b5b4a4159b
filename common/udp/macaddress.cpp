#include "common/udp/macaddress.h"

#include <QStringList>

QByteArray MacAddress::ToByteArray() const
{
    return QByteArray(reinterpret_cast<const char *>(Bytes.data()), qsizetype(Bytes.size()));
}

QString MacAddress::HexText() const
{
    QStringList parts;
    for (quint8 b : Bytes)
        parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

QString MacAddress::DecimalText() const
{
    QStringList parts;
    for (quint8 b : Bytes)
        parts << QString::number(b);
    return parts.join(QLatin1Char(':'));
}

CodecResult<MacAddress> MacAddress::FromBytes(QByteArrayView bytes, qsizetype at)
{
    if (at < 0 || bytes.size() - at < 6)
        return CodecResult<MacAddress>::Failure(QStringLiteral("MAC address: fewer than 6 bytes"));
    MacAddress mac;
    for (int i = 0; i < 6; ++i)
        mac.Bytes[i] = quint8(bytes[at + i]);
    return CodecResult<MacAddress>::Success(mac);
}

CodecResult<MacAddress> MacAddress::FromHexText(const QString &text)
{
    if (text.size() < 17)
        return CodecResult<MacAddress>::Failure(QStringLiteral("MAC text too short: ") + text);
    MacAddress mac;
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const uint v = text.mid(i * 3, 2).toUInt(&ok, 16);
        if (!ok)
            return CodecResult<MacAddress>::Failure(QStringLiteral("MAC text not hexadecimal: ") + text);
        mac.Bytes[i] = quint8(v);
    }
    return CodecResult<MacAddress>::Success(mac);
}

CodecResult<MacAddress> MacAddress::FromDecimalText(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 6)
        return CodecResult<MacAddress>::Failure(QStringLiteral("MAC text needs six numbers: ") + text);
    MacAddress mac;
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const uint v = parts[i].trimmed().toUInt(&ok);
        if (!ok || v > 255)
            return CodecResult<MacAddress>::Failure(QStringLiteral("MAC text has a bad number: ") + text);
        mac.Bytes[i] = quint8(v);
    }
    return CodecResult<MacAddress>::Success(mac);
}
