#include "signstudio/render/textlayout.h"

#include "signstudio/render/fontcatalogue.h"
#include "signstudio/render/fontvocabulary.h"
#include "signstudio/render/layoutfonts.h"
#include "signstudio/render/runtext.h"

#include <QPainter>

int DrawStringXCorrection(int pointSize)
{
    const int s = pointSize;
    if (s == 8) return 1;
    if (s >= 9 && s <= 11) return 2;
    if (s >= 12 && s <= 21) return 3;
    if (s >= 22 && s <= 25) return 6;
    if (s >= 29 && s <= 34) return 9;
    if (s >= 35 && s <= 38) return 10;
    if (s >= 39 && s <= 45) return 11;
    if (s >= 46 && s <= 48) return 12;
    if (s >= 49 && s <= 52) return 13;
    if (s >= 53 && s <= 56) return 14;
    if (s >= 57 && s <= 65) return 15;
    if (s >= 66 && s <= 68) return 16;
    if (s >= 69 && s <= 72) return 17;
    return 8;
}

int LayoutCharHeight(int measuredHeight)
{
    if (measuredHeight == 33)
        return 32;
    if (measuredHeight == 97)
        return 96;
    return measuredHeight;
}

namespace {

struct Placed
{
    const rContAttr *attr = nullptr;
    const LayoutFont *font = nullptr;
    int x = 0;
    int y = 0;
    int rh = 0;
    int lineHeight = 0;
};

class RichLayouter
{
public:
    RichLayouter(bool multiLine, RichLayoutKind kind, bool firstOnly, int yAxisPos, int verAlign,
                 int rowSpan, int H, int W, const PageSink &sink)
        : m_multiLine(multiLine), m_kind(kind), m_firstOnly(firstOnly), m_yAxisPos(yAxisPos),
          m_verAlign(verAlign), m_rowSpan(rowSpan), m_H(H), m_W(W), m_sink(sink)
    {
    }

    int run(const QList<rContAttr> &runs, bool *overflow);

private:
    void newImage()
    {
        m_page = QImage(m_W, m_H, QImage::Format_RGB32);
        m_page.fill(0xFF000000u);
        m_painter.begin(&m_page);
    }
    // Starts the next page; false when the page limit is reached.
    bool startPage()
    {
        m_painter.end();
        if (m_index >= MaxLayoutPages - 1) {
            m_overflow = true;
            return false;
        }
        m_sink(m_index, m_page);
        ++m_index;
        newImage();
        return true;
    }
    int alignOffset() const
    {
        if (m_a == 1)
            return m_W - m_w;
        if (m_a == 2)
            return (m_W - m_w) / 2;
        return 0;
    }
    int vOffset(int used) const
    {
        if (m_verAlign == 1)
            return (m_H - used) / 2;
        if (m_verAlign == 2)
            return m_H - used;
        return 0;
    }
    void drawRun(const Placed &p, int px, int py)
    {
        m_painter.setFont(p.font->font);
        m_painter.setPen(QColor::fromRgb(p.attr->ColourPlus));
        m_painter.drawText(px + p.font->drawPadding, py + p.font->ascent, p.attr->Text);
    }
    void drawD1(qsizetype from, qsizetype to, int offset, int baseShift)
    {
        for (qsizetype i = from; i < to; ++i) {
            const Placed &p = m_placed.at(i);
            const int px = p.x + offset - DrawStringXCorrection(p.attr->FontSize);
            const int base = m_multiLine ? p.y + baseShift : (m_H - p.rh) / 2;
            drawRun(p, px, base + m_h + m_yAxisPos - p.rh);
        }
    }
    void drawD2(qsizetype from, qsizetype to, int v)
    {
        for (qsizetype i = from; i < to; ++i) {
            const Placed &p = m_placed.at(i);
            const int px = p.x - DrawStringXCorrection(p.attr->FontSize);
            drawRun(p, px, v + p.y + p.lineHeight + m_yAxisPos - p.rh);
        }
    }
    void finishLineRuns(int offset)
    {
        for (qsizetype i = m_lineStart; i < m_placed.size(); ++i) {
            m_placed[i].lineHeight = m_h;
            m_placed[i].x += offset;
        }
    }
    // Moves the runs of the current line to the top of the next page.
    void dropEarlierLines()
    {
        m_placed.remove(0, m_lineStart);
        for (Placed &p : m_placed)
            p.y = 0;
        m_lineStart = 0;
    }
    bool pagedLineChange();
    bool verticalLineFinish();
    bool stripBreak(Placed &p, int rw, int &xNext);
    bool endOfText();

