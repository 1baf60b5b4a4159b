#include "signstudio/render/packpixels.h"

#include <cstring>

namespace {

constexpr quint32 kDark = 0x50;

// Bits of 8 RGB32 pixels (0xAARRGGBB), first pixel most significant.
inline void packGroup(const quint32 *p, int planes, char *out)
{
    unsigned r = 0, g = 0, b = 0;
    for (int i = 0; i < 8; ++i) {
        const quint32 v = p[i];
        r = (r << 1) | (((v >> 16) & 0xFF) <= kDark);
        g = (g << 1) | (((v >> 8) & 0xFF) <= kDark);
        b = (b << 1) | ((v & 0xFF) <= kDark);
    }
    out[0] = char(r);
    if (planes > 1)
        out[1] = char(g);
    if (planes > 2)
        out[2] = char(b);
}

} // namespace

int ColourPlanes(int colourCode)
{
    switch (colourCode) {
    case 57: return 2;
    case 58: return 3;
    default: return 1;
    }
}

QByteArray PackPixels(const QImage &image, int planes)
{
    if (image.isNull() || planes < 1 || planes > 3)
        return QByteArray();
    QImage src = image;
    if (src.format() != QImage::Format_RGB32 && src.format() != QImage::Format_ARGB32)
        src = src.convertToFormat(QImage::Format_RGB32);

    const int W = src.width();
    const int H = src.height();
    const qint64 groups = qint64(W) * H / 8;
    QByteArray out(groups * planes, Qt::Uninitialized);
    char *o = out.data();

    if (W % 8 == 0) {
        // Every row starts a new group.
        for (int y = 0; y < H; ++y) {
            const quint32 *line = reinterpret_cast<const quint32 *>(src.constScanLine(y));
            for (int x = 0; x < W; x += 8, o += planes)
                packGroup(line + x, planes, o);
        }
        return out;
    }

    // Groups cross row ends: gather 8 pixels at a time through a buffer.
    quint32 buf[8];
    int filled = 0;
    for (int y = 0; y < H; ++y) {
        const quint32 *line = reinterpret_cast<const quint32 *>(src.constScanLine(y));
        int x = 0;
        while (x < W) {
            if (filled == 0 && W - x >= 8) {
                packGroup(line + x, planes, o);
                o += planes;
                x += 8;
                continue;
            }
            buf[filled++] = line[x++];
            if (filled == 8) {
                packGroup(buf, planes, o);
                o += planes;
                filled = 0;
            }
        }
    }
    return out;
}

QImage FitToRegion(const QImage &picture, int W, int H)
{
    if (W < 1 || H < 1)
        return QImage();
    if (picture.width() == W && picture.height() == H
        && picture.format() == QImage::Format_RGB32)
        return picture;
    QImage out(W, H, QImage::Format_RGB32);
    out.fill(0xFF000000u);
    if (picture.isNull())
        return out;
    QImage src = picture.format() == QImage::Format_RGB32
                     ? picture
                     : picture.convertToFormat(QImage::Format_RGB32);
    const int w = qMin(W, src.width());
    const int h = qMin(H, src.height());
    for (int y = 0; y < h; ++y)
        memcpy(out.scanLine(y), src.constScanLine(y), size_t(w) * 4);
    return out;
}
