#include "signstudio/ui/sizercontrol.h"

#include "signstudio/ui/editrules.h"

#include <QMouseEvent>
#include <QPainter>

TSizerControl::TSizerControl(QWidget *target)
    : QWidget(target ? target->parentWidget() : nullptr)
    , m_target(target)
{
    setObjectName(QStringLiteral("SizerControl"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    if (target) {
        m_targetName = target->objectName();
        setGeometry(target->geometry());
    }
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void TSizerControl::ReportCreated()
{
    emit boundsReported(CreateMode, geometry());
}

QSize TSizerControl::pageSize() const
{
    return parentWidget() ? parentWidget()->size() : QSize(0, 0);
}

void TSizerControl::applyBounds(const QRect &r)
{
    setGeometry(r);
    if (m_target)
        m_target->setGeometry(r);
    update();
}

QRect TSizerControl::snappedBounds() const
{
    QRect r = SizerGeometry::Snapped(geometry());
    r.moveLeft(qMax(0, EditRules::SnapTo8(r.left())));
    return r;
}

void TSizerControl::MoveBy(const QPoint &delta)
{
    applyBounds(SizerGeometry::Moved(geometry(), delta, pageSize()));
}

void TSizerControl::ResizeBy(SizerGeometry::Grip grip, const QPoint &delta)
{
    applyBounds(SizerGeometry::Resized(geometry(), grip, delta));
    emit boundsReported(ResizeMode, geometry());
}

void TSizerControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor c = hasFocus() ? Qt::white : Qt::black;
    p.setPen(c);
    p.setBrush(c);
    for (const QRect &g : SizerGeometry::Grips(width(), height()))
        p.drawRect(g.adjusted(0, 0, -1, -1));
}

void TSizerControl::updateCursor(const QPoint &p)
{
    switch (SizerGeometry::HitTest(p, width(), height())) {
    case SizerGeometry::TopLeft:
    case SizerGeometry::BottomRight:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case SizerGeometry::TopRight:
    case SizerGeometry::BottomLeft:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case SizerGeometry::Top:
    case SizerGeometry::Bottom:
        setCursor(Qt::SizeVerCursor);
        break;
    case SizerGeometry::Left:
    case SizerGeometry::Right:
        setCursor(Qt::SizeHorCursor);
        break;
    default:
        setCursor(Qt::SizeAllCursor);
        break;
    }
}

void TSizerControl::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    m_dragging = true;
    m_grip = SizerGeometry::HitTest(event->position().toPoint(), width(), height());
    m_start = mapToParent(event->position().toPoint());
    m_startBounds = geometry();
    if (m_grip == SizerGeometry::NoGrip) {
        applyBounds(snappedBounds());
        emit boundsReported(MoveMode, geometry());
    }
    event->accept();
}

void TSizerControl::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint here = mapToParent(event->position().toPoint());
    if (!m_dragging) {
        updateCursor(event->position().toPoint());
        return;
    }
    const QPoint delta = here - m_start;
    if (m_grip == SizerGeometry::NoGrip) {
        applyBounds(SizerGeometry::Moved(m_startBounds, delta, pageSize()));
    } else {
        applyBounds(SizerGeometry::Resized(m_startBounds, m_grip, delta));
        emit boundsReported(ResizeMode, geometry());
    }
}

void TSizerControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    const bool moving = m_grip == SizerGeometry::NoGrip;
    m_grip = SizerGeometry::NoGrip;
    applyBounds(snappedBounds());
    emit boundsReported(moving ? MoveMode : ResizeMode, geometry());
    event->accept();
}

void TSizerControl::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    hide();
    deleteLater();
}