    const bool m_multiLine;
    const RichLayoutKind m_kind;
    const bool m_firstOnly;
    const int m_yAxisPos, m_verAlign, m_rowSpan, m_H, m_W;
    const PageSink &m_sink;

    LayoutFonts m_fonts;
    QImage m_page;
    QPainter m_painter;
    int m_index = 0;
    bool m_overflow = false;

    QList<Placed> m_placed;
    qsizetype m_lineStart = 0; // first placed run of the unfinished line
    int m_x = 0, m_y = 0, m_h = 0, m_n = 0, m_u = 0, m_w = 0, m_L = 0, m_a = 0;
};

bool RichLayouter::pagedLineChange()
{
    const int offset = alignOffset();
    if (!m_multiLine) {
        // Each editor line of a single-line text is its own page.
        drawD1(0, m_placed.size(), offset, 0);
        m_placed.clear();
        m_lineStart = 0;
        if (!startPage())
            return false;
        m_n = 0;
    } else {
        ++m_n;
        m_y += m_h + m_rowSpan;
        m_u += m_h + m_rowSpan;
        finishLineRuns(offset);
        if (m_y >= m_H) {
            const int fullUsed = m_u;
            if (m_y > m_H)
                m_u -= m_h + m_rowSpan;
            // A line taller than the region that is alone on its page stays
            // there (clipped) rather than leaving a blank page behind.
            if (m_y == m_H || m_lineStart == 0) {
                drawD2(0, m_placed.size(), vOffset(fullUsed));
                m_placed.clear();
                m_y = 0;
                m_u = 0;
                m_n = 0;
            } else {
                drawD2(0, m_lineStart, vOffset(m_u));
                dropEarlierLines();
                m_n = 1;
                m_y = m_u = m_h + m_rowSpan;
            }
            if (!startPage())
                return false;
        }
        m_lineStart = m_placed.size();
    }
    m_w = 0;
    m_h = 0;
    m_x = 0;
    if (!m_multiLine)
        m_y = 0;
    return true;
}

bool RichLayouter::verticalLineFinish()
{
    const int offset = alignOffset();
    drawD1(0, m_placed.size(), offset, 0);
    ++m_n;
    m_y += m_h + m_rowSpan;
    if (m_y > m_H) {
        if (!startPage())
            return false;
        drawD1(0, m_placed.size(), offset, -m_H);
        m_y -= m_H;
        m_n = 0;
    }
    m_placed.clear();
    m_lineStart = 0;
    m_w = 0;
    m_x = 0;
    return true;
}

bool RichLayouter::stripBreak(Placed &p, int rw, int &xNext)
{
    const bool mirrored = m_kind == RichLayoutKind::MirroredStrip;
    // A run crossing the right edge shows its left part on this page and the
    // rest on the next ones (also when it is wider than a page).
    while (xNext >= m_W) {
        drawD1(0, m_placed.size(), 0, 0);
        m_placed.clear();
        if (!startPage())
            return false;
        if (m_firstOnly)
            return false;
        m_y = 0;
        m_x -= m_W;
        p.x = mirrored ? m_W - m_x - rw : m_x;
        p.y = m_y;
        m_placed.append(p);
        xNext = m_x + rw;
    }
    return true;
}

bool RichLayouter::endOfText()
{
    if (m_placed.isEmpty())
        return true;
    if (m_kind == RichLayoutKind::VerticalStrip)
        return verticalLineFinish();
    ++m_n;
    m_y += m_h + m_rowSpan;
    m_u += m_h + m_rowSpan;
    if (m_multiLine && m_kind == RichLayoutKind::Paged) {
        const bool over = m_y > m_H;
        const int fullUsed = m_u;
        if (over)
            m_u -= m_h + m_rowSpan;
        finishLineRuns(alignOffset());
        int v = vOffset(m_u);
        if (over && m_lineStart > 0) {
            drawD2(0, m_lineStart, v);
            dropEarlierLines();
            if (!startPage())
                return false;
            // The moved line is aligned on its own page.
            v = vOffset(m_h + m_rowSpan);
        } else if (over) {
            v = vOffset(fullUsed);
        }
        drawD2(0, m_placed.size(), v);
    } else {
        drawD1(0, m_placed.size(), alignOffset(), 0);
    }
    return true;
}

int RichLayouter::run(const QList<rContAttr> &runs, bool *overflow)
{
    newImage();
    const bool strip = m_kind == RichLayoutKind::HorizontalStrip
                       || m_kind == RichLayoutKind::MirroredStrip;
    bool complete = true;
    for (const rContAttr &r : runs) {
        if (m_L != 0 && r.LineNo != m_L) {
            if (m_kind == RichLayoutKind::Paged && !pagedLineChange()) {
                complete = false;
                break;
            }
            if (m_kind == RichLayoutKind::VerticalStrip && !verticalLineFinish()) {
                complete = false;
                break;
            }
        }
        if (m_firstOnly && m_index >= 1)
            break;

        const LayoutFont &lf = m_fonts.get(r.FontName, r.FontSize,
                                           FontStyleFromFlags(r.Bold, r.Italic, r.Underline,
                                                              r.StrikeOut));
        const int rw = r.Text.isEmpty() ? 0 : lf.metrics.horizontalAdvance(r.Text);
        const int rh = lf.charHeight;
        m_h = qMax(m_h, rh);

        Placed p;
        p.attr = &r;
        p.font = &lf;
        p.x = m_kind == RichLayoutKind::MirroredStrip ? m_W - m_x - rw : m_x;
        p.y = m_y;
        p.rh = rh;
        m_placed.append(p);
        int xNext = m_x + rw;
        m_w += rw;

        if (strip && !stripBreak(p, rw, xNext)) {
            complete = false;
            break;
        }
        m_a = r.Alignment;
        m_L = r.LineNo;
        m_x = xNext;
    }

    if (m_firstOnly && m_index >= 1) {
        m_painter.end();
        if (overflow)
            *overflow = false;
        return 1;
    }
    if (complete)
        endOfText();
    if (m_painter.isActive())
        m_painter.end();
    m_sink(m_index, m_page);
    if (overflow)
        *overflow = m_overflow;
    return m_index + 1;
}

} // namespace

int LayoutRichText(const QString &text, bool multiLine, RichLayoutKind kind, bool firstOnly,
                   int yAxisPos, int verAlign, int rowSpan, int H, int W, const PageSink &sink,
                   bool *overflow)
{
    if (overflow)
        *overflow = false;
    if (text.isEmpty() || W <= 0 || H <= 0)
        return 0;
    const QList<rContAttr> runs = ParseRichRuns(text);
    if (runs.isEmpty())
        return 0;
    RichLayouter layouter(multiLine, kind, firstOnly, yAxisPos, verAlign, rowSpan, H, W, sink);
    return layouter.run(runs, overflow);
}

LayoutResult LayoutRichText(const QString &text, bool multiLine, RichLayoutKind kind,
                            bool firstOnly, int yAxisPos, int verAlign, int rowSpan, int H, int W)
{
    LayoutResult result;
    LayoutRichText(text, multiLine, kind, firstOnly, yAxisPos, verAlign, rowSpan, H, W,
                   [&result](int, const QImage &page) { result.Pages.append(page); },
                   &result.Overflow);
    return result;
}
