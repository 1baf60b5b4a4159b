#pragma once

#include "common/udp/codecresult.h"
#include "signstudio/comm/codec/packetid.h"

#include <QByteArray>
#include <QByteArrayView>

// The frame of every command and reply on every link:
//   0  FE 5C 4B 89
//   4  total length, 32-bit little-endian (payload + 19)
//   8  command
//   9  packet identifier (4 bytes)
//  13  payload length, 32-bit little-endian
//  17  payload
//  17+n FF FF
namespace CardFrame {

constexpr int HeaderSize = 17;
constexpr int Overhead = 19;
constexpr int CommandOffset = 8;
constexpr int PayloadOffset = 17;
inline const QByteArray Header = QByteArrayLiteral("\xFE\x5C\x4B\x89");
inline const QByteArray Trailer = QByteArrayLiteral("\xFF\xFF");

} // namespace CardFrame

QByteArray BuildCardFrame(quint8 command, const PacketId &id, QByteArrayView payload);

// The parts of a complete frame, as the card side reads what is sent to it.
struct CardFrameParts
{
    int Command = -1;
    QByteArray Id; // 4 bytes
    QByteArray Payload;
};

// Strict reading of exactly one frame: header, total length equal to the
// bytes given, payload length equal to total - 19, trailer FF FF.
CodecResult<CardFrameParts> ParseCardFrame(QByteArrayView bytes);

// True when bytes hold the frame header at position at.
bool HasCardFrameHeader(QByteArrayView bytes, qsizetype at = 0);

// The command byte of a frame at position at, -1 when the bytes end before it.
int CardFrameCommand(QByteArrayView bytes, qsizetype at = 0);

// True when the last two bytes are FF FF.
bool EndsWithTrailer(QByteArrayView bytes);

// Byte at index i, or -1 when i lies outside bytes.
int ByteAt(QByteArrayView bytes, qsizetype i);

// 16-bit little-endian at i, or -1 when it does not fit.
int Le16At(QByteArrayView bytes, qsizetype i);
