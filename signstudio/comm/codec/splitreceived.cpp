#include "signstudio/comm/codec/splitreceived.h"

#include "signstudio/comm/codec/busenvelope.h"
#include "signstudio/comm/codec/cardframe.h"

namespace {

bool EnvelopeStartsAt(QByteArrayView read, qsizetype at)
{
    if (at < 0 || read.size() - at < 6)
        return false;
    const quint8 marker = quint8(read[at + BusEnvelope::MarkerOffset]);
    return quint8(read[at]) == 0xFE
           && (marker == BusEnvelope::MarkerAck || marker == BusEnvelope::MarkerFinished);
}

// Size of the envelope at at, 0 when it does not fit in the read.
qsizetype EnvelopeSizeAt(QByteArrayView read, qsizetype at)
{
    const qsizetype size = ((quint8(read[at + 2]) << 8) | quint8(read[at + 3])) + 2;
    if (size < BusEnvelope::Overhead || size > read.size() - at)
        return 0;
    return size;
}

} // namespace

QList<QByteArray> SplitTcpRead(QByteArrayView read)
{
    QList<QByteArray> frames;
    if (read.size() > MaxTcpRead)
        return frames;
    const QByteArrayView header(CardFrame::Header);
    qsizetype start = read.indexOf(header);
    while (start >= 0) {
        const qsizetype next = read.indexOf(header, start + 1);
        const qsizetype end = next < 0 ? read.size() : next;
        frames.append(read.sliced(start, end - start).toByteArray());
        start = next;
    }
    return frames;
}

SerialPieces SplitSerialRead(QByteArrayView read)
{
    SerialPieces out;
    read = read.first(qMin<qsizetype>(read.size(), MaxSerialRead));
    if (HasCardFrameHeader(read)) {
        out.Type = SerialPieces::BareFrame;
        out.Pieces.append(read.toByteArray());
        return out;
    }
    if (!EnvelopeStartsAt(read, 0))
        return out;
    const qsizetype first = EnvelopeSizeAt(read, 0);
    if (first == 0)
        return out;
    out.Type = SerialPieces::Envelopes;
    out.Pieces.append(read.first(first).toByteArray());
    if (EnvelopeStartsAt(read, first)) {
        const qsizetype second = EnvelopeSizeAt(read, first);
        if (second > 0)
            out.Pieces.append(read.sliced(first, second).toByteArray());
    }
    return out;
}
