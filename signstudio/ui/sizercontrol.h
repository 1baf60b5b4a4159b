#pragma once

#include "signstudio/ui/sizergeometry.h"

#include <QPointer>
#include <QWidget>

// The sizer laid exactly over a region panel: drag its client area to move
// the region within the page, drag one of its eight grips to resize it.
// Horizontal positions and widths snap to 8, sizes stay at least 12. It
// reports the bounds it gives its target and destroys itself when it loses
// the keyboard focus.
class TSizerControl : public QWidget
{
    Q_OBJECT
public:
    enum ReportMode { CreateMode, MoveMode, ResizeMode };

    // Lays the sizer over target (same parent) and takes the focus. Call
    // ReportCreated once the receiver of boundsReported is connected.
    explicit TSizerControl(QWidget *target);

    QWidget *Target() const { return m_target; }
    QString TargetName() const { return m_targetName; }
    bool Dragging() const { return m_dragging; }

    void ReportCreated();

    // Moves or resizes the sizer and its target, as the mouse would.
    void MoveBy(const QPoint &delta);
    void ResizeBy(SizerGeometry::Grip grip, const QPoint &delta);

signals:
    void boundsReported(int mode, const QRect &bounds);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void applyBounds(const QRect &r);
    QSize pageSize() const;
    QRect snappedBounds() const;
    void updateCursor(const QPoint &p);

    QPointer<QWidget> m_target;
    QString m_targetName;
    bool m_dragging = false;
    SizerGeometry::Grip m_grip = SizerGeometry::NoGrip;
    QPoint m_start;       // press point, parent coordinates
    QRect m_startBounds;  // bounds at the press
};
