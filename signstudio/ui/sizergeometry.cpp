#include "signstudio/ui/sizergeometry.h"

#include "signstudio/ui/editrules.h"

namespace SizerGeometry {

namespace {
QRect ltrb(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}
} // namespace

QList<QRect> Grips(int w, int h)
{
    const int w2 = w / 2;
    const int h2 = h / 2;
    return {ltrb(0, 0, 5, 5),
            ltrb(w2 - 3, 0, w2 + 2, 5),
            ltrb(w - 5, 0, w, 5),
            ltrb(w - 5, h2 - 3, w, h2 + 2),
            ltrb(w - 5, h - 5, w, h),
            ltrb(w2 - 3, h - 5, w2 + 2, h),
            ltrb(0, h - 5, 5, h),
            ltrb(0, h2 - 3, 5, h2 + 2)};
}

Grip HitTest(const QPoint &p, int w, int h)
{
    const QList<QRect> grips = Grips(w, h);
    for (int i = 0; i < grips.size(); ++i) {
        if (grips.at(i).contains(p))
            return Grip(i + 1);
    }
    return NoGrip;
}

QRect Moved(const QRect &bounds, const QPoint &delta, const QSize &page)
{
    int left = bounds.left() + delta.x();
    int top = bounds.top() + delta.y();
    const int w = bounds.width();
    const int h = bounds.height();
    if (left < 1)
        left = 0;
    if (left + w >= page.width())
        left = page.width() - w;
    if (top <= 0)
        top = 0;
    if (top + h >= page.height())
        top = page.height() - h;
    left = EditRules::SnapTo8(left);
    // Snapping up must not push the region over the right edge.
    while (left > 0 && left + w > page.width())
        left -= 8;
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    return QRect(left, top, w, h);
}

QRect Resized(const QRect &start, Grip grip, const QPoint &delta)
{
    int l = start.left();
    int t = start.top();
    int r = start.left() + start.width();
    int b = start.top() + start.height();
    const bool leftEdge = grip == TopLeft || grip == Left || grip == BottomLeft;
    const bool rightEdge = grip == TopRight || grip == Right || grip == BottomRight;
    const bool topEdge = grip == TopLeft || grip == Top || grip == TopRight;
    const bool bottomEdge = grip == BottomLeft || grip == Bottom || grip == BottomRight;
    if (leftEdge)
        l = EditRules::SnapTo8(l + delta.x());
    if (rightEdge)
        r += delta.x();
    if (topEdge)
        t += delta.y();
    if (bottomEdge)
        b += delta.y();
    int w = qMin(r - l, MaxTrackWidth);
    int h = qMin(b - t, MaxTrackHeight);
    return Snapped(QRect(l, t, w, h));
}

QRect Snapped(const QRect &bounds)
{
    int w = EditRules::SnapTo8(bounds.width());
    int h = bounds.height();
    if (w < MinimumSize)
        w = MinimumSize;
    if (h < MinimumSize)
        h = MinimumSize;
    return QRect(bounds.left(), bounds.top(), w, h);
}

} // namespace SizerGeometry
