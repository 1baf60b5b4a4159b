#include "signstudio/render/colourtable.h"

namespace ColourTable {
namespace {

struct Entry
{
    const char *name;
    quint32 gdi;
    quint32 gdiPlus;
};

constexpr Entry kTable[Count] = {
    {"clRed", 0x0000FF, 0xFFFF0000},    {"clGreen", 0x008000, 0xFF008000},
    {"clYellow", 0x00FFFF, 0xFFFFFF00}, {"clBlue", 0xFF0000, 0xFF0000FF},
    {"clPurple", 0x800080, 0xFF800080}, {"clAqua", 0xFFFF00, 0xFF00FFFF},
    {"clWhite", 0xFFFFFF, 0xFFFFFFFF},
};

bool valid(int i)
{
    return i >= 1 && i <= Count;
}

} // namespace

QString NameByIndex(int colourIndex)
{
    return valid(colourIndex) ? QString::fromLatin1(kTable[colourIndex - 1].name) : QString();
}

QString WriteName(int colourIndex)
{
    return QString::fromLatin1(kTable[valid(colourIndex) ? colourIndex - 1 : 0].name);
}

int IndexByName(const QString &name)
{
    for (int i = 0; i < Count; ++i) {
        if (name == QLatin1String(kTable[i].name))
            return i + 1;
    }
    return 0;
}

quint32 GdiColour(int colourIndex)
{
    return kTable[valid(colourIndex) ? colourIndex - 1 : 0].gdi;
}

quint32 GdiPlusColour(int colourIndex)
{
    return kTable[valid(colourIndex) ? colourIndex - 1 : 0].gdiPlus;
}

QColor ColourByIndex(int colourIndex)
{
    return QColor::fromRgb(GdiPlusColour(colourIndex));
}

QColor ColourByName(const QString &name)
{
    return ColourByIndex(IndexByName(name));
}

} // namespace ColourTable
