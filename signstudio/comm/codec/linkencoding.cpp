#include "signstudio/comm/codec/linkencoding.h"

#include "signstudio/comm/codec/busenvelope.h"

CodecResult<QByteArray> EncodeForLink(QByteArrayView frame, int linkKind, const InnerCode &code)
{
    if (linkKind != LinkRs485)
        return CodecResult<QByteArray>::Success(frame.toByteArray());
    if (frame.size() > BusEnvelope::SliceSize)
        return CodecResult<QByteArray>::Failure(
            QStringLiteral("frame of %1 bytes does not fit in one bus slice").arg(frame.size()));
    return CodecResult<QByteArray>::Success(BuildEnvelope(code, 1, 1, frame));
}

CodecResult<QByteArray> EncodeForLink(QByteArrayView frame, int linkKind, const QString &innerCodeText)
{
    if (linkKind != LinkRs485)
        return CodecResult<QByteArray>::Success(frame.toByteArray());
    const CodecResult<InnerCode> code = InnerCode::FromText(innerCodeText);
    if (!code)
        return CodecResult<QByteArray>::Failure(code.Error);
    return EncodeForLink(frame, linkKind, code.Value);
}
