#include "signstudio/comm/codec/paramreply.h"

#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/commandcodes.h"

CodecResult<ParamReply> ParseParamBlock(QByteArrayView bytes, qsizetype offset)
{
    using R = CodecResult<ParamReply>;
    const qsizetype at = offset + CardFrame::PayloadOffset;
    if (offset < 0 || bytes.size() - at < ParamBlock::Size)
        return R::Failure(QStringLiteral("parameters reply too short"));
    ParamReply r;
    r.Raw = bytes.sliced(at, ParamBlock::Size).toByteArray();
    r.Block = ParamBlock::Decode(r.Raw).Value;
    return R::Success(r);
}

QByteArray BuildParamWriteBackFrame(const PacketId &id, const ParamReply &reply)
{
    return BuildCardFrame(CmdWriteParams, id, ParamBlock::WriteBackBytes(reply.Raw));
}
