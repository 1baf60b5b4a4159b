#include "common/udp/paramblock.h"
#include "tests/common/udp/tst_suites.h"

#include <QTest>

void TestParamBlock::scanMode_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("code");

    QTest::newRow("1/16 a") << 0 << 0x01;
    QTest::newRow("1/16 b") << 1 << 0x10;
    QTest::newRow("1/8 a") << 2 << 2;
    QTest::newRow("1/4 h") << 11 << 11;
    QTest::newRow("static a") << 12 << 20;
    QTest::newRow("static b") << 13 << 21;
    QTest::newRow("static c") << 14 << 22;
}

void TestParamBlock::scanMode()
{
    QFETCH(int, position);
    QFETCH(int, code);
    QCOMPARE(int(ParamBlock::ScanModeCode(position)), code);
    QCOMPARE(ParamBlock::ScanModePosition(quint8(code)), position);
    ParamBlock p;
    p.ScanMode = position;
    QCOMPARE(int(quint8(p.Encode()[0])), code);
}

void TestParamBlock::rowOrder_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("nibble");

    QTest::newRow("Row Normal") << 0 << 0;
    QTest::newRow("Row + 1") << 1 << 1;
    QTest::newRow("Row Reverse is 15") << 2 << 15;
    QTest::newRow("No 138 decoding is 14") << 3 << 14;
}

void TestParamBlock::rowOrder()
{
    QFETCH(int, position);
    QFETCH(int, nibble);
    QCOMPARE(int(ParamBlock::RowOrderCode(position)), nibble);
    QCOMPARE(ParamBlock::RowOrderPosition(nibble), position);
}

void TestParamBlock::encodeBytes_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("bytes");

    // field: 0 width, 1 height, 2 baud, 3 net speed, 4 conversion, 5 clock/content,
    // 6 empty/row order, 7 OE, 8 colour, 9 RS-485, 10 polarity
    QTest::newRow("width 320") << 0 << 320 << 2 << QByteArray("\x01\x40");
    QTest::newRow("width 65535") << 0 << 65535 << 2 << QByteArray("\xFF\xFF");
    QTest::newRow("height 16") << 1 << 16 << 4 << QByteArray("\x00\x10", 2);
    QTest::newRow("9600") << 2 << 0 << 12 << QByteArray(1, '\0');
    QTest::newRow("19200") << 2 << 1 << 12 << QByteArray("\x11");
    QTest::newRow("57600") << 2 << 3 << 12 << QByteArray("\x33");
    QTest::newRow("115200") << 2 << 4 << 12 << QByteArray("\x44");
    QTest::newRow("forced 10M") << 3 << 0 << 13 << QByteArray(1, '\0');
    QTest::newRow("100M") << 3 << 1 << 13 << QByteArray("\x22");
    QTest::newRow("no conversion") << 4 << 0 << 14 << QByteArray(1, '\0');
    QTest::newRow("merge left moves") << 4 << 1 << 14 << QByteArray("\x22");
    QTest::newRow("force left") << 4 << 2 << 14 << QByteArray("\x33");
    QTest::newRow("conversion 3") << 4 << 3 << 14 << QByteArray("\x44");
    QTest::newRow("8M with RP content is 0x11") << 5 << 0x11 << 15 << QByteArray("\x11");
    QTest::newRow("6M, content 0") << 5 << 0x20 << 15 << QByteArray("\x20");
    QTest::newRow("Welcome with No 138 decoding is 0x1E") << 6 << 0x13 << 16 << QByteArray("\x1E");
    QTest::newRow("black screen, Row Reverse") << 6 << 0x02 << 16 << QByteArray("\x0F");
    QTest::newRow("OE inverted") << 7 << 1 << 1 << QByteArray("\x02");
    QTest::newRow("double colour") << 8 << 1 << 6 << QByteArray("\x02");
    QTest::newRow("RS-485 address 99") << 9 << 98 << 10 << QByteArray("\x63");
    QTest::newRow("polarity high bits never sent") << 10 << 0x31 << 9 << QByteArray("\x01");
}

