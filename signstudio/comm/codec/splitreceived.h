#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Cutting received bytes into frames and envelopes. Nothing here checks a
// CRC or compares a frame's length field with the bytes received.

constexpr int MaxTcpRead = 6143;
constexpr int MaxSerialRead = 3000;

// One TCP read: bytes before the first header FE 5C 4B 89 are dropped; the
// rest is cut at every occurrence of the header, each frame running to the
// next header or to the end. No header, or a read longer than 6143 bytes
// (thrown away whole): no frames.
QList<QByteArray> SplitTcpRead(QByteArrayView read);

struct SerialPieces
{
    enum Kind { Nothing, BareFrame, Envelopes };
    Kind Type = Nothing;
    // One bare frame (the whole read), or one or two envelopes to handle
    // one after the other, 30 ms apart.
    QList<QByteArray> Pieces;
};

constexpr int SecondEnvelopeDelayMs = 30;

// One serial read (at most 3000 bytes are looked at): a read starting with
// the frame header is one bare frame; one starting FE with 54 or 55 at byte 5
// is an envelope of BE16(bytes 2-3) + 2 bytes, possibly followed by a second
// one of the same form; a third is ignored. An envelope whose length runs
// past the read, or is shorter than an empty envelope, is dropped.
SerialPieces SplitSerialRead(QByteArrayView read);
