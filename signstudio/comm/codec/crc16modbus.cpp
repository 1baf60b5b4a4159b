#include "signstudio/comm/codec/crc16modbus.h"

#include <array>

namespace {

// Two 256-entry byte tables: the high and low byte of the CRC of each byte value.
struct Tables
{
    std::array<quint8, 256> hi{};
    std::array<quint8, 256> lo{};
};

constexpr Tables MakeTables()
{
    Tables t;
    for (int i = 0; i < 256; ++i) {
        quint16 crc = quint16(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
        t.hi[i] = quint8(crc >> 8);
        t.lo[i] = quint8(crc & 0xFF);
    }
    return t;
}

constexpr Tables CrcTables = MakeTables();

} // namespace

quint16 Crc16ModbusUpdate(quint16 crc, QByteArrayView bytes)
{
    quint8 lo = quint8(crc & 0xFF);
    quint8 hi = quint8(crc >> 8);
    const auto *p = reinterpret_cast<const quint8 *>(bytes.data());
    const auto *end = p + bytes.size();
    for (; p != end; ++p) {
        const quint8 index = lo ^ *p;
        lo = hi ^ CrcTables.lo[index];
        hi = CrcTables.hi[index];
    }
    return quint16((hi << 8) | lo);
}

quint16 Crc16ModbusValue(QByteArrayView bytes)
{
    return Crc16ModbusUpdate(0xFFFF, bytes);
}

QByteArray Crc16Modbus(QByteArrayView bytes)
{
    const quint16 crc = Crc16ModbusValue(bytes);
    QByteArray out(2, '\0');
    out[0] = char(crc & 0xFF);
    out[1] = char(crc >> 8);
    return out;
}
