#include "signstudio/comm/send/programtext.h"

#include "signstudio/model/project.h"
#include "signstudio/model/schedule.h"

namespace {

QString atLeast3(int n)
{
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

} // namespace

QString MaterialEntry(const TFodder &fodder, const TRegion &region)
{
    return fodder.FodderUID + QChar(fodder.TypeCode) + atLeast3(region.Left / 8) + atLeast3(region.Top)
           + atLeast3(region.Width / 8) + atLeast3(region.Height) + QStringLiteral("1") + QStringLiteral("0000")
           + QStringLiteral("00000") + QStringLiteral("#0") + QString::number(fodder.PlayTimes)
           + QLatin1Char('#') + fodder.FixedText + QLatin1Char(';');
}

ProgramPlan PlanProgram(const TProject &project, const QString &cardName)
{
    ProgramPlan plan;
    const TProgram *firstPage = project.Pages.empty() ? nullptr : project.Pages.front().get();
    const QDateTime now = project.Now();
    for (TProgram *page : project.PagesOfCard(cardName)) {
        if (page->RemotePage)
            continue;
        const QString times = page->StartTime + QLatin1Char('-') + page->EndTime + QLatin1Char('.');
        if (page == firstPage)
            plan.Text = page->PageUID + QLatin1Char(',') + times;
        else
            plan.Text += QLatin1Char(',') + times;
        plan.Schedules += ScheduleBytes(*page, now);
        for (TRegion *region : project.RegionsOfPage(page)) {
            for (TFodder *fodder : project.FoddersOfRegion(region)) {
                plan.Text += MaterialEntry(*fodder, *region);
                plan.Materials.append({fodder, region});
            }
        }
    }
    return plan;
}

QList<int> GroupNodes(const QStringList &prefixes, const QString &selectedName, const QStringList &nodeTexts,
                      const QList<int> &nodeImages)
{
    QString group;
    if (!prefixes.isEmpty()) {
        for (const QString &p : prefixes) {
            if (!p.isEmpty() && selectedName.startsWith(p)) {
                group = p;
                break;
            }
        }
        if (group.isEmpty())
            return {};
    }
    QList<int> nodes;
    for (int i = 0; i < nodeTexts.size() && nodes.size() < MaxGroupCards; ++i) {
        if (nodeImages.value(i) <= 1)
            continue;
        if (prefixes.isEmpty() || nodeTexts.at(i).startsWith(group))
            nodes.append(i);
    }
    return nodes;
}
