#pragma once

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
