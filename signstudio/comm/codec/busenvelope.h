#pragma once

#include "common/udp/codecresult.h"
#include "signstudio/comm/codec/innercode.h"

#include <QByteArray>
#include <QByteArrayView>

// The wrapper of every frame (or slice of one) on an RS-485 bus:
//   0  FE 98
//   2  length, 16-bit big-endian: slice bytes + 19
//   4  97 54 00 when sent; in replies byte 5 is 54 or 55 and byte 6 a status
//   7  the card's inner code (8 bytes)
//  15  01
//  16  slice count, 17 slice number (1-based)
//  18  the slice
//  18+S CRC-16/MODBUS of bytes 1 .. 17+S, low-order byte first
//  20+S XOR of bytes 1 .. 19+S
namespace BusEnvelope {

constexpr int Overhead = 21;
constexpr int HeadSize = 18;
constexpr int SliceSize = 256;
constexpr int MaxSlice = 0xFFFF - 19;

// Reply fields.
constexpr int MarkerOffset = 5;    // 54 acknowledgement, 55 finished
constexpr int StatusOffset = 6;    // 00 or FF accepted, else resend the last slice
constexpr int WantedSliceOffset = 18;
constexpr int FrameOffset = 18;    // a carried frame starts here
constexpr int ReplyCodeOffset = 26;
constexpr int FirstPayloadOffset = 35;
constexpr quint8 MarkerAck = 0x54;
constexpr quint8 MarkerFinished = 0x55;

} // namespace BusEnvelope

// The envelope for one slice. Slice count and number are written as single
// bytes (their low bytes). A slice longer than the 16-bit length field can
// describe is refused (empty result).
QByteArray BuildEnvelope(const InnerCode &code, int sliceCount, int sliceNumber, QByteArrayView slice);

// The parts of one envelope, as the card side reads what is sent to it.
struct EnvelopeParts
{
    InnerCode Code;
    int Marker = 0;      // byte 5
    int Status = 0;      // byte 6
    int SliceCount = 0;
    int SliceNumber = 0;
    QByteArray Slice;
    bool CheckOk = false; // CRC and XOR byte agree with the bytes
};

// Reads exactly one envelope: FE 98, a length field equal to the bytes
// given minus 2, at least the 21 bytes of an empty envelope. A wrong CRC or
// check byte does not fail; CheckOk tells.
CodecResult<EnvelopeParts> ParseEnvelope(QByteArrayView bytes);
