#include "virtualcard/contentframe.h"

#include "signstudio/comm/codec/crc16modbus.h"

namespace {

int U8(const QByteArray &b, qsizetype i) { return (i >= 0 && i < b.size()) ? quint8(b.at(i)) : -1; }
int Le16(const QByteArray &b, qsizetype i) { return U8(b, i) | (U8(b, i + 1) << 8); }
qint64 Le32(const QByteArray &b, qsizetype i)
{
    return qint64(U8(b, i)) | (qint64(U8(b, i + 1)) << 8) | (qint64(U8(b, i + 2)) << 16)
         | (qint64(U8(b, i + 3)) << 24);
}

} // namespace

ContentFrame ContentFrame::Parse(const QByteArray &f)
{
    ContentFrame c;
    const auto fail = [&c](const QString &why) {
        c.Error = why;
        return c;
    };
    if (f.size() < 19 || !f.startsWith(QByteArrayLiteral("\xFE\x5C\x4B\x89")))
        return fail(QStringLiteral("not a frame"));
    if (U8(f, 8) != 0x31)
        return fail(QStringLiteral("not a content item"));
    if (!f.endsWith(QByteArrayLiteral("\xFF\xFF")))
        return fail(QStringLiteral("frame does not end FF FF"));
    const qsizetype end = f.size() - 2; // first byte of the trailer

    const qsizetype comma = f.indexOf(',', 17);
    if (comma < 17 || comma > 17 + 64)
        return fail(QStringLiteral("no material identifier"));
    c.FodderUID = QString::fromLatin1(f.mid(17, comma - 17));
    const qsizetype b = comma - 1; // header offsets count from here

    // A remote text item: display bytes, validity digits, 03 00 00 00 "all",
    // LE32 text length + 1, ';', the text, "-1," on the last item.
    if (f.mid(comma + 16, 7) == QByteArrayLiteral("\x03\x00\x00\x00" "all")) {
        c.RemoteText = true;
        c.DisplayMode = U8(f, comma + 1);
        c.DisplaySpeed = U8(f, comma + 2);
        c.StayTime = U8(f, comma + 3);
        const qint64 length = Le32(f, comma + 23) - 1;
        const qsizetype textAt = comma + 28;
        if (U8(f, comma + 27) != ';' || length < 0 || textAt + length > end)
            return fail(QStringLiteral("remote text length does not fit the frame"));
        c.Body = f.mid(textAt, length);
        c.EndMark = f.mid(textAt + length, 3) == QByteArrayLiteral("-1,");
        c.DataPacketCount = 1;
        c.PacketNo = 1;
        c.CrcOk = true;
        return c;
    }
    if (b + 33 > end)
        return fail(QStringLiteral("header cut short"));
    c.DisplayMode = U8(f, b + 2);
    c.DisplaySpeed = U8(f, b + 3);
    c.StayTime = U8(f, b + 4);
    if (U8(f, b + 21) != 0x55 || U8(f, b + 22) != 0xAA)
        return fail(QStringLiteral("header mark 55 AA missing"));
    c.TypeCode = U8(f, b + 25);
    c.ExtraByte1 = U8(f, b + 26);
    c.ExtraByte2 = U8(f, b + 27);
    c.FirstPacket = U8(f, b + 28) != '2';
    const int colour = U8(f, b + 29);
    if (colour < '1' || colour > '3')
        return fail(QStringLiteral("colour digit is not 1, 2 or 3"));
    c.ColourPlanes = colour - '0';
    c.PageCount = Le16(f, b + 31);

    qsizetype block = IsInnerCodeType(c.TypeCode) ? b + 33 : b + 35;
    if (IsInnerCodeType(c.TypeCode)) {
        if (block + 7 > end)
            return fail(QStringLiteral("text block cut short"));
        c.RegionWidth8 = Le16(f, block);
        c.RegionHeight = Le16(f, block + 2);
        c.CharColor = U8(f, block + 4);
        c.FontByte = U8(f, block + 5);
        block += 7;
    }
    if (block + 4 > end)
        return fail(QStringLiteral("block length missing"));
    const qint64 length = Le32(f, block);
    if (length < 10 || block + 4 + length > end)
        return fail(QStringLiteral("block length %1 does not fit the frame").arg(length));
    const qsizetype bodyAt = block + 4;
    const qsizetype trailerAt = bodyAt + length - 10;
    if (U8(f, trailerAt) != 0xFF || U8(f, trailerAt + 1) != 0x00)
        return fail(QStringLiteral("block trailer FF 00 missing"));
    c.Body = f.mid(bodyAt, trailerAt - bodyAt);
    c.MaterialNo = Le16(f, trailerAt + 2);
    c.DataPacketCount = Le16(f, trailerAt + 4);
    c.PacketNo = Le16(f, trailerAt + 6);
    c.CrcReceived = quint16((U8(f, trailerAt + 8) << 8) | U8(f, trailerAt + 9));

    // Parameter blocks: CRC over every byte from the parameters to the packet
    // number; data blocks: over the last data byte and the trailer up to it.
    const qsizetype crcFrom = c.IsDataBlock() ? trailerAt - 1 : bodyAt;
    if (crcFrom < bodyAt) {
        c.CrcComputed = 0;
        c.CrcOk = false;
    } else {
        c.CrcComputed = Crc16ModbusValue(QByteArrayView(f).sliced(crcFrom, trailerAt + 8 - crcFrom));
        c.CrcOk = c.CrcComputed == c.CrcReceived;
    }

    const qsizetype after = bodyAt + length;
    if (after + 3 <= end && f.mid(after, 3) == QByteArrayLiteral("-1,"))
        c.EndMark = true;
    return c;
}
