#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>

// Cuts a byte stream (serial line or TCP connection) into whole frames:
// bare frames (FE 5C 4B 89, 32-bit length at 4) and bus envelopes (FE 98,
// 16-bit big-endian length at 2). Bytes before a header are dropped; an
// impossible length or a part frame that stays incomplete for over a second
// makes it skip one byte and look again, so garbage never blocks the line.
class StreamAssembler
{
public:
    struct Piece
    {
        QByteArray Bytes;
        bool Envelope = false;
    };

    static constexpr qsizetype MaxFrame = 16384;

    // Appends bytes and returns every piece completed by them.
    QList<Piece> Feed(const QByteArray &bytes);
    void Clear();
    qsizetype Pending() const { return m_buffer.size(); }
    qsizetype DroppedBytes() const { return m_dropped; }

    // Milliseconds a part frame may wait for its remaining bytes.
    void SetStallLimit(int ms) { m_stallLimitMs = ms; }

private:
    QByteArray m_buffer;
    QElapsedTimer m_partSince;
    qsizetype m_dropped = 0;
    int m_stallLimitMs = 1000;
};
