#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>

// The seven colours shared by materials, editors and content strings.
// ColourIndex 1..7 = red, green, yellow, blue, purple, aqua, white.
namespace ColourTable {

constexpr int Count = 7;

// "clRed" .. "clWhite"; an index outside 1..7 gives an empty name.
QString NameByIndex(int colourIndex);

// Like NameByIndex, but an index outside 1..7 is written as "clRed".
QString WriteName(int colourIndex);

// 1..7 for the seven names, 0 for any other text.
int IndexByName(const QString &name);

// 0x00BBGGRR and 0xAARRGGBB values; an index outside 1..7 gives red.
quint32 GdiColour(int colourIndex);
quint32 GdiPlusColour(int colourIndex);

// The colour a run is drawn in. A name outside the table is drawn red,
// the colour of new materials and of the first table entry.
QColor ColourByName(const QString &name);
QColor ColourByIndex(int colourIndex);

} // namespace ColourTable
