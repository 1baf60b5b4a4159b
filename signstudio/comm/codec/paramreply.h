#pragma once

#include "common/udp/codecresult.h"
#include "common/udp/paramblock.h"
#include "signstudio/comm/codec/packetid.h"

#include <QByteArray>
#include <QByteArrayView>

// A parameters reply: the block at payload byte 0 of the frame at offset
// (0 for a bare frame, 18 for a frame inside an envelope).
struct ParamReply
{
    ParamBlock Block;
    QByteArray Raw; // the 17 bytes as received

    bool NeedsWriteBack() const { return ParamBlock::NeedsWriteBack(Raw); }
};

CodecResult<ParamReply> ParseParamBlock(QByteArrayView bytes, qsizetype offset = 0);

// The bare write-parameters frame that corrects a card reporting an interface
// other than serial: the bytes as read, byte 11 set to 22 and the high
// nibble of byte 9 cleared.
QByteArray BuildParamWriteBackFrame(const PacketId &id, const ParamReply &reply);
