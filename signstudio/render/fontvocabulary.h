#pragma once

#include <QString>
#include <QStringList>

// Font names, character matrix sizes and point sizes as the editors and the
// card-rendered materials name them.

// 1 "宋体", 2 "楷体_GB2312", 3 "黑体", 4 "隶书", 5 "行书"; anything else "宋体".
QString FontNameByIndex(int index);

// Matrix index 0..7 ("12*12" .. "96*96") -> 9, 12, 18, 23, 36, 48, 60, 72
// points; any other index gives defaultSize.
int PointSizeByMatrixIndex(int matrixIndex, int defaultSize = 9);

// "12*12" .. "96*96" for index 0..7, empty otherwise.
QString MatrixName(int matrixIndex);

// The size list of the editors: 9..72, the eight matrix sizes labelled,
// e.g. "9[12*12]", "10", "11", "12[16*16]", ...
QStringList FontSizeItems();

// The number before "[" (or the whole text); 9 when that is not a number.
int ParseFontSizeItem(const QString &text);

// The size list text for a point size: labelled form for the eight matrix
// sizes, the plain number otherwise; 0 shows as "9".
QString ShowFontSizeItem(int pointSize);

// Style flags (FontCatalogue::Style) from the four 0/1 fields: a value of 1
// turns the style on, any other value leaves it off.
int FontStyleFromFlags(int bold, int italic, int underline, int strikeOut);
