#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

// Lays out text into region-sized page bitmaps: the card receives the rich
// pages of text materials; the plain pages imitate what the card draws for
// time, counter, data and inner-code materials (canvas and preview).
// Pages are W x H, Format_RGB32, black where nothing is drawn; glyphs are
// drawn without antialiasing, so every pixel is one of the seven colours or
// black.

enum class RichLayoutKind { Paged, HorizontalStrip, MirroredStrip, VerticalStrip };
enum class PlainLayoutKind { Paged, CentredLine, HorizontalStrip, VerticalStrip };

using PageBitmaps = QList<QImage>;

// A layout makes at most this many pages; later pages replace the last one.
constexpr int MaxLayoutPages = 2049;

struct LayoutResult
{
    PageBitmaps Pages;
    // The text needed more than MaxLayoutPages pages; the last page is not
    // what it should be. Sending such a text is refused.
    bool Overflow = false;
    int Count() const { return int(Pages.size()); }
};

// Receives each finished page in order (page index, image).
using PageSink = std::function<void(int index, const QImage &page)>;

// Rich layout of a RichRunText. An empty text, or a region with no pixels,
// gives no pages. firstOnly stops after the first page.
LayoutResult LayoutRichText(const QString &text, bool multiLine, RichLayoutKind kind, bool firstOnly,
                            int yAxisPos, int verAlign, int rowSpan, int H, int W);
// The same, handing pages to sink as they are finished instead of keeping
// them; returns the page count. *overflow (optional) as LayoutResult::Overflow.
int LayoutRichText(const QString &text, bool multiLine, RichLayoutKind kind, bool firstOnly,
                   int yAxisPos, int verAlign, int rowSpan, int H, int W, const PageSink &sink,
                   bool *overflow = nullptr);

// Plain layout of a PlainRunText, character by character. An empty text, a
// character taller than the region, or a region with no pixels give no pages.
LayoutResult LayoutPlainText(const QString &text, int W, int H, bool firstOnly, PlainLayoutKind kind);

// How far left of a run's x its text is drawn, by point size; the string
// drawing adds the same distance in front of the text, so text of the usual
// sizes starts exactly at the run's x.
int DrawStringXCorrection(int pointSize);

// Character height as the layout uses it: 33 counts as 32, 97 as 96.
int LayoutCharHeight(int measuredHeight);

// Canvas and preview picture of a material text in a W x H control:
// what 0/1 rich (multi-line for 1, kind = mode), 2 plain centred line,
// 3 plain with kind = mode; page 0, or a null image when no page came out.
// mode is the kind's position in its enumeration (rich: 0 Paged,
// 1 HorizontalStrip, 2 MirroredStrip, 3 VerticalStrip; plain: 0 Paged,
// 1 CentredLine, 2 HorizontalStrip, 3 VerticalStrip); others are Paged.
// Any other what: black with the text in red, 12 points, at (0, 0).
QImage RenderToImage(int W, int H, const QString &text, int what, int yAxisPos, int verAlign,
                     int rowSpan, int mode);

// Layout kind of a material, from its kind, DisplayMode and StayTime.
struct LayoutChoice
{
    bool Rich = true;           // rich text (kinds 0, 1) or plain
    bool MultiLine = false;
    RichLayoutKind RichKind = RichLayoutKind::Paged;
    PlainLayoutKind PlainKind = PlainLayoutKind::Paged;
};
LayoutChoice ChooseLayout(int materialKind, int displayMode, int stayTime);
