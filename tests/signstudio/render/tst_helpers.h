#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace RenderTest {

// Bounding box of the pixels that are not black (null rect for none).
inline QRect InkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// True when every pixel is black or exactly one of the allowed colours
// (glyphs are drawn without antialiasing).
inline bool OnlyColours(const QImage &image, QRgb allowed)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) & 0xFFFFFF;
            if (p != 0 && p != (allowed & 0xFFFFFF))
                return false;
        }
    }
    return true;
}

// One rich run of the text editor's format.
inline QString Run(const QString &text, int line, int size = 12, const QString &colour = QStringLiteral("clRed"),
                   int align = 0, const QString &face = QStringLiteral("宋体"))
{
    const QString &t = text;
    return colour + QLatin1Char('^') + face + QLatin1Char('^') + QString::number(size)
           + QStringLiteral("^0^0^0^0^") + QString::number(align) + QLatin1Char('^')
           + QString::number(line) + QLatin1Char('^') + t;
}

} // namespace RenderTest
