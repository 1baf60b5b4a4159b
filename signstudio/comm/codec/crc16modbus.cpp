#include "signstudio/comm/codec/crc16modbus.h"

#include <array>

namespace {

// Table k gives the CRC change of a byte followed by k zero bytes; table 0
// is the usual byte table. Eight bytes are folded per step with all eight.
using Table = std::array<quint16, 256>;

constexpr std::array<Table, 8> MakeTables()
{
    std::array<Table, 8> t{};
    for (int i = 0; i < 256; ++i) {
        quint16 crc = quint16(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
        t[0][i] = crc;
    }
    for (int k = 1; k < 8; ++k) {
        for (int i = 0; i < 256; ++i)
            t[k][i] = quint16((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF]);
    }
    return t;
}

constexpr std::array<Table, 8> Tables = MakeTables();

} // namespace

quint16 Crc16ModbusUpdate(quint16 crc, QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const quint8 *>(bytes.data());
    qsizetype n = bytes.size();
    for (; n >= 8; n -= 8, p += 8) {
        crc = quint16(Tables[7][(crc ^ p[0]) & 0xFF] ^ Tables[6][((crc >> 8) ^ p[1]) & 0xFF]
                      ^ Tables[5][p[2]] ^ Tables[4][p[3]] ^ Tables[3][p[4]] ^ Tables[2][p[5]]
                      ^ Tables[1][p[6]] ^ Tables[0][p[7]]);
    }
    for (; n > 0; --n, ++p)
        crc = quint16((crc >> 8) ^ Tables[0][(crc ^ *p) & 0xFF]);
    return crc;
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
