#include "signstudio/render/textlayout.h"

#include "signstudio/render/layoutfonts.h"
#include "signstudio/render/runtext.h"

#include <QPainter>

namespace {

struct PlacedChar
{
    const LayoutFont *font = nullptr;
    QColor colour;
    QString text;
    int x = 0;
    int y = 0;
    int ch = 0;
};

class PlainLayouter
{
public:
    PlainLayouter(int W, int H, bool firstOnly, PlainLayoutKind kind)
        : m_W(W), m_H(H), m_firstOnly(firstOnly), m_kind(kind)
    {
    }
    LayoutResult run(const QList<rPlainContAttr> &runs);

private:
    void newImage()
    {
        m_page = QImage(m_W, m_H, QImage::Format_RGB32);
        m_page.fill(0xFF000000u);
        m_painter.begin(&m_page);
    }
    bool startPage()
    {
        m_painter.end();
        if (m_result.Count() >= MaxLayoutPages - 1) {
            m_result.Overflow = true;
            return false;
        }
        m_result.Pages.append(m_page);
        newImage();
        return true;
    }
    void draw(qsizetype from, qsizetype to)
    {
        for (qsizetype i = from; i < to; ++i) {
            const PlacedChar &p = m_placed.at(i);
            const int top = m_kind == PlainLayoutKind::CentredLine ? (m_H - m_m) / 2
                                                                   : p.y + m_m - p.ch;
            m_painter.setFont(p.font->font);
            m_painter.setPen(p.colour);
            m_painter.drawText(p.x, top + p.font->ascent, p.text);
        }
    }
    // -1 when the character cannot be laid out (layout stops, no pages),
    // 0 when the page limit was reached, 1 to go on.
    int place(const PlacedChar &proto, int cw);

    const int m_W, m_H;
    const bool m_firstOnly;
    PlainLayoutKind m_kind;
    LayoutFonts m_fonts;
    LayoutResult m_result;
    QImage m_page;
    QPainter m_painter;
    QList<PlacedChar> m_placed;
    int m_x = 0, m_y = 0, m_m = 0, m_n = 0;
};

int PlainLayouter::place(const PlacedChar &proto, int cw)
{
    PlacedChar c = proto;
    c.x = m_x;
    c.y = m_y;
    m_placed.append(c);

    bool foundFirst = false;
    if (m_y + m_m > m_H) {
        qsizetype first = -1;
        for (qsizetype i = 0; i < m_placed.size(); ++i) {
            if (m_placed.at(i).y == m_y) {
                first = i;
                break;
            }
        }
        if (first < 0)
            return -1;
        foundFirst = true;
        if (m_kind != PlainLayoutKind::VerticalStrip) {
            draw(0, first);
            m_placed.remove(0, first);
            if (!startPage())
                return 0;
            for (PlacedChar &p : m_placed)
                p.y = 0;
            m_y = 0;
            m_n = 0;
        }
    }

    m_x += cw;
    if (m_x <= m_W)
        return 1;
    ++m_n;
    m_y += m_m;
    switch (m_kind) {
    case PlainLayoutKind::CentredLine:
    case PlainLayoutKind::HorizontalStrip:
        m_x = m_x - cw - m_W;
        draw(0, m_placed.size());
        m_placed.clear();
        if (!startPage())
            return 0;
        m_n = 0;
        m_y = 0;
        c.x = m_x;
        c.y = 0;
        m_placed.append(c);
        m_x += cw;
        break;
    case PlainLayoutKind::VerticalStrip:
        m_x = 0;
        m_placed.removeLast();
        if (foundFirst || m_y == m_H) {
            draw(0, m_placed.size());
            const int lineY = m_y - m_m;
            m_placed.removeIf([lineY](const PlacedChar &p) { return p.y != lineY; });
            if (!startPage())
                return 0;
            m_n = 0;
            m_y -= m_H;
            for (PlacedChar &p : m_placed)
                p.y = m_y - m_m;
        }
        c.x = 0;
        c.y = m_y;
        m_placed.append(c);
        m_x = cw;
        break;
    case PlainLayoutKind::Paged:
        m_x = 0;
        m_placed.removeLast();
        c.x = 0;
        c.y = m_y;
        if (m_y + m_m > m_H) {
            draw(0, m_placed.size());
            m_placed.clear();
            if (!startPage())
                return 0;
            m_n = 0;
            c.y = 0;
            m_y = 0;
        }
        m_placed.append(c);
        m_x = cw;
        break;
    }
    return 1;
}

LayoutResult PlainLayouter::run(const QList<rPlainContAttr> &runs)
{
    newImage();
    for (const rPlainContAttr &r : runs) {
        const LayoutFont &lf = m_fonts.get(r.FontName, r.FontSize, 0);
        const QColor colour = QColor(int(r.Colour & 0xFF), int((r.Colour >> 8) & 0xFF),
                                     int((r.Colour >> 16) & 0xFF));
        const QString &t = r.Text;
        for (qsizetype i = 0; i < t.size();) {
            // A surrogate pair is one character.
            const qsizetype len = t.at(i).isHighSurrogate() && i + 1 < t.size() ? 2 : 1;
            PlacedChar c;
            c.font = &lf;
            c.colour = colour;
            c.text = t.mid(i, len);
            i += len;

            if (m_firstOnly && m_result.Count() >= 1) {
                m_painter.end();
                m_result.Pages.resize(1);
                return m_result;
            }
            const int cw = lf.metrics.horizontalAdvance(c.text);
            c.ch = lf.charHeight;
            if (2 * c.ch <= m_H && m_kind != PlainLayoutKind::CentredLine
                && m_kind != PlainLayoutKind::VerticalStrip)
                m_kind = PlainLayoutKind::Paged;
            m_m = qMax(m_m, c.ch);
            const int go = m_m > m_H ? -1 : place(c, cw);
            if (go < 0) {
                m_painter.end();
                return LayoutResult();
            }
            if (go == 0)
                goto finished;
        }
    }
    if (!m_placed.isEmpty()) {
        if (m_kind == PlainLayoutKind::VerticalStrip && m_y + m_m > m_H) {
            draw(0, m_placed.size());
            const int lineY = m_y;
            m_placed.removeIf([lineY](const PlacedChar &p) { return p.y != lineY; });
            if (startPage()) {
                for (PlacedChar &p : m_placed)
                    p.y = m_y - m_H;
            }
        }
        draw(0, m_placed.size());
    }
finished:
    if (m_painter.isActive())
        m_painter.end();
    m_result.Pages.append(m_page);
    return m_result;
}

} // namespace

LayoutResult LayoutPlainText(const QString &text, int W, int H, bool firstOnly, PlainLayoutKind kind)
{
    if (text.isEmpty() || W <= 0 || H <= 0)
        return LayoutResult();
    const QList<rPlainContAttr> runs = ParsePlainRuns(text);
    if (runs.isEmpty())
        return LayoutResult();
    PlainLayouter layouter(W, H, firstOnly, kind);
    return layouter.run(runs);
}
