#include "signstudio/comm/codec/commandframes.h"

#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/commandcodes.h"
#include "signstudio/comm/codec/substituteschedules.h"

namespace {

QByteArray Digits(int value, int width)
{
    return QByteArray::number(value).rightJustified(width, '0', true);
}

QByteArray ClockDigits(const QDateTime &t)
{
    const QDate d = t.date();
    const QTime tm = t.time();
    return Digits(d.year(), 4) + Digits(d.month(), 2) + Digits(d.day(), 2)
           + Digits(d.dayOfWeek() % 7, 2) + Digits(tm.hour(), 2) + Digits(tm.minute(), 2)
           + Digits(tm.second(), 2);
}

} // namespace

CodecResult<QByteArray> BuildProgramDataFrame(const PacketId &id, QByteArrayView programText,
                                              QByteArrayView schedules)
{
    if (programText.size() + CardFrame::Overhead > MaxProgramFrame)
        return CodecResult<QByteArray>::Failure(
            QStringLiteral("program data frame of %1 bytes exceeds %2 bytes")
                .arg(programText.size() + CardFrame::Overhead)
                .arg(MaxProgramFrame));
    return CodecResult<QByteArray>::Success(
        BuildCardFrame(CmdProgramData, id, SubstituteSchedules(programText, schedules)));
}

CodecResult<QByteArray> BuildPlainTextProgramFrame(const PacketId &id, QByteArrayView text)
{
    if (text.size() + CardFrame::Overhead > MaxPlainTextProgramFrame)
        return CodecResult<QByteArray>::Failure(
            QStringLiteral("program text frame of %1 bytes exceeds %2 bytes")
                .arg(text.size() + CardFrame::Overhead)
                .arg(MaxPlainTextProgramFrame));
    return CodecResult<QByteArray>::Success(BuildCardFrame(CmdProgramData, id, text));
}

QByteArray BuildContentItemFrame(const PacketId &id, QByteArrayView payload)
{
    return BuildCardFrame(CmdContentItem, id, payload);
}

QByteArray BuildStartPlayFrame(const PacketId &id)
{
    return BuildCardFrame(CmdStartPlay, id, {});
}

QByteArray BuildStopPlayFrame(const PacketId &id)
{
    return BuildCardFrame(CmdStopPlay, id, {});
}

QByteArray SerialClockPayload(const QDateTime &localTime)
{
    return "1#" + ClockDigits(localTime) + "#";
}

QByteArray NetworkClockPayload(const QDateTime &localTime, int pollTime)
{
    return SerialClockPayload(localTime) + Digits(qBound(30, pollTime, 999), 3) + "#";
}

QByteArray BuildSerialClockFrame(const PacketId &id, const QDateTime &localTime)
{
    return BuildCardFrame(CmdSetClock, id, SerialClockPayload(localTime));
}

QByteArray BuildNetworkClockFrame(const PacketId &id, const QDateTime &localTime, int pollTime)
{
    return BuildCardFrame(CmdSetClock, id, NetworkClockPayload(localTime, pollTime));
}

QByteArray BuildIdentifyFrame()
{
    return BuildCardFrame(CmdIdentify, PacketId::Identify(), {});
}

QByteArray BuildIdentifyFrame(const PacketId &id)
{
    return BuildCardFrame(CmdIdentify, id, {});
}

QByteArray BuildWriteParamsFrame(const PacketId &id, const ParamBlock &params)
{
    return BuildCardFrame(CmdWriteParams, id, params.Encode());
}

CodecResult<QByteArray> BuildWriteParamsFrame(const PacketId &id, QByteArrayView rawBlock)
{
    if (rawBlock.size() != ParamBlock::Size)
        return CodecResult<QByteArray>::Failure(QStringLiteral("parameter block must be 17 bytes"));
    return CodecResult<QByteArray>::Success(BuildCardFrame(CmdWriteParams, id, rawBlock));
}

QByteArray BuildReadParamsFrame(const PacketId &id)
{
    return BuildCardFrame(CmdReadParams, id, {});
}
