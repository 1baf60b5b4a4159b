#include "common/udp/udpitem.h"

QByteArray UdpItem::Build(quint8 tag, QByteArrayView data)
{
    Q_ASSERT(data.size() <= MaxData);
    const QByteArrayView d = data.first(qMin<qsizetype>(data.size(), MaxData));
    QByteArray item;
    item.reserve(d.size() + 4);
    item.append(char(Start));
    item.append(char(tag));
    item.append(char(d.size()));
    item.append(d);
    item.append(char(End));
    return item;
}

CodecResult<QList<UdpItem::Parts>> UdpItem::Parse(QByteArrayView packet)
{
    using R = CodecResult<QList<Parts>>;
    QList<Parts> items;
    qsizetype p = 0;
    while (p < packet.size()) {
        if (packet.size() - p < 4)
            return R::Failure(QStringLiteral("item cut short at byte %1").arg(p));
        if (quint8(packet[p]) != Start)
            return R::Failure(QStringLiteral("item does not start A1 at byte %1").arg(p));
        const int n = quint8(packet[p + 2]);
        if (packet.size() - p < n + 4)
            return R::Failure(QStringLiteral("item data runs past the end at byte %1").arg(p));
        if (quint8(packet[p + 3 + n]) != End)
            return R::Failure(QStringLiteral("item does not end FF at byte %1").arg(p + 3 + n));
        items.append(Parts{quint8(packet[p + 1]), packet.sliced(p + 3, n).toByteArray()});
        p += n + 4;
    }
    if (items.isEmpty())
        return R::Failure(QStringLiteral("empty packet"));
    return R::Success(items);
}
