#pragma once

#include "virtualcard/receivedplaybill.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QRect>

// Plays a received playbill on a W x H screen: the pages whose schedule
// allows the card time take turns; in each page every region shows its
// materials in order, every picture page for the material's stay time
// (units of 5 s; 0 counts as 1 s), repeated play-count times. Card-drawn
// materials are drawn from their parameters. Effects are not simulated.
class ScreenPlayer
{
public:
    void SetPlaybill(const ReceivedPlaybill &playbill, int width, int height);
    void Clear();
    bool IsEmpty() const { return m_pages.isEmpty(); }
    // Stretches (> 1) or shortens (< 1) every stay time; 1 by default.
    void SetTimeScale(double scale) { m_timeScale = scale > 0 ? scale : 1.0; }

    // The screen at `elapsedMs` since the playbill was set.
    QImage Render(const QDateTime &cardTime, qint64 elapsedMs) const;

    // Index of the page showing, -1 when no page may play.
    int PageAt(const QDateTime &cardTime, qint64 elapsedMs) const;
    // Milliseconds one page takes to show every region's materials once.
    qint64 PageDurationMs(int page) const;
    // Material (index into the playbill) showing in region `region` of page
    // `page` and the picture page within it, at `ms` into the page.
    QPair<int, int> MaterialAt(int page, int region, qint64 ms) const;
    int RegionCount(int page) const;

private:
    struct Step
    {
        int Material = -1;  // index into m_playbill.Materials
        int Picture = 0;    // page within the material
        qint64 Ms = 0;
    };
    struct Region
    {
        QRect Rect;
        QList<Step> Steps;
        qint64 CycleMs = 0;
    };
    struct Page
    {
        int ProgramPage = 0;
        QList<Region> Regions;
        qint64 DurationMs = 1000;
    };

    qint64 StayMs(const ReceivedMaterial &m) const;
    void Draw(QImage &screen, const Region &region, const Step &step, const QDateTime &cardTime) const;

    ReceivedPlaybill m_playbill;
    QList<Page> m_pages;
    int m_width = 0;
    int m_height = 0;
    double m_timeScale = 1.0;
};
