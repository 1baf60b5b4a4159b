#include "signstudio/comm/codec/cardidentity.h"

#include "signstudio/comm/codec/cardframe.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Decimal number of count ASCII digits at i, -1 when any is not a digit.
int DigitsAt(QByteArrayView bytes, qsizetype i, int count)
{
    int v = 0;
    for (int k = 0; k < count; ++k) {
        const char c = bytes[i + k];
        if (!IsDigit(c))
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

int DigitOr(QByteArrayView bytes, qsizetype i, int fallback)
{
    return IsDigit(bytes[i]) ? bytes[i] - '0' : fallback;
}

} // namespace

CodecResult<CardIdentity> ParseCardIdentity(QByteArrayView bytes, qsizetype offset)
{
    using R = CodecResult<CardIdentity>;
    if (offset < 0 || bytes.size() - offset < CardIdentity::MinFrameSize)
        return R::Failure(QStringLiteral("identity frame too short (%1 bytes)").arg(bytes.size() - offset));
    const QByteArrayView f = bytes.sliced(offset);

    CardIdentity id;
    id.Command = quint8(f[CardFrame::CommandOffset]);
    id.Code = InnerCode::FromBytes(f, 17).Value;
    id.Width = DigitsAt(f, 26, 4);
    id.Height = DigitsAt(f, 31, 4);
    if (id.Width < 0 || id.Height < 0)
        return R::Failure(QStringLiteral("identity: width or height is not a number"));
    if (!IsDigit(f[36]))
        return R::Failure(QStringLiteral("identity: colour is not a digit"));
    id.ColourDigit = f[36] - '0';
    id.ColourCode = id.ColourDigit == 1 ? 56 : id.ColourDigit == 2 ? 57 : 58;
    id.Version = DigitsAt(f, 38, 2);
    id.VersionValid = id.Version >= 0;
    id.FontFigure1 = DigitOr(f, 50, 5);
    id.FontFigure2 = DigitOr(f, 51, 8);
    const quint8 a = quint8(f[52]);
    const quint8 b = quint8(f[53]);
    for (int k = 0; k < 5; ++k) {
        id.Capabilities[k] = (a >> (4 - k)) & 1;
        id.Capabilities[5 + k] = (b >> (4 - k)) & 1;
    }
    id.PaceDigit = DigitOr(f, 56, 1);
    id.TrailerOk = EndsWithTrailer(f);
    return R::Success(id);
}
