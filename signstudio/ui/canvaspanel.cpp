#include "signstudio/ui/canvaspanel.h"

#include "signstudio/ui/sizergeometry.h"

#include <QMouseEvent>
#include <QPainter>

TCanvasPanel::TCanvasPanel(Kind kind, const QString &name, QWidget *parent)
    : QFrame(parent)
    , m_kind(kind)
    , m_colour(Qt::black)
{
    setObjectName(name);
    setAutoFillBackground(true);
    SetColour(Qt::black);
    if (kind == ScreenPanel) {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(3);
        setMidLineWidth(0);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    if (kind == MaterialPanel) {
        QFont f = font();
        f.setPointSize(9);
        setFont(f);
    }
}

void TCanvasPanel::SetCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void TCanvasPanel::SetColour(const QColor &colour)
{
    m_colour = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
    update();
}

void TCanvasPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_kind == RegionPanel && !m_caption.isEmpty()) {
        QPainter p(this);
        QFont f = font();
        f.setPointSize(18);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(rect(), Qt::AlignCenter, m_caption);
    }
}

void TCanvasPanel::mousePressEvent(QMouseEvent *event)
{
    if (m_kind == RegionPanel || m_kind == MaterialPanel) {
        emit pressed(this, event->button());
        event->accept();
        return;
    }
    QFrame::mousePressEvent(event);
}

void TCanvasPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_kind == MaterialPanel) {
        emit doubleClicked(this);
        event->accept();
        return;
    }
    QFrame::mouseDoubleClickEvent(event);
}

void TCanvasPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    // Materials fill their region, images fill their material.
    if (m_kind == RegionPanel) {
        for (auto *child : findChildren<TCanvasPanel *>(QString(), Qt::FindDirectChildrenOnly))
            child->setGeometry(rect());
    } else if (m_kind == MaterialPanel) {
        for (auto *child : findChildren<TMaterialImage *>(QString(), Qt::FindDirectChildrenOnly))
            child->setGeometry(rect());
    }
}

TMaterialImage::TMaterialImage(const QString &name, TCanvasPanel *panel)
    : QWidget(panel)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont f = font();
    f.setPointSize(9);
    setFont(f);
}

void TMaterialImage::SetImage(const QImage &image)
{
    m_image = image;
    update();
}

void TMaterialImage::Clear()
{
    m_image = QImage();
    update();
}

void TMaterialImage::SetCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void TMaterialImage::PaintHandles()
{
    m_handles = true;
    update();
}

void TMaterialImage::ClearHandles()
{
    m_handles = false;
    update();
}

void TMaterialImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!m_image.isNull()) {
        p.drawImage(QPoint(0, 0), m_image);
    } else if (!m_caption.isEmpty()) {
        p.setPen(Qt::red);
        p.drawText(rect().adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   m_caption);
    }
    if (m_handles) {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        for (const QRect &g : SizerGeometry::Grips(width(), height()))
            p.drawRect(g.adjusted(0, 0, -1, -1));
    }
}

void TMaterialImage::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button());
    event->accept();
}

void TMaterialImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit doubleClicked();
    event->accept();
}
