#include "signstudio/comm/codec/busenvelope.h"

#include "signstudio/comm/codec/crc16modbus.h"
#include "signstudio/comm/codec/xorcheck.h"

QByteArray BuildEnvelope(const InnerCode &code, int sliceCount, int sliceNumber, QByteArrayView slice)
{
    if (slice.size() > BusEnvelope::MaxSlice)
        return QByteArray();
    const int length = int(slice.size()) + 19;
    QByteArray e;
    e.reserve(slice.size() + BusEnvelope::Overhead);
    e.append(char(0xFE));
    e.append(char(0x98));
    e.append(char(length >> 8));
    e.append(char(length & 0xFF));
    e.append(char(0x97));
    e.append(char(0x54));
    e.append(char(0x00));
    e.append(code.Bytes());
    e.append(char(0x01));
    e.append(char(sliceCount & 0xFF));
    e.append(char(sliceNumber & 0xFF));
    e.append(slice);
    e.append(Crc16Modbus(QByteArrayView(e).sliced(1)));
    e.append(char(XorCheck(QByteArrayView(e).sliced(1))));
    return e;
}

CodecResult<EnvelopeParts> ParseEnvelope(QByteArrayView bytes)
{
    using R = CodecResult<EnvelopeParts>;
    if (bytes.size() < BusEnvelope::Overhead)
        return R::Failure(QStringLiteral("envelope shorter than 21 bytes"));
    if (quint8(bytes[0]) != 0xFE || quint8(bytes[1]) != 0x98)
        return R::Failure(QStringLiteral("envelope header FE 98 missing"));
    const int length = (quint8(bytes[2]) << 8) | quint8(bytes[3]);
    if (length + 2 != bytes.size())
        return R::Failure(QStringLiteral("envelope length field %1 does not match %2 bytes").arg(length).arg(bytes.size()));
    EnvelopeParts parts;
    parts.Code = InnerCode::FromBytes(bytes, 7).Value;
    parts.Marker = quint8(bytes[5]);
    parts.Status = quint8(bytes[6]);
    parts.SliceCount = quint8(bytes[16]);
    parts.SliceNumber = quint8(bytes[17]);
    const qsizetype crcAt = bytes.size() - 3;
    parts.Slice = bytes.sliced(BusEnvelope::HeadSize, crcAt - BusEnvelope::HeadSize).toByteArray();
    parts.CheckOk = bytes.sliced(crcAt, 2) == QByteArrayView(Crc16Modbus(bytes.sliced(1, crcAt - 1)))
                    && quint8(bytes[bytes.size() - 1]) == XorCheck(bytes.sliced(1, bytes.size() - 2));
    return R::Success(parts);
}
