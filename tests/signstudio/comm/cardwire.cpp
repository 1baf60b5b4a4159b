#include "tests/signstudio/comm/cardwire.h"

namespace CardWire {

static void PutLe32(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

QByteArray Frame(quint8 code, const QByteArray &payload)
{
    QByteArray f(17, '\0');
    f[0] = char(0xFE);
    f[1] = char(0x5C);
    f[2] = char(0x4B);
    f[3] = char(0x89);
    PutLe32(f, 4, quint32(payload.size() + 19));
    f[8] = char(code);
    f[9] = 0;
    f[10] = 0;
    f[11] = 0x30;
    f[12] = 0x39;
    PutLe32(f, 13, quint32(payload.size()));
    f += payload;
    f += QByteArray::fromHex("FFFF");
    return f;
}

QByteArray IdentityFrame(const Identity &id)
{
    QByteArray p(40, '0'); // offsets 17..56 of the frame
    p.replace(0, 8, id.Inner.left(8));
    p.replace(26 - 17, 4, id.Width);
    p.replace(31 - 17, 4, id.Height);
    p[36 - 17] = id.Colour;
    p.replace(38 - 17, 2, id.Version);
    p[50 - 17] = id.Font1;
    p[51 - 17] = id.Font2;
    p[52 - 17] = char(id.CapA);
    p[53 - 17] = char(id.CapB);
    p[56 - 17] = id.Pace;
    QByteArray f = Frame(id.Code, p);
    f.chop(2);
    f += id.Trailer;
    return f;
}

QByteArray Envelope(const QByteArray &frame, quint8 marker, quint8 status, const QByteArray &inner)
{
    const int length = int(frame.size()) + 19;
    QByteArray e;
    e += char(0xFE);
    e += char(0x98);
    e += char((length >> 8) & 0xFF);
    e += char(length & 0xFF);
    e += char(0x97);
    e += char(marker);
    e += char(status);
    e += inner.left(8);
    e += QByteArray::fromHex("010101");
    e += frame;
    e += QByteArray(2, '\0');
    quint8 x = 0;
    for (int i = 1; i < e.size(); ++i)
        x ^= quint8(e.at(i));
    e += char(x);
    return e;
}

} // namespace CardWire
