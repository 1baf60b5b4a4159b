#include "signstudio/render/layoutfonts.h"

#include "signstudio/render/fontcatalogue.h"
#include "signstudio/render/textlayout.h"

namespace {

// The string drawing places text a little right of the point it is given,
// by the amount the rich layout's x correction takes back for the usual
// sizes; for the other sizes one sixth of the em height.
int drawPaddingFor(int pointSize)
{
    if (pointSize >= 8 && pointSize <= 72 && (pointSize < 26 || pointSize > 28))
        return DrawStringXCorrection(pointSize);
    return (FontCatalogue::PixelSizeForPoints(pointSize) + 3) / 6;
}

} // namespace

LayoutFont::LayoutFont(const QFont &f)
    : font(f), metrics(f)
{
    ascent = metrics.ascent();
    charHeight = LayoutCharHeight(metrics.height());
}

const LayoutFont &LayoutFonts::get(const QString &face, int pointSize, int styleFlags)
{
    const QString key = face + QLatin1Char('\x1f') + QString::number(pointSize) + QLatin1Char('\x1f')
                        + QString::number(styleFlags);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return *it->second;
    auto lf = std::make_unique<LayoutFont>(FontCatalogue::CardFont(face, pointSize, styleFlags));
    lf->drawPadding = drawPaddingFor(pointSize);
    const LayoutFont &ref = *lf;
    m_fonts.emplace(key, std::move(lf));
    return ref;
}
