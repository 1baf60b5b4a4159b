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
