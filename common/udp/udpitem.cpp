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
