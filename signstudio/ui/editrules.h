#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

// The value rules of the property grid: how a typed text becomes a stored
// value. Plain functions, no widgets, so every rule is testable on its own.
namespace EditRules {

// Horizontal positions and widths snap to multiples of 8 pixels (a card
// addresses its screen in bytes of 8 pixels): remainders 5, 6, 7 round up,
// 0 to 4 round down.
int SnapTo8(int x);

// The value read as a decimal integer (blanks around it allowed), or def.
int ReadInt(const QString &text, int def);

// A daily time "HH:MM": "8:5" -> "08:50"; anything that is not a valid time
// of day gives def.
QString NormaliseTime(const QString &value, const QString &def);

// Stay values fit in one byte: above 255 becomes 255 and below 0 becomes 0.
// written is the text to put back into the row when the value was changed,
// empty when the typed text may stay.
struct StayValue
{
    int value = 0;
    QString written;
};
StayValue ReadStay(const QString &text, int def);

// A material identifier: the integer as 9 digits with leading zeros (first
// 9 characters kept); not a number or negative gives "000000000".
QString FormatUid(const QString &text);

// The region rows 2..5 (left, top, width, height) of the grid: applies the
// typed text of row to the region's bounds on a page of the given size.
QRect ApplyRegionRow(int row, const QString &text, const QRect &region, int pageWidth,
                     int pageHeight);

// Font option index (SimSun, SimHei, Regular Script, Clerical, Running) to the
// card's font code 1, 3, 2, 4, 5 and back; unknown gives 0 / -1.
int FontCodeOfIndex(int index);
int FontIndexOfCode(int code);

// Count format option (DDhhmmss, hhmmss, hhmm, mmss, DD, hh, mm, ss) to the
// stored code 1, 2, 3, 8, 4, 5, 6, 7 and back; unknown gives 0 / -1.
int CountFormatCodeOfIndex(int index);
int CountFormatIndexOfCode(int code);

// The eight character matrices "12*12" .. "96*96" and their codes 0..7.
QStringList AllMatrices();
// The code of a matrix text, or -1 when the text is none of them.
int MatrixCodeOfText(const QString &text);
QString MatrixText(int code);
// The card's first m matrices (m clamped to 1..8).
QStringList SizeList(int m);

// The Kinds_Number values of a real-time data kind (option index 0..5).
QStringList KindsNumbers(int dataKind);

} // namespace EditRules
