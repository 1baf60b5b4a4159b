#include "signstudio/comm/codec/splitforbus.h"

#include "signstudio/comm/codec/busenvelope.h"
#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/commandcodes.h"

QList<QByteArray> SliceFrame(QByteArrayView frame, int sliceSize)
{
    QList<QByteArray> slices;
    if (sliceSize <= 0)
        return slices;
    for (qsizetype at = 0; at < frame.size(); at += sliceSize)
        slices.append(frame.sliced(at, qMin<qsizetype>(sliceSize, frame.size() - at)).toByteArray());
    return slices;
}

QList<BusSlice> SplitForBus(QByteArrayView payload, const InnerCode &code)
{
    QList<BusSlice> out;
    int chunkNumber = 0;
    for (qsizetype at = 0; at < payload.size(); at += BusChunkSize) {
        ++chunkNumber;
        const QByteArrayView chunk = payload.sliced(at, qMin<qsizetype>(BusChunkSize, payload.size() - at));
        const PacketId id = NewPacketId();
        const QByteArray frame = BuildCardFrame(CmdProgramData, id, chunk);
        const int count = int((frame.size() + BusEnvelope::SliceSize - 1) / BusEnvelope::SliceSize);
        int number = 0;
        for (qsizetype s = 0; s < frame.size(); s += BusEnvelope::SliceSize) {
            ++number;
            const QByteArrayView slice =
                QByteArrayView(frame).sliced(s, qMin<qsizetype>(BusEnvelope::SliceSize, frame.size() - s));
            out.append(BusSlice{BuildEnvelope(code, count, number, slice), count, number, chunkNumber, id});
        }
    }
    return out;
}
