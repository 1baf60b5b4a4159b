#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// One run of a RichRunText (content of text materials): ten fields
// colour^font^size^bold^italic^underline^strikeout^alignment^line^text,
// runs joined with ">". Blanks in the text travel as "?*", tabs as "`"
// (shown as six blanks).
struct rContAttr
{
    quint32 Colour = 0;      // 0x00BBGGRR
    quint32 ColourPlus = 0;  // 0xAARRGGBB, what the run is drawn in
    QString ColourName;      // as written; unknown names are drawn red
    QString FontName;
    qint32 FontSize = 10;
    qint32 Bold = 0;
    qint32 Italic = 0;
    qint32 Underline = 0;
    qint32 StrikeOut = 0;
    qint32 Alignment = 0;    // 0 left, 1 right, 2 centre
    qint32 LineNo = 0;       // 1-based editor line
    qint32 TextLen = 0;      // UTF-16 units
    // Placement on the current page.
    qint32 X = 0;
    qint32 Y = 0;
    qint32 CharHeight = 0;
    qint32 LineHeight = 0;   // 0 = line not yet finished
    QString Text;
};

// One run of a PlainRunText (colour^font^size^text, runs joined with ">",
// blanks travelling as "*?"), or one placed character of the plain layout.
struct rPlainContAttr
{
    quint32 Colour = 0;      // 0x00BBGGRR
    QString ColourName;      // as written; unknown names are drawn red
    QString FontName;
    qint32 FontSize = 10;
    qint32 TextLen = 0;
    qint32 X = 0;
    qint32 Y = 0;
    qint32 CharHeight = 0;
    QString Text;
};

// Runs with fewer fields than needed are skipped; numeric fields that do not
// read take their defaults (size 10, flags 0, alignment 0, line 0).
QList<rContAttr> ParseRichRuns(const QString &richRunText);
QList<rPlainContAttr> ParsePlainRuns(const QString &plainRunText);

