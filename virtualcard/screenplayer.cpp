#include "virtualcard/screenplayer.h"

#include "virtualcard/contentframe.h"
#include "virtualcard/materialparams.h"

#include <QFont>
#include <QPainter>

void ScreenPlayer::Clear()
{
    m_playbill = ReceivedPlaybill();
    m_pages.clear();
}

qint64 ScreenPlayer::StayMs(const ReceivedMaterial &m) const
{
    const int stay = m.StayTime;
    const qint64 base = stay == 0 ? 1000 : qint64(qMin(stay, 254)) * 5000;
    return qMax<qint64>(100, qint64(base * m_timeScale));
}

void ScreenPlayer::SetPlaybill(const ReceivedPlaybill &playbill, int width, int height)
{
    Clear();
    m_playbill = playbill;
    m_width = width;
    m_height = height;
    int index = 0;
    for (int pi = 0; pi < playbill.Program.Pages.size(); ++pi) {
        const ProgramPage &pp = playbill.Program.Pages.at(pi);
        Page page;
        page.ProgramPage = pi;
        for (int k = 0; k < pp.Materials.size() && index < playbill.Materials.size(); ++k, ++index) {
            const ReceivedMaterial &m = playbill.Materials.at(index);
            const QRect rect(m.Entry.RegionX, m.Entry.RegionY, m.Entry.RegionWidth, m.Entry.RegionHeight);
            Region *region = nullptr;
            for (Region &r : page.Regions)
                if (r.Rect == rect)
                    region = &r;
            if (!region) {
                page.Regions.append(Region{rect, {}, 0});
                region = &page.Regions.last();
            }
            const int pictures = ContentFrame::IsPictureType(m.TypeCode) && !m.RemoteText ? int(m.Pages.size()) : 1;
            const int times = qBound(1, m.Entry.PlayTimes, 100);
            for (int t = 0; t < times; ++t)
                for (int p = 0; p < qMax(1, pictures); ++p) {
                    region->Steps.append(Step{index, p, StayMs(m)});
                    region->CycleMs += StayMs(m);
                }
        }
        for (const Region &r : page.Regions)
            page.DurationMs = qMax(page.DurationMs, r.CycleMs);
        m_pages.append(page);
    }
}

int ScreenPlayer::RegionCount(int page) const
{
    return (page >= 0 && page < m_pages.size()) ? int(m_pages.at(page).Regions.size()) : 0;
}

qint64 ScreenPlayer::PageDurationMs(int page) const
{
    return (page >= 0 && page < m_pages.size()) ? m_pages.at(page).DurationMs : 0;
}

int ScreenPlayer::PageAt(const QDateTime &cardTime, qint64 elapsedMs) const
{
    QList<int> playing;
    qint64 total = 0;
    for (int i = 0; i < m_pages.size(); ++i)
        if (m_playbill.Program.Pages.at(m_pages.at(i).ProgramPage).Schedule.PlaysAt(cardTime)) {
            playing.append(i);
            total += m_pages.at(i).DurationMs;
        }
    if (playing.isEmpty() || total <= 0)
        return -1;
    qint64 at = qMax<qint64>(0, elapsedMs) % total;
    for (int i : playing) {
        if (at < m_pages.at(i).DurationMs)
            return i;
        at -= m_pages.at(i).DurationMs;
    }
    return playing.last();
}

QPair<int, int> ScreenPlayer::MaterialAt(int page, int region, qint64 ms) const
{
    if (page < 0 || page >= m_pages.size() || region < 0 || region >= m_pages.at(page).Regions.size())
        return {-1, 0};
    const Region &r = m_pages.at(page).Regions.at(region);
    if (r.Steps.isEmpty() || r.CycleMs <= 0)
        return {-1, 0};
    qint64 at = qMax<qint64>(0, ms) % r.CycleMs;
    for (const Step &s : r.Steps) {
        if (at < s.Ms)
            return {s.Material, s.Picture};
        at -= s.Ms;
    }
    return {r.Steps.last().Material, r.Steps.last().Picture};
}

QImage ScreenPlayer::Render(const QDateTime &cardTime, qint64 elapsedMs) const
{
    QImage screen(qMax(1, m_width), qMax(1, m_height), QImage::Format_RGB32);
    screen.fill(Qt::black);
    const int page = PageAt(cardTime, elapsedMs);
    if (page < 0)
        return screen;
    // Time into this page's turn.
    qint64 into = 0;
    {
        qint64 total = 0;
        QList<int> playing;
        for (int i = 0; i < m_pages.size(); ++i)
            if (m_playbill.Program.Pages.at(m_pages.at(i).ProgramPage).Schedule.PlaysAt(cardTime)) {
                playing.append(i);
                total += m_pages.at(i).DurationMs;
            }
        qint64 at = qMax<qint64>(0, elapsedMs) % qMax<qint64>(1, total);
        for (int i : playing) {
            if (i == page)
                break;
            at -= m_pages.at(i).DurationMs;
        }
        into = qMax<qint64>(0, at);
    }
    const Page &p = m_pages.at(page);
    for (int r = 0; r < p.Regions.size(); ++r) {
        const QPair<int, int> at = MaterialAt(page, r, into);
        if (at.first >= 0)
            Draw(screen, p.Regions.at(r), Step{at.first, at.second, 0}, cardTime);
    }
    return screen;
}

void ScreenPlayer::Draw(QImage &screen, const Region &region, const Step &step, const QDateTime &cardTime) const
{
    const ReceivedMaterial &m = m_playbill.Materials.at(step.Material);
    QPainter painter(&screen);
    painter.setClipRect(region.Rect);
    painter.fillRect(region.Rect, Qt::black);
    if (ContentFrame::IsPictureType(m.TypeCode)) {
        if (step.Picture < m.Pages.size())
            painter.drawImage(region.Rect.topLeft(), m.Pages.at(step.Picture));
        return;
    }
    QString text;
    int colour = 1;
    int size = 1;
    if (m.RemoteText) {
        text = MaterialParams::PlainRemoteText(m.Text, &colour);
    } else if (ContentFrame::IsInnerCodeType(m.TypeCode)) {
        text = m.Text;
        colour = m.CharColor;
        size = m.FontByte & 0x0F;
    } else {
        const MaterialParams params = MaterialParams::Decode(m.TypeCode, m.Parameters);
        text = params.DisplayText(cardTime);
        colour = params.CharColor;
        size = params.FontSizeCode;
    }
    if (text.isEmpty())
        return;
    QFont font;
    font.setStyleStrategy(QFont::NoAntialias);
    font.setPixelSize(qMax(6, qMin(MaterialParams::MatrixPixels(size), region.Rect.height())));
    painter.setFont(font);
    painter.setPen(QColor(MaterialParams::ColourOf(colour)));
    painter.drawText(region.Rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text);
}
