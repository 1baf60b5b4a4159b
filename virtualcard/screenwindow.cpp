#include "virtualcard/screenwindow.h"

#include "virtualcard/virtualcard.h"

#include <QPainter>

namespace {
constexpr int StatusHeight = 22;
}

ScreenWindow::ScreenWindow(VirtualCard *card, double timeScale, QWidget *parent)
    : QWidget(parent)
    , m_card(card)
{
    m_player.SetTimeScale(timeScale);
    setWindowTitle(QStringLiteral("virtualcard %1").arg(card->Profile().InnerCodeText()));
    connect(card, &VirtualCard::PlaybillReceived, this, &ScreenWindow::Reload);
    connect(card, &VirtualCard::ParamsWritten, this, [this] {
        Reload();
        updateGeometry();
    });
    connect(&m_tick, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    m_tick.start(100);
    m_since.start();
    if (card->HasPlaybill())
        Reload();
}

void ScreenWindow::Reload()
{
    if (m_card->HasPlaybill())
        m_player.SetPlaybill(m_card->LastCompletePlaybill(), m_card->Profile().Width, m_card->Profile().Height);
    m_since.restart();
    update();
}

QSize ScreenWindow::sizeHint() const
{
    const int w = qMax(1, m_card->Profile().Width);
    const int h = qMax(1, m_card->Profile().Height);
    const int scale = qBound(1, 960 / w, 8);
    return QSize(qMax(320, w * scale), h * scale + StatusHeight);
}

QString ScreenWindow::StatusText() const
{
    QStringList parts;
    parts << m_card->Profile().InnerCodeText();
    parts << QStringLiteral("%1x%2").arg(m_card->Profile().Width).arg(m_card->Profile().Height);
    parts << (m_card->IsConnected() ? QStringLiteral("online") : QStringLiteral("not connected"));
    parts << (m_card->IsPlaying() ? QStringLiteral("playing") : QStringLiteral("stopped"));
    if (m_card->HasPlaybill()) {
        const ReceivedPlaybill &p = m_card->LastCompletePlaybill();
        parts << QStringLiteral("%1 page(s), %2 material(s), received %3")
                     .arg(p.Program.Pages.size())
                     .arg(p.Materials.size())
                     .arg(p.Finished.toString(QStringLiteral("HH:mm:ss")));
    } else {
        parts << QStringLiteral("no playbill yet");
    }
    return parts.join(QStringLiteral("  |  "));
}

void ScreenWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(24, 24, 24));
    const int w = qMax(1, m_card->Profile().Width);
    const int h = qMax(1, m_card->Profile().Height);
    const QRect area(0, 0, width(), height() - StatusHeight);
    const int scale = qMax(1, qMin(area.width() / w, area.height() / h));
    const QPoint origin((area.width() - w * scale) / 2, (area.height() - h * scale) / 2);

    QImage screen(w, h, QImage::Format_RGB32);
    screen.fill(Qt::black);
    if (m_card->IsPlaying() && !m_player.IsEmpty())
        screen = m_player.Render(m_card->CardTime(), m_since.elapsed());

    if (scale >= 4) {
        // One round LED per pixel.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.fillRect(QRect(origin, QSize(w * scale, h * scale)), Qt::black);
        const qreal d = scale * 0.8;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x) {
                const QRgb c = screen.pixel(x, y);
                painter.setBrush((c & 0xFFFFFF) ? QColor(c) : QColor(40, 40, 40));
                painter.drawEllipse(QRectF(origin.x() + x * scale + (scale - d) / 2,
                                           origin.y() + y * scale + (scale - d) / 2, d, d));
            }
    } else {
        painter.drawImage(QRect(origin, QSize(w * scale, h * scale)), screen);
    }
    painter.setPen(Qt::lightGray);
    painter.drawText(QRect(6, height() - StatusHeight, width() - 12, StatusHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, StatusText());
}
