#include "virtualcard/cardreplies.h"

#include "signstudio/comm/codec/busenvelope.h"
#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/crc16modbus.h"
#include "signstudio/comm/codec/innercode.h"
#include "signstudio/comm/codec/xorcheck.h"

namespace CardReplies {

namespace {

QByteArray Digits(int value, int width)
{
    return QByteArray::number(qBound(0, value, width == 4 ? 9999 : 99)).rightJustified(width, '0');
}

char Digit(int value) { return char('0' + qBound(0, value, 9)); }

QByteArray Frame(quint8 code, const QByteArray &payload)
{
    return BuildCardFrame(code, NewPacketId(), payload);
}

} // namespace

QByteArray Identity(quint8 code, const CardProfile &p, bool malformed)
{
    // Payload offsets are frame offsets - 17.
    QByteArray payload(40, '0');
    QByteArray inner = p.InnerCode.left(8);
    inner.append(QByteArray(8 - inner.size(), '\0'));
    payload.replace(0, 8, inner);
    payload[8] = ',';
    payload.replace(9, 4, Digits(p.Width, 4));
    payload[13] = ',';
    payload.replace(14, 4, Digits(p.Height, 4));
    payload[18] = ',';
    payload[19] = Digit(p.ColourPlanes);
    payload[20] = ',';
    payload.replace(21, 2, Digits(p.FirmwareVersion, 2));
    payload[33] = Digit(p.FontFigure1);
    payload[34] = Digit(p.FontFigure2);
    payload[35] = char(p.CapabilitiesA);
    payload[36] = char(p.CapabilitiesB);
    payload[39] = Digit(p.PaceDigit);
    QByteArray frame = Frame(code, payload);
    if (malformed) {
        frame[frame.size() - 2] = 0;
        frame[frame.size() - 1] = 0;
    }
    return frame;
}

QByteArray Confirm()
{
    return Frame(0x81, QByteArrayLiteral("1"));
}

QByteArray ResendRequest(int materialNo, int packetNo)
{
    QByteArray payload("3");
    payload.append(char(materialNo & 0xFF));
    payload.append(char((materialNo >> 8) & 0xFF));
    payload.append(char(packetNo & 0xFF));
    payload.append(char((packetNo >> 8) & 0xFF));
    return Frame(0x81, payload);
}

QByteArray Exception()
{
    return Frame(0x34, QByteArray());
}

QByteArray Params(quint8 code, const QByteArray &block)
{
    return Frame(code, block);
}

QByteArray ParamsWritten()
{
    return Frame(0xF1, QByteArray());
}

QByteArray BusReply(const QByteArray &innerCode, const QByteArray &frame, quint8 marker, quint8 status,
                    int wantedSlice)
{
    const CodecResult<InnerCode> code = InnerCode::FromBytes(innerCode);
    QByteArray env = BuildEnvelope(code.Value, 1, 1, frame);
    if (env.size() < BusEnvelope::Overhead)
        return {};
    env[BusEnvelope::MarkerOffset] = char(marker);
    env[BusEnvelope::StatusOffset] = char(status);
    if (wantedSlice >= 0)
        env[BusEnvelope::WantedSliceOffset] = char(wantedSlice & 0xFF);
    const qsizetype crcAt = env.size() - 3;
    env.replace(crcAt, 2, Crc16Modbus(QByteArrayView(env).sliced(1, crcAt - 1)));
    env[env.size() - 1] = char(XorCheck(QByteArrayView(env).sliced(1, env.size() - 2)));
    return env;
}

ClockText ParseClock(const QByteArray &payload)
{
    ClockText c;
    if (payload.size() < 19 || !payload.startsWith("1#") || payload.at(18) != '#')
        return c;
    const QByteArray digits = payload.mid(2, 16);
    for (char ch : digits)
        if (ch < '0' || ch > '9')
            return c;
    const auto n = [&](int at, int len) { return digits.mid(at, len).toInt(); };
    const QDate date(n(0, 4), n(4, 2), n(6, 2));
    const QTime time(n(10, 2), n(12, 2), n(14, 2));
    c.Moment = QDateTime(date, time);
    c.Valid = c.Moment.isValid();
    if (payload.size() >= 23 && payload.at(22) == '#') {
        bool ok = false;
        const int poll = payload.mid(19, 3).toInt(&ok);
        if (ok)
            c.PollTime = poll;
    }
    return c;
}

} // namespace CardReplies
