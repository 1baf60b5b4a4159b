#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Geometry of the sizer and of the selection handles: the eight 5 x 5 grips,
// hit testing, moving within the page and resizing with snapping to 8.
namespace SizerGeometry {

enum Grip {
    NoGrip = 0,
    TopLeft = 1,
    Top,
    TopRight,
    Right,
    BottomRight,
    Bottom,
    BottomLeft,
    Left
};

constexpr int MinimumSize = 12;
constexpr int MaxTrackWidth = 5000;
constexpr int MaxTrackHeight = 2000;

// The eight grips of a control of width w and height h, in grip order 1..8.
QList<QRect> Grips(int w, int h);

// The grip under a point in client coordinates, NoGrip for the client area.
Grip HitTest(const QPoint &p, int w, int h);

// Moving: bounds shifted by delta and kept on a page of the given size
// (left and top not below 0, right and bottom edges not past the page), then
// the left snapped to 8 without leaving the page.
QRect Moved(const QRect &bounds, const QPoint &delta, const QSize &page);

// Resizing through a grip: the start bounds with the grip's edges shifted by
// delta, clamped to the maximum tracking size; then Snapped.
QRect Resized(const QRect &start, Grip grip, const QPoint &delta);

// After a resize: the width snapped to 8, width and height at least 12.
QRect Snapped(const QRect &bounds);

} // namespace SizerGeometry
