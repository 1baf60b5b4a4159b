#pragma once

#include "signstudio/comm/codec/innercode.h"
#include "signstudio/comm/codec/packetid.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// One envelope of long program data on the bus, with its slice numbering.
struct BusSlice
{
    QByteArray Envelope;
    int SliceCount = 0;  // M: slices of the frame this one belongs to
    int SliceNumber = 0; // j: 1-based
    int Chunk = 0;       // 1-based number of the 2048-byte chunk
    PacketId Id;         // identifier of the chunk's frame
};

constexpr int BusChunkSize = 2048;

// Cuts a payload into chunks of 2048 bytes, builds one program-data frame
// (command 22, fresh identifier) per chunk, cuts each frame into slices of
// 256 bytes and wraps slice j of M in an envelope. Empty payload: no slices.
QList<BusSlice> SplitForBus(QByteArrayView payload, const InnerCode &code);

// Cuts a frame into pieces of at most sliceSize bytes (the last one shorter).
QList<QByteArray> SliceFrame(QByteArrayView frame, int sliceSize = 256);
