#pragma once

#include "common/udp/codecresult.h"

#include <QByteArray>
#include <QByteArrayView>

// The 17 bytes of screen and interface parameters that a card reports and
// takes: carried by the serial write-parameters command, the parameters reply
// and the UDP parameter item. Fields hold list positions as the parameter
// windows show them; Encode and Decode apply the card's value codes.
struct ParamBlock
{
    static constexpr int Size = 17;

    // Byte 11 values.
    static constexpr quint8 InterfaceNetworkClient = 0x00;
    static constexpr quint8 InterfaceNetworkServer = 0x33;
    static constexpr quint8 InterfaceSerial = 0x22;

    // Row-order list: "Row Normal", "Row + 1", "Row Reverse", "No 138 decoding".
    static constexpr int RowOrderItems = 4;

    int ScanMode = 0;         // 0..14; sent as 1, 0x10, 2..11, 20..22
    int OeSignal = 0;         // 0 not inverted, 1 inverted; sent + 1
    quint16 Width = 0;        // pixels, big-endian
    quint16 Height = 0;       // pixels, big-endian
    int Colour = 0;           // 0 single, 1 double, 2 full; sent + 1
    int DayBrightness = 0;    // 0..7, 0 brightest
    int NightBrightness = 0;  // 0..7
    int DataPolarity = 0;     // low four bits of byte 9
    int Rs485Address = 0;     // list position 0..98 (address 1..99)
    quint8 Interface = InterfaceSerial; // byte 11 as the card codes it
    int BaudRate = 0;         // 0..4 = 9600, 19200, 38400, 57600, 115200
    int NetSpeed = 0;         // 0 forced 10M, 1 100M
    int Conversion = 0;       // 0 none, 1 merge left moves, 2 force left, 3 code 44
    int ClockFrequency = 0;   // 0 12 MHz, 1 8 MHz, 2 6 MHz (high nibble of byte 15)
    int DisplayContent = 0;   // low nibble of byte 15
    int EmptyDisplay = 0;     // high nibble of byte 16
    int RowOrder = 0;         // position in the row-order list

    QByteArray Encode() const;

    // Decodes the 17 bytes at position at; fails when fewer are there.
    static CodecResult<ParamBlock> Decode(QByteArrayView bytes, qsizetype at = 0);

    // Single-byte value codes, both ways.
    static quint8 ScanModeCode(int position);
    static int ScanModePosition(quint8 code);
    static quint8 RowOrderCode(int position);
    static int RowOrderPosition(int nibble);

    // Byte 11 in signstudio's interface reading: 00 -> 0, 22 -> 1, else -1.
    static int SignStudioInterfacePosition(quint8 code);
    // Byte 11 in cardsetup's list (network client, network server, serial):
    // 00 -> 0, 33 -> 1, 22 -> 2, else -1 (leave the list as it was).
    static int CardSetupInterfacePosition(quint8 code);
    static quint8 CardSetupInterfaceCode(int position);

    // A block read from a card whose byte 11 is not 22 is written back at
    // once with byte 11 set to 22 and the high nibble of byte 9 cleared.
    static bool NeedsWriteBack(QByteArrayView raw);
    static QByteArray WriteBackBytes(QByteArrayView raw);

    friend bool operator==(const ParamBlock &, const ParamBlock &) = default;
};
