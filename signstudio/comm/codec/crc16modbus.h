#pragma once

#include <QByteArray>
#include <QByteArrayView>

// CRC-16/MODBUS: reflected polynomial A001, initial value FFFF, no final XOR;
// table driven, eight bytes per step. "123456789" gives 4B37.
quint16 Crc16ModbusValue(QByteArrayView bytes);

// Continues a CRC over more bytes (start with 0xFFFF).
quint16 Crc16ModbusUpdate(quint16 crc, QByteArrayView bytes);

// The two CRC bytes in sending order: low-order byte first.
QByteArray Crc16Modbus(QByteArrayView bytes);
