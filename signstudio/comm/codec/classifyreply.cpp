#include "signstudio/comm/codec/classifyreply.h"

#include "signstudio/comm/codec/busenvelope.h"
#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/commandcodes.h"

ReplyInfo ClassifyReply(QByteArrayView bytes, bool enveloped)
{
    ReplyInfo r;
    r.Enveloped = enveloped;
    r.FrameOffset = enveloped ? BusEnvelope::FrameOffset : 0;
    const qsizetype payload = r.FrameOffset + CardFrame::PayloadOffset;
    r.Code = ByteAt(bytes, r.FrameOffset + CardFrame::CommandOffset);
    r.FirstPayloadByte = ByteAt(bytes, payload);
    r.ResendMaterial = Le16At(bytes, payload + 1);
    r.ResendPacket = Le16At(bytes, payload + 3);
    if (enveloped) {
        r.Marker = ByteAt(bytes, BusEnvelope::MarkerOffset);
        r.Status = ByteAt(bytes, BusEnvelope::StatusOffset);
        r.WantedSlice = ByteAt(bytes, BusEnvelope::WantedSliceOffset);
        if (r.WantedSlice == 0)
            r.WantedSlice = 1;
    }
    if (r.Code < 0) {
        r.Kind = ReplyKind::Unrecognised;
        return r;
    }

    const qsizetype size = bytes.size();
    switch (r.Code) {
    case RplInnerCode: r.Kind = ReplyKind::InnerCode; break;
    case RplIdentify: r.Kind = ReplyKind::Identify; break;
    case RplMaterialUpload: r.Kind = ReplyKind::MaterialUpload; break;
    case RplHeartbeat: r.Kind = ReplyKind::Heartbeat; break;
    case RplProgramUploadA:
    case RplProgramUploadB: r.Kind = ReplyKind::ProgramUpload; break;
    case RplContentUpload: r.Kind = ReplyKind::ContentUpload; break;
    case RplException: r.Kind = ReplyKind::Exception; break;
    case RplConfirm: r.Kind = ReplyKind::Confirm; break;
    case RplParamsA:
    case RplParamsB:
        if (enveloped ? size > 50 : size > 35)
            r.Kind = ReplyKind::Params;
        else
            r.Kind = ReplyKind::Ignored;
        break;
    case RplParamsWritten:
        if (!enveloped && size > 35)
            r.Kind = ReplyKind::Params;
        else
            r.Kind = ReplyKind::ParamsWritten;
        break;
    default: r.Kind = ReplyKind::Ignored; break;
    }
    return r;
}
