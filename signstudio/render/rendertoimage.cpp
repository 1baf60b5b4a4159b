#include "signstudio/render/textlayout.h"

#include "signstudio/render/fontcatalogue.h"

#include <QPainter>

namespace {

RichLayoutKind richKind(int mode)
{
    switch (mode) {
    case 1: return RichLayoutKind::HorizontalStrip;
    case 2: return RichLayoutKind::MirroredStrip;
    case 3: return RichLayoutKind::VerticalStrip;
    default: return RichLayoutKind::Paged;
    }
}

PlainLayoutKind plainKind(int mode)
{
    switch (mode) {
    case 1: return PlainLayoutKind::CentredLine;
    case 2: return PlainLayoutKind::HorizontalStrip;
    case 3: return PlainLayoutKind::VerticalStrip;
    default: return PlainLayoutKind::Paged;
    }
}

} // namespace

QImage RenderToImage(int W, int H, const QString &text, int what, int yAxisPos, int verAlign,
                     int rowSpan, int mode)
{
    if (W <= 0 || H <= 0)
        return QImage();
    LayoutResult r;
    switch (what) {
    case 0:
    case 1:
        r = LayoutRichText(text, what == 1, richKind(mode), true, yAxisPos, verAlign, rowSpan, H, W);
        break;
    case 2:
        r = LayoutPlainText(text, W, H, true, PlainLayoutKind::CentredLine);
        break;
    case 3:
        r = LayoutPlainText(text, W, H, true, plainKind(mode));
        break;
    default: {
        QImage image(W, H, QImage::Format_RGB32);
        image.fill(0xFF000000u);
        QPainter painter(&image);
        const QFont font = FontCatalogue::CardFont(QString(), 12);
        painter.setFont(font);
        painter.setPen(QColor(255, 0, 0));
        painter.drawText(0, QFontMetrics(font).ascent(), text);
        return image;
    }
    }
    return r.Count() > 0 ? r.Pages.constFirst() : QImage();
}

LayoutChoice ChooseLayout(int materialKind, int displayMode, int stayTime)
{
    LayoutChoice c;
    const bool moving = stayTime == 0;
    switch (materialKind) {
    case 0:
        c.Rich = true;
        c.MultiLine = false;
        if (displayMode == 1 && moving)
            c.RichKind = RichLayoutKind::HorizontalStrip;
        else if (displayMode == 2 && moving)
            c.RichKind = RichLayoutKind::MirroredStrip;
        break;
    case 1:
        c.Rich = true;
        c.MultiLine = true;
        if (displayMode == 3 && moving)
            c.RichKind = RichLayoutKind::VerticalStrip;
        break;
    case 9:
        c.Rich = false;
        if (displayMode == 1 && moving)
            c.PlainKind = PlainLayoutKind::HorizontalStrip;
        else if (displayMode == 3 && moving)
            c.PlainKind = PlainLayoutKind::VerticalStrip;
        break;
    default:
        c.Rich = false;
        c.PlainKind = PlainLayoutKind::CentredLine;
        break;
    }
    return c;
}
