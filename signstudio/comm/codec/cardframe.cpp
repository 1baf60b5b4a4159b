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

CodecResult<CardFrameParts> ParseCardFrame(QByteArrayView bytes)
{
    using R = CodecResult<CardFrameParts>;
    if (bytes.size() < CardFrame::Overhead)
        return R::Failure(QStringLiteral("frame shorter than 19 bytes"));
    if (!HasCardFrameHeader(bytes))
        return R::Failure(QStringLiteral("frame header missing"));
    const quint32 total = qFromLittleEndian<quint32>(bytes.data() + 4);
    const quint32 payload = qFromLittleEndian<quint32>(bytes.data() + 13);
    if (total != quint64(bytes.size()))
        return R::Failure(QStringLiteral("frame length field %1 differs from the %2 bytes").arg(total).arg(bytes.size()));
    if (quint64(payload) + CardFrame::Overhead != total)
        return R::Failure(QStringLiteral("payload length field does not match the frame length"));
    if (!EndsWithTrailer(bytes))
        return R::Failure(QStringLiteral("frame trailer FF FF missing"));
    CardFrameParts parts;
    parts.Command = quint8(bytes[CardFrame::CommandOffset]);
    parts.Id = bytes.sliced(9, 4).toByteArray();
    parts.Payload = bytes.sliced(CardFrame::PayloadOffset, payload).toByteArray();
    return R::Success(parts);
}