void TestParamBlock::encodeBytes()
{
    QFETCH(int, field);
    QFETCH(int, value);
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    ParamBlock p;
    switch (field) {
    case 0: p.Width = quint16(value); break;
    case 1: p.Height = quint16(value); break;
    case 2: p.BaudRate = value; break;
    case 3: p.NetSpeed = value; break;
    case 4: p.Conversion = value; break;
    case 5:
        p.ClockFrequency = value >> 4;
        p.DisplayContent = value & 0x0F;
        break;
    case 6:
        p.EmptyDisplay = value >> 4;
        p.RowOrder = value & 0x0F;
        break;
    case 7: p.OeSignal = value; break;
    case 8: p.Colour = value; break;
    case 9: p.Rs485Address = value; break;
    case 10: p.DataPolarity = value; break;
    }
    const QByteArray block = p.Encode();
    QCOMPARE(block.size(), 17);
    QCOMPARE(block.mid(offset, bytes.size()).toHex(' '), bytes.toHex(' '));
}

void TestParamBlock::decodeReadings_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("expected");

    // field: 0 scan, 1 polarity, 2 RS-485, 3 baud, 4 net speed, 5 conversion,
    // 6 row order, 7 empty display, 8 clock, 9 content, 10 OE, 11 colour
    QTest::newRow("scan 0x14 is the first static item") << 0 << 0x14 << 0 << 12;
    QTest::newRow("scan 0x10") << 0 << 0x10 << 0 << 1;
    QTest::newRow("scan 0x01") << 0 << 0x01 << 0 << 0;
    QTest::newRow("scan 0x13 stays") << 0 << 0x13 << 0 << 0x13;
    QTest::newRow("polarity 1") << 9 << 0x01 << 1 << 1;
    QTest::newRow("polarity 0x21 reads its low bits") << 9 << 0x21 << 1 << 1;
    QTest::newRow("polarity 2 is 0") << 9 << 0x02 << 1 << 0;
    QTest::newRow("RS-485 address 1") << 10 << 1 << 2 << 0;
    QTest::newRow("RS-485 address 99") << 10 << 99 << 2 << 98;
    QTest::newRow("RS-485 address 0") << 10 << 0 << 2 << 0;
    QTest::newRow("RS-485 address 100") << 10 << 100 << 2 << 0;
    QTest::newRow("baud 0x44") << 12 << 0x44 << 3 << 4;
    QTest::newRow("baud unknown") << 12 << 0x55 << 3 << 0;
    QTest::newRow("speed 0x22") << 13 << 0x22 << 4 << 1;
    QTest::newRow("speed unknown") << 13 << 0x12 << 4 << 0;
    QTest::newRow("conversion 0x33") << 14 << 0x33 << 5 << 2;
    QTest::newRow("conversion 0x44") << 14 << 0x44 << 5 << 3;
    QTest::newRow("conversion unknown") << 14 << 0x21 << 5 << 0;
    QTest::newRow("row order 0x0E") << 16 << 0x0E << 6 << 3;
    QTest::newRow("row order 0x0F") << 16 << 0x0F << 6 << 2;
    QTest::newRow("row order 1") << 16 << 0x01 << 6 << 1;
    QTest::newRow("empty display high nibble") << 16 << 0x1E << 7 << 1;
    QTest::newRow("clock high nibble") << 15 << 0x21 << 8 << 2;
    QTest::newRow("content low nibble") << 15 << 0x21 << 9 << 1;
    QTest::newRow("OE 2") << 1 << 2 << 10 << 1;
    QTest::newRow("colour 3") << 6 << 3 << 11 << 2;
}

