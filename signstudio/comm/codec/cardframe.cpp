#include "signstudio/comm/codec/cardframe.h"

#include <QtEndian>

QByteArray BuildCardFrame(quint8 command, const PacketId &id, QByteArrayView payload)
{
    const quint32 payloadLength = quint32(payload.size());
    QByteArray f;
    f.reserve(payload.size() + CardFrame::Overhead);
    f.append(CardFrame::Header);
    char le[4];
    qToLittleEndian<quint32>(payloadLength + CardFrame::Overhead, le);
    f.append(le, 4);
    f.append(char(command));
    f.append(id.Bytes.left(4).leftJustified(4, '\0'));
    qToLittleEndian<quint32>(payloadLength, le);
    f.append(le, 4);
    f.append(payload);
    f.append(CardFrame::Trailer);
    return f;
}

bool HasCardFrameHeader(QByteArrayView bytes, qsizetype at)
{
    return at >= 0 && bytes.size() - at >= 4 && bytes.sliced(at, 4) == QByteArrayView(CardFrame::Header);
}

int CardFrameCommand(QByteArrayView bytes, qsizetype at)
{
    return ByteAt(bytes, at + CardFrame::CommandOffset);
}

bool EndsWithTrailer(QByteArrayView bytes)
{
    return bytes.size() >= 2 && bytes.last(2) == QByteArrayView(CardFrame::Trailer);
}

int ByteAt(QByteArrayView bytes, qsizetype i)
{
    if (i < 0 || i >= bytes.size())
        return -1;
    return quint8(bytes[i]);
}

int Le16At(QByteArrayView bytes, qsizetype i)
{
    if (i < 0 || bytes.size() - i < 2)
        return -1;
    return quint8(bytes[i]) | (quint8(bytes[i + 1]) << 8);
}
