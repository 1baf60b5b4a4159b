#pragma once

#include <QString>

// Date modes of a page's schedule.
enum TDateMode { dmEveryDay = -1, dmBeforeDate = 0, dmAfterDate = 1, dmWeekDays = 2 };

// One display page of a card's playbill (or of the remote text program,
// RemotePage 1, without a card name).
class TProgram
{
public:
    QString CardName;
    QString PageName;
    QString PageUID;
    QString PanelName;            // the page's canvas panel
    QString StartTime = QStringLiteral("00:00");
    QString EndTime = QStringLiteral("24:00");
    QString WeekDays;             // "1;2;3" or the every-day text
    QString PlayDate;             // before/after date, see ScheduleBytes
    int RemotePage = 0;
    int DateMode = dmEveryDay;
    QString ScreenPanelName;      // the card's screen panel
};