void TestParamBlock::decodeReadings()
{
    QFETCH(int, offset);
    QFETCH(int, byte);
    QFETCH(int, field);
    QFETCH(int, expected);
    QByteArray raw = ParamBlock().Encode();
    raw[offset] = char(byte);
    const CodecResult<ParamBlock> r = ParamBlock::Decode(raw);
    QVERIFY(r.Ok());
    const ParamBlock &p = r.Value;
    const int values[] = {p.ScanMode, p.DataPolarity, p.Rs485Address, p.BaudRate, p.NetSpeed, p.Conversion,
                          p.RowOrder, p.EmptyDisplay, p.ClockFrequency, p.DisplayContent, p.OeSignal, p.Colour};
    QCOMPARE(values[field], expected);
}

void TestParamBlock::roundTrip()
{
    const QByteArray raw("\x15\x01\x01\x40\x00\xA0\x02\x00\x03\x01\x05\x22\x44\x22\x22\x11\x1E", 17);
    // Embedded at an offset, as in a reply.
    const CodecResult<ParamBlock> r = ParamBlock::Decode(QByteArray(QByteArray("xyz") + raw), 3);
    QVERIFY(r.Ok());
    QCOMPARE(r.Value.ScanMode, 13);
    QCOMPARE(r.Value.Width, quint16(320));
    QCOMPARE(r.Value.Height, quint16(160));
    QCOMPARE(r.Value.Colour, 1);
    QCOMPARE(r.Value.NightBrightness, 3);
    QCOMPARE(r.Value.Rs485Address, 4);
    QCOMPARE(r.Value.Interface, quint8(0x22));
    QCOMPARE(r.Value.BaudRate, 4);
    QCOMPARE(r.Value.RowOrder, 3);
    QCOMPARE(r.Value.Encode().toHex(' '), raw.toHex(' '));
}

void TestParamBlock::interfacePositions_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("signStudio");
    QTest::addColumn<int>("cardSetup");

    QTest::newRow("network client") << 0x00 << 0 << 0;
    QTest::newRow("network server") << 0x33 << -1 << 1;
    QTest::newRow("serial") << 0x22 << 1 << 2;
    QTest::newRow("unknown") << 0x11 << -1 << -1;
}

void TestParamBlock::interfacePositions()
{
    QFETCH(int, code);
    QFETCH(int, signStudio);
    QFETCH(int, cardSetup);
    QCOMPARE(ParamBlock::SignStudioInterfacePosition(quint8(code)), signStudio);
    QCOMPARE(ParamBlock::CardSetupInterfacePosition(quint8(code)), cardSetup);
    if (cardSetup >= 0)
        QCOMPARE(int(ParamBlock::CardSetupInterfaceCode(cardSetup)), code);
}

void TestParamBlock::writeBack()
{
    QByteArray raw("\x15\x01\x01\x40\x00\xA0\x02\x00\x03\xF1\x05\x33\x44\x22\x22\x11\x1E", 17);
    QVERIFY(ParamBlock::NeedsWriteBack(raw));
    const QByteArray fixed = ParamBlock::WriteBackBytes(raw);
    QByteArray expected = raw;
    expected[9] = char(0x01);
    expected[11] = char(0x22);
    QCOMPARE(fixed.toHex(' '), expected.toHex(' '));
    QVERIFY(!ParamBlock::NeedsWriteBack(fixed));
    QVERIFY(!ParamBlock::NeedsWriteBack(raw.left(11)));
    QVERIFY(ParamBlock::WriteBackBytes(raw.left(16)).isEmpty());
}

void TestParamBlock::shortInput()
{
    for (int n = 0; n < 17; ++n)
        QVERIFY(!ParamBlock::Decode(QByteArray(n, '\x01')).Ok());
    QVERIFY(!ParamBlock::Decode(QByteArray(17, '\x01'), 1).Ok());
    QVERIFY(!ParamBlock::Decode(QByteArray(17, '\x01'), -1).Ok());
    QVERIFY(ParamBlock::Decode(QByteArray(18, '\x01'), 1).Ok());
}
