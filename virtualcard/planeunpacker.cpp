#include "virtualcard/planeunpacker.h"

namespace PlaneUnpacker {

namespace {
constexpr int MaxSide = 8192;
}

qsizetype PageBytes(int width, int height, int planes)
{
    if (width <= 0 || height <= 0 || planes < 1 || planes > 3)
        return 0;
    return qsizetype(width) * height / 8 * planes;
}

QImage UnpackPage(const QByteArray &data, qsizetype offset, int width, int height, int planes)
{
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide || planes < 1 || planes > 3)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    const qsizetype groups = qsizetype(width) * height / 8;
    for (qsizetype g = 0; g < groups; ++g) {
        const qsizetype at = offset + g * planes;
        if (at < 0 || at + planes > data.size())
            break;
        int bytes[3] = {0xFF, 0xFF, 0xFF};
        for (int p = 0; p < planes; ++p)
            bytes[p] = quint8(data.at(at + p));
        for (int bit = 0; bit < 8; ++bit) {
            const qsizetype index = g * 8 + bit;
            const int mask = 0x80 >> bit;
            const int r = (bytes[0] & mask) ? 0 : 255;
            const int gr = (planes >= 2 && !(bytes[1] & mask)) ? 255 : 0;
            const int b = (planes >= 3 && !(bytes[2] & mask)) ? 255 : 0;
            image.setPixel(int(index % width), int(index / width), qRgb(r, gr, b));
        }
    }
    return image;
}

QList<QImage> UnpackPages(const QByteArray &data, int width, int height, int planes, int pageCount)
{
    QList<QImage> pages;
    const qsizetype pageBytes = PageBytes(width, height, planes);
    if (pageBytes <= 0 || pageCount <= 0)
        return pages;
    for (int i = 0; i < pageCount; ++i) {
        const qsizetype offset = qsizetype(i) * pageBytes;
        if (offset >= data.size())
            break;
        pages.append(UnpackPage(data, offset, width, height, planes));
    }
    return pages;
}

} // namespace PlaneUnpacker
