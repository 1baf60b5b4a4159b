#include "signstudio/render/convertforsend.h"

#include "signstudio/lang/langtext.h"
#include "signstudio/render/contentframes.h"
#include "signstudio/render/packpixels.h"
#include "signstudio/render/textlayout.h"

#include <QFileInfo>
#include <QImageReader>

#include <functional>

namespace {

constexpr int kMaxPackets = 0xFFFF; // packet numbers and counts travel as 16 bits

ConvertResult fail(TFodder &m, const QString &error, const QString &file = QString())
{
    m.CardData.clear();
    m.CardDataLen = 0;
    m.DataPacketCount = 0;
    ConvertResult r;
    r.Error = error;
    r.FileName = file;
    return r;
}

// Hands every frame of a picture (first frame only) or animation (all
// frames, in time order) to take; false with the reader's error when no
// frame can be read.
bool readFrames(const QString &fileName, bool allFrames, const std::function<void(const QImage &)> &take,
                int *count, QString *error)
{
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    *count = 0;
    while (*count <= kMaxPackets) {
        const QImage frame = reader.read();
        if (frame.isNull())
            break;
        take(frame);
        ++*count;
        if (!allFrames || !reader.supportsAnimation())
            break;
    }
    if (*count == 0) {
        *error = reader.errorString();
        return false;
    }
    return true;
}

} // namespace

QString ConvertStatusText(const QString &cardName)
{
    return QLatin1Char('[') + cardName + QLatin1Char(']')
           + LangText(3, QStringLiteral("tip_transform_send_content"));
}

ConvertResult ConvertForSend(TFodder &m, int W, int H, int colourCode)
{
    const int t = m.TypeCode;
    if ((t == '7' || t == ';' || t == '<' || t == '=') && m.Content.isEmpty())
        return fail(m, QStringLiteral("empty content"));

    m.CardData.clear();
    m.CardDataLen = 0;
    m.DataPacketCount = 0;
    const int planes = ColourPlanes(colourCode);
    const bool pageKind = m.Kind == 0 || m.Kind == 1 || m.Kind == 2 || m.Kind == 3 || m.Kind == 11;
    if (pageKind && (W < 1 || H < 1))
        return fail(m, QStringLiteral("region has no pixels"));

    QByteArray data;
    int pages = 0;
    auto addPage = [&](const QImage &page) {
        data.append(PackPixels(FitToRegion(page, W, H), planes));
        ++pages;
    };

    switch (m.Kind) {
    case 0:
    case 1: {
        const LayoutChoice choice = ChooseLayout(m.Kind, m.DisplayMode, m.StayTime);
        bool overflow = false;
        LayoutRichText(m.Content, choice.MultiLine, choice.RichKind, false, m.YAxisPos, m.VerAlign,
                       m.RowSpan, H, W, [&](int, const QImage &page) { addPage(page); }, &overflow);
        if (overflow)
            return fail(m, QStringLiteral("text needs more than %1 pages").arg(MaxLayoutPages));
        if (pages == 0)
            return fail(m, QStringLiteral("empty text"));
        break;
    }
    case 2:
    case 3: {
        if (m.PictureFiles.isEmpty())
            return fail(m, QStringLiteral("no pictures"));
        for (const TFileInfo &f : m.PictureFiles) {
            int count = 0;
            QString error;
            if (!readFrames(f.FileName, false, addPage, &count, &error))
                return fail(m, QStringLiteral("cannot read picture: %1").arg(error), f.FileName);
        }
        break;
    }
    case 11: {
        if (!QFileInfo(m.Content).isFile())
            return fail(m, QStringLiteral("animation file not found"), m.Content);
        int count = 0;
        QString error;
        if (!readFrames(m.Content, true, addPage, &count, &error))
            return fail(m, QStringLiteral("animation has no frames: %1").arg(error), m.Content);
        if (count > kMaxPackets)
            return fail(m, QStringLiteral("animation has too many frames"), m.Content);
        break;
    }
    default:
        if (t == '7')
            m.DataPacketCount = InnerTextPacketCount(m.Content);
        if (m.DataPacketCount > kMaxPackets)
            return fail(m, QStringLiteral("inner-code text too long"));
        return ConvertResult{true, QString(), QString()};
    }

    const int packets = PicturePacketCount(data.size());
    if (packets > kMaxPackets || pages > kMaxPackets)
        return fail(m, QStringLiteral("too much picture data for one material"));
    m.CardData = data;
    m.CardDataLen = int(data.size());
    m.PageCount = pages;
    m.DataPacketCount = packets;
    return ConvertResult{true, QString(), QString()};
}
