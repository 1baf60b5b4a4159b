#include "signstudio/comm/codec/crc16modbus.h"
#include "signstudio/comm/codec/xorcheck.h"
#include "tests/signstudio/codec/tst_suites.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Plain bit-by-bit CRC-16/MODBUS, the published definition.
quint16 BitwiseCrc(const QByteArray &data)
{
    quint16 crc = 0xFFFF;
    for (char c : data) {
        crc ^= quint8(c);
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

} // namespace

void TestChecksums::crcKnownValues_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("sent");

    QTest::newRow("check string") << QByteArray("123456789") << QByteArray("\x37\x4B", 2);
    QTest::newRow("empty is the start value") << QByteArray() << QByteArray("\xFF\xFF", 2);
    QTest::newRow("single zero") << QByteArray(1, '\0') << QByteArray("\xBF\x40", 2);
    QTest::newRow("modbus read request") << QByteArray("\x01\x03\x00\x00\x00\x0A", 6)
                                         << QByteArray("\xC5\xCD", 2);
}

void TestChecksums::crcKnownValues()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, sent);
    QCOMPARE(Crc16Modbus(input), sent);
    QCOMPARE(Crc16ModbusValue(input), quint16(quint8(sent[0]) | (quint8(sent[1]) << 8)));
}

void TestChecksums::crcMatchesBitwiseReference()
{
    QRandomGenerator rng(4711);
    for (int len : {1, 2, 7, 255, 256, 257, 2067, 5000}) {
        QByteArray data(len, '\0');
        for (char &c : data)
            c = char(rng.bounded(256));
        QCOMPARE(Crc16ModbusValue(data), BitwiseCrc(data));
    }
}

void TestChecksums::crcContinues()
{
    const QByteArray a("12345"), b("6789");
    QCOMPARE(Crc16ModbusUpdate(Crc16ModbusValue(a), b), quint16(0x4B37));
}

void TestChecksums::xorCheck_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("one") << QByteArray("\xA5", 1) << 0xA5;
    QTest::newRow("cancels") << QByteArray("\x5A\x5A", 2) << 0;
    QTest::newRow("three") << QByteArray("\x01\x02\x04", 3) << 0x07;
    QTest::newRow("high bits") << QByteArray("\xFF\x0F", 2) << 0xF0;
}

void TestChecksums::xorCheck()
{
    QFETCH(QByteArray, input);
    QFETCH(int, expected);
    QCOMPARE(int(XorCheck(input)), expected);
}
