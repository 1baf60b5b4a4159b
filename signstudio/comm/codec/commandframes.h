#pragma once

#include "common/udp/codecresult.h"
#include "common/udp/paramblock.h"
#include "signstudio/comm/codec/packetid.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>

// Frames of the commands sent to a card. Each takes the identifier to carry
// (NewPacketId(), whose Text the card object keeps as its last identifier).

constexpr int MaxProgramFrame = 4096;
constexpr int MaxPlainTextProgramFrame = 1024;

// Program data for plain serial and TCP: the program text with the page
// schedules substituted. Refused when the frame would exceed 4096 bytes.
CodecResult<QByteArray> BuildProgramDataFrame(const PacketId &id, QByteArrayView programText,
                                              QByteArrayView schedules);

// Program data carrying a text as it is (remote text program list).
// Refused when the frame would exceed 1024 bytes.
CodecResult<QByteArray> BuildPlainTextProgramFrame(const PacketId &id, QByteArrayView text);

// One content item (material data or remote text item) as payload.
QByteArray BuildContentItemFrame(const PacketId &id, QByteArrayView payload);

QByteArray BuildStartPlayFrame(const PacketId &id);
QByteArray BuildStopPlayFrame(const PacketId &id);

// Clock texts, all digits ASCII and zero padded, weekday 00 Sunday .. 06 Saturday:
// serial "1#YYYYMMDDWWhhmmss#" (19 bytes),
// network the same + poll time (3 digits, kept within 30..999) + "#" (23 bytes).
QByteArray SerialClockPayload(const QDateTime &localTime);
QByteArray NetworkClockPayload(const QDateTime &localTime, int pollTime);
QByteArray BuildSerialClockFrame(const PacketId &id, const QDateTime &localTime);
QByteArray BuildNetworkClockFrame(const PacketId &id, const QDateTime &localTime, int pollTime);

// The bare identify frame with the fixed identifier 01 02 03 04.
QByteArray BuildIdentifyFrame();
// The identify frame with a given identifier (enveloped on the bus).
QByteArray BuildIdentifyFrame(const PacketId &id);

QByteArray BuildWriteParamsFrame(const PacketId &id, const ParamBlock &params);
// With the 17 bytes as they stand (the write-back of a block read from a card).
// Refused unless exactly 17 bytes are given.
CodecResult<QByteArray> BuildWriteParamsFrame(const PacketId &id, QByteArrayView rawBlock);

QByteArray BuildReadParamsFrame(const PacketId &id);
