#include "signstudio/comm/codec/packetid.h"

#include <QMutex>
#include <QRandomGenerator>

namespace {

QMutex generatorLock;
std::function<quint32()> &Generator()
{
    static std::function<quint32()> generator;
    return generator;
}

} // namespace

PacketId PacketId::FromNumber(quint32 number)
{
    PacketId id;
    id.Number = number;
    id.Text = QStringLiteral("%1").arg(number, 8, 16, QLatin1Char('0')).toUpper();
    id.Bytes.resize(4);
    id.Bytes[0] = char(number >> 24);
    id.Bytes[1] = char(number >> 16);
    id.Bytes[2] = char(number >> 8);
    id.Bytes[3] = char(number);
    return id;
}

PacketId PacketId::Identify()
{
    return FromNumber(0x01020304);
}

PacketId NewPacketId()
{
    {
        QMutexLocker locker(&generatorLock);
        if (Generator())
            return PacketId::FromNumber(Generator()() % 100000u);
    }
    return PacketId::FromNumber(QRandomGenerator::global()->bounded(100000u));
}

void SetPacketIdGenerator(std::function<quint32()> generator)
{
    QMutexLocker locker(&generatorLock);
    Generator() = std::move(generator);
}
