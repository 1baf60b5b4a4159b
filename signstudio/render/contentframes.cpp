#include "signstudio/render/contentframes.h"

#include "common/base/codepage.h"
#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/crc16modbus.h"
#include "signstudio/comm/codec/packetid.h"
#include "signstudio/model/cardlist.h"
#include "signstudio/render/timetext.h"

namespace {

const QByteArray kValidity = QByteArrayLiteral("010101991231");

void le16(QByteArray &b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void le32(QByteArray &b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

char nibbles(int high, int low)
{
    return char(((high & 0x0F) << 4) | (low & 0x0F));
}

char colourDigit(int colourCode)
{
    switch (colourCode) {
    case 57: return '2';
    case 58: return '3';
    default: return '1';
    }
}

void appendRecords(QList<rSendFdrContent> &out, const QByteArray &frame, const TFodder &m,
                   int packetNo, bool slice)
{
    if (!slice) {
        rSendFdrContent r;
        r.MaterialNo = m.MaterialNo;
        r.ItemValue = m.DataPacketCount;
        r.PacketNo = packetNo;
        r.PacketCount = 1;
        r.PacketIndex = 1;
        r.TypeCode = m.TypeCode;
        r.Length = int(frame.size());
        r.Data = frame;
        out.append(r);
        return;
    }
    const int count = int((frame.size() + ContentSliceSize - 1) / ContentSliceSize);
    for (int i = 0; i < count; ++i) {
        rSendFdrContent r;
        r.MaterialNo = m.MaterialNo;
        r.ItemValue = m.DataPacketCount;
        r.PacketNo = packetNo;
        r.PacketCount = count;
        r.PacketIndex = i + 1;
        r.TypeCode = m.TypeCode;
        r.Data = frame.mid(qsizetype(i) * ContentSliceSize, ContentSliceSize);
        r.Length = int(r.Data.size());
        out.append(r);
    }
}

QByteArray contentFrame(const QByteArray &payload, BuildResult &result)
{
    const PacketId id = NewPacketId();
    result.LastPacketId = id.Text;
    return BuildCardFrame(CmdContentItemCode, id, payload);
}

} // namespace

int PicturePacketCount(qint64 cardDataLen)
{
    return cardDataLen <= 0 ? 0 : int((cardDataLen + PicturePacketSize - 1) / PicturePacketSize);
}

int InnerTextPacketCount(const QString &text)
{
    return int((text.size() + InnerTextPieceSize - 1) / InnerTextPieceSize);
}

bool IsParameterType(int t)
{
    return t == '0' || t == '1' || t == '3' || t == '4' || t == '5' || t == '6';
}

bool IsInnerTextType(int t)
{
    return t == '7';
}

bool IsPictureType(int t)
{
    return t >= '8' && t <= '=';
}

QByteArray ContentHeader(const TFodder &m, bool firstPacket, int colourCode, int pageCount)
{
    const bool inner = IsInnerTextType(m.TypeCode);
    QByteArray h = CodePage::Encode(m.FodderUID);
    h.append(',');
    h.append(char(m.DisplayMode & 0xFF));
    h.append(char(m.DisplaySpeed & 0xFF));
    h.append(char(m.StayTime & 0xFF));
    h.append(kValidity);
    h.append(char(inner ? 0x13 : 0x0E));
    h.append(3, '\0');
    h.append(char(0x55));
    h.append(char(0xAA));
    h.append(2, '\0');
    h.append(char(m.TypeCode & 0xFF));
    h.append(char(m.ExtraByte1 & 0xFF));
    h.append(char(m.ExtraByte2 & 0xFF));
    h.append(firstPacket ? '1' : '2');
    h.append(colourDigit(colourCode));
    h.append('1');
    if (inner) {
        h.append(2, '\0');
    } else {
        le16(h, pageCount);
        h.append(2, '\0');
    }
    return h;
}

QByteArray ContentBlock(const QByteArray &bytes, int materialNo, int packetCount, int packetNo,
                        bool dataBlock)
{
    QByteArray b;
    b.reserve(bytes.size() + 14);
    le32(b, quint32(bytes.size() + 10));
    b.append(bytes);
    b.append(char(0xFF));
    b.append('\0');
    le16(b, materialNo);
    le16(b, packetCount);
    le16(b, packetNo);
    // CRC over the trailer (and the last data byte, or all parameters).
    const qsizetype trailerStart = b.size() - 8;
    qsizetype from = 4;
    if (dataBlock)
        from = bytes.isEmpty() ? trailerStart : trailerStart - 1;
    const quint16 crc = Crc16ModbusValue(QByteArrayView(b.constData() + from, b.size() - from));
    b.append(char(crc >> 8));
    b.append(char(crc & 0xFF));
    return b;
}

QByteArray ParameterBytes(const TFodder &m)
{
    QByteArray p;
    const char colours = nibbles(m.DigitColor, m.CharColor);
    const char font = nibbles(m.FontCode, m.FontSizeCode);
    switch (m.TypeCode) {
    case '0':
        p.fill('\0', 7);
        break;
    case '1':
        p.append(char(m.FormatCode));
        p.append(char(m.FormatCode2));
        p.append(char(((m.OptionCode & 1) << 7) | (m.Number1 & 0x7F)));
        p.append(char(((m.OptionCode & 1) << 7) | (m.Number2 & 0x7F)));
        p.append(colours);
        p.append(font);
        p.append(char(m.VerAlign & 0x0F));
        break;
    case '3':
    case '4': {
        QDateTime t;
        if (m.Content.trimmed().isEmpty() || !TryParseMoment(m.Content, &t))
            t = TimeTextNow();
        p.append(char(m.FormatCode));
        p.append(char(m.FormatCode2));
        p.append(char(m.OptionCode));
        p.append('\0');
        p.append(colours);
        p.append(font);
        p.append('\0');
        p.append(char(t.time().second()));
        p.append(char(t.time().minute()));
        p.append(char(t.time().hour()));
        p.append(char(t.date().dayOfWeek() % 7));
        p.append(char(t.date().day()));
        p.append(char(t.date().month()));
        p.append(char(t.date().year() % 100));
        break;
    }
    case '5':
        p.append(char(m.FormatCode2));
        p.append(font);
        p.append(char(m.DisplaySpeed));
        p.append(char(m.CharColor));
        p.append(4, '\0');
        break;
    case '6': {
        p.append(char(m.FormatCode2));
        p.append(char(m.FormatCode));
        p.append(char(m.OptionCode));
        p.append(char(((m.Number2 & 7) << 4) | ((m.Number1 & 7) << 1) | 1));
        p.append(colours);
        p.append(font);
        p.append('\0');
        // At most 10 bytes; a double-byte character is never cut in half.
        QByteArray c = CodePage::Encode(CodePage::CutToBytes(m.Content.trimmed(), 10));
        c.append(10 - c.size(), '\0');
        p.append(c);
        break;
    }
    default:
        break;
    }
    return p;
}

QByteArray RemoteTextPayload(const TFodder &m, const QByteArray &cardText)
{
    QByteArray p = CodePage::Encode(m.FodderUID);
    p.append(',');
    p.append(char(m.DisplayMode & 0xFF));
    p.append(char(m.DisplaySpeed & 0xFF));
    p.append(char(m.StayTime & 0xFF));
    p.append(kValidity);
    p.append(QByteArrayLiteral("\x03\x00\x00\x00"));
    p.append("all");
    le32(p, quint32(cardText.size() + 1));
    p.append(';');
    p.append(cardText);
    if (m.IsLastMaterial)
        p.append(ContentEndMark);
    return p;
}

BuildResult BuildContentFrames(const TFodder &m, bool sliced, int colourCode, int H, int W,
                               QList<rSendFdrContent> &queue, const RemoteTextFormatter &formatter)
{
    BuildResult result;
    QList<rSendFdrContent> out;
    const int t = m.TypeCode;

    if (t >= 0 && t <= 15) {
        const QString text = formatter ? formatter(t, m.Content) : m.Content;
        // The card takes a remote text frame of at most 4096 bytes.
        const QByteArray cardText = CodePage::Encode(text);
        const QByteArray payload = RemoteTextPayload(m, cardText);
        if (payload.size() + CardFrame::Overhead > 4096) {
            result.Error = QStringLiteral("remote text item too long for one frame");
            return result;
        }
        appendRecords(out, contentFrame(payload, result), m, 1, false);
    } else if (IsParameterType(t)) {
        QByteArray payload = ContentHeader(m, true, colourCode, 1);
        payload.append(ContentBlock(ParameterBytes(m), m.MaterialNo, 1, 1, false));
        if (m.IsLastMaterial)
            payload.append(ContentEndMark);
        appendRecords(out, contentFrame(payload, result), m, 1, false);
    } else if (IsInnerTextType(t)) {
        const int packets = InnerTextPacketCount(m.Content);
        if (packets == 0) {
            result.Error = QStringLiteral("empty inner-code text");
            return result;
        }
        for (int k = 1; k <= packets; ++k) {
            const QString piece = m.Content.mid(qsizetype(k - 1) * InnerTextPieceSize, InnerTextPieceSize);
            QByteArray payload = ContentHeader(m, k == 1, colourCode, 0);
            le16(payload, W / 8);
            le16(payload, H);
            payload.append(char(m.CharColor));
            payload.append(nibbles(m.FontCode, m.FontSizeCode));
            payload.append('\0');
            payload.append(ContentBlock(CodePage::Encode(piece), m.MaterialNo, packets, k, true));
            if (m.IsLastMaterial && k == packets)
                payload.append(ContentEndMark);
            appendRecords(out, contentFrame(payload, result), m, k, sliced);
        }
    } else if (IsPictureType(t)) {
        const qint64 len = qMin<qint64>(m.CardDataLen, m.CardData.size());
        const int packets = PicturePacketCount(len);
        if (packets == 0) {
            result.Error = QStringLiteral("no card data");
            return result;
        }
        for (int k = 1; k <= packets; ++k) {
            const qint64 from = qint64(k - 1) * PicturePacketSize;
            const QByteArray data = m.CardData.mid(from, qMin<qint64>(PicturePacketSize, len - from));
            QByteArray payload = ContentHeader(m, k == 1, colourCode, m.PageCount);
            payload.append(ContentBlock(data, m.MaterialNo, packets, k, true));
            if (m.IsLastMaterial && k == packets)
                payload.append(ContentEndMark);
            appendRecords(out, contentFrame(payload, result), m, k, sliced);
        }
    } else {
        result.Error = QStringLiteral("unknown type code %1").arg(t);
        return result;
    }
    result.Ok = true;
    result.Frames = int(out.size());
    queue.append(out);
    return result;
}

BuildResult BuildContentFrames(const TFodder &material, bool sliced, TCardList &cards, int cardIndex,
                               int H, int W, const RemoteTextFormatter &formatter)
{
    TFIXModem *card = cards.At(cardIndex);
    if (!card) {
        BuildResult r;
        r.Error = QStringLiteral("no card at index %1").arg(cardIndex);
        return r;
    }
    const BuildResult r = BuildContentFrames(material, sliced, card->ColourCode, H, W,
                                             card->ContentQueue, formatter);
    if (r.Ok)
        card->LastPacketId = r.LastPacketId;
    return r;
}
