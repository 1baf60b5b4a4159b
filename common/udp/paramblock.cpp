#include "common/udp/paramblock.h"

namespace {

quint8 Nibble(int v)
{
    return quint8(v) & 0x0F;
}

quint8 Pack(int high, int low)
{
    return quint8((Nibble(high) << 4) | Nibble(low));
}

} // namespace

quint8 ParamBlock::ScanModeCode(int position)
{
    if (position <= 0)
        return 0x01;
    if (position == 1)
        return 0x10;
    if (position <= 11)
        return quint8(position);
    return quint8(position + 8);
}

int ParamBlock::ScanModePosition(quint8 code)
{
    if (code == 0x01)
        return 0;
    if (code == 0x10)
        return 1;
    if (code > 0x13)
        return code - 8;
    return code;
}

quint8 ParamBlock::RowOrderCode(int position)
{
    if (position == RowOrderItems - 1)
        return 14;
    if (position == RowOrderItems - 2)
        return 15;
    return Nibble(position);
}

int ParamBlock::RowOrderPosition(int nibble)
{
    if (nibble == 14)
        return RowOrderItems - 1;
    if (nibble == 15)
        return RowOrderItems - 2;
    return nibble;
}

int ParamBlock::SignStudioInterfacePosition(quint8 code)
{
    if (code == InterfaceNetworkClient)
        return 0;
    if (code == InterfaceSerial)
        return 1;
    return -1;
}

int ParamBlock::CardSetupInterfacePosition(quint8 code)
{
    switch (code) {
    case InterfaceNetworkClient: return 0;
    case InterfaceNetworkServer: return 1;
    case InterfaceSerial: return 2;
    default: return -1;
    }
}

quint8 ParamBlock::CardSetupInterfaceCode(int position)
{
    switch (position) {
    case 1: return InterfaceNetworkServer;
    case 2: return InterfaceSerial;
    default: return InterfaceNetworkClient;
    }
}

QByteArray ParamBlock::Encode() const
{
    static const quint8 conversionCodes[] = {0x00, 0x22, 0x33, 0x44};
    QByteArray b(Size, '\0');
    b[0] = char(ScanModeCode(ScanMode));
    b[1] = char(OeSignal + 1);
    b[2] = char(Width >> 8);
    b[3] = char(Width & 0xFF);
    b[4] = char(Height >> 8);
    b[5] = char(Height & 0xFF);
    b[6] = char(Colour + 1);
    b[7] = char(DayBrightness);
    b[8] = char(NightBrightness);
    b[9] = char(Nibble(DataPolarity));
    b[10] = char(Rs485Address + 1);
    b[11] = char(Interface);
    b[12] = char(BaudRate >= 0 && BaudRate <= 4 ? BaudRate * 0x11 : 0);
    b[13] = char(NetSpeed == 1 ? 0x22 : 0x00);
    b[14] = char(Conversion >= 0 && Conversion <= 3 ? conversionCodes[Conversion] : 0);
    b[15] = char(Pack(ClockFrequency, DisplayContent));
    b[16] = char((Nibble(EmptyDisplay) << 4) | RowOrderCode(RowOrder));
    return b;
}

CodecResult<ParamBlock> ParamBlock::Decode(QByteArrayView bytes, qsizetype at)
{
    if (at < 0 || bytes.size() - at < Size)
        return CodecResult<ParamBlock>::Failure(QStringLiteral("parameter block: fewer than 17 bytes"));
    auto byte = [&](int i) { return quint8(bytes[at + i]); };

    ParamBlock p;
    p.ScanMode = ScanModePosition(byte(0));
    p.OeSignal = byte(1) - 1;
    p.Width = quint16((byte(2) << 8) | byte(3));
    p.Height = quint16((byte(4) << 8) | byte(5));
    p.Colour = byte(6) - 1;
    p.DayBrightness = byte(7);
    p.NightBrightness = byte(8);
    p.DataPolarity = (byte(9) & 0x0F) == 1 ? 1 : 0;
    p.Rs485Address = (byte(10) >= 1 && byte(10) <= 99) ? byte(10) - 1 : 0;
    p.Interface = byte(11);
    switch (byte(12)) {
    case 0x11: p.BaudRate = 1; break;
    case 0x22: p.BaudRate = 2; break;
    case 0x33: p.BaudRate = 3; break;
    case 0x44: p.BaudRate = 4; break;
    default: p.BaudRate = 0; break;
    }
    p.NetSpeed = byte(13) == 0x22 ? 1 : 0;
    switch (byte(14)) {
    case 0x22: p.Conversion = 1; break;
    case 0x33: p.Conversion = 2; break;
    case 0x44: p.Conversion = 3; break;
    default: p.Conversion = 0; break;
    }
    p.ClockFrequency = byte(15) >> 4;
    p.DisplayContent = byte(15) & 0x0F;
    p.EmptyDisplay = byte(16) >> 4;
    p.RowOrder = RowOrderPosition(byte(16) & 0x0F);
    return CodecResult<ParamBlock>::Success(p);
}

bool ParamBlock::NeedsWriteBack(QByteArrayView raw)
{
    return raw.size() >= Size && quint8(raw[11]) != InterfaceSerial;
}

QByteArray ParamBlock::WriteBackBytes(QByteArrayView raw)
{
    QByteArray b = raw.first(qMin<qsizetype>(raw.size(), Size)).toByteArray();
    if (b.size() < Size)
        return QByteArray();
    b[11] = char(InterfaceSerial);
    b[9] = char(quint8(b[9]) & 0x0F);
    return b;
}
