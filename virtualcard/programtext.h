#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// When a page plays, decoded from its 11 schedule bytes.
struct PageSchedule
{
    QString StartTime;              // "hh:mm"
    QString EndTime;                // "hh:mm"
    int DateMode = -1;              // -1 every day, 0 before PlayDate, 1 after, 2 by weekday
    QList<int> WeekDays;            // 0 Sunday .. 6 Saturday, ascending (DateMode 2)
    QDateTime PlayDate;             // DateMode 0 and 1 (year within 2000..2063)
    bool Valid = false;
    QString Error;

    // Whether a page with this schedule plays at `moment`.
    bool PlaysAt(const QDateTime &moment) const;
};

// One material line of the program text.
struct ProgramMaterial
{
    QString FodderUID;
    int TypeCode = 0;               // the type character's code
    int RegionX = 0;                // pixels (sent as x / 8)
    int RegionY = 0;
    int RegionWidth = 0;            // pixels (sent as width / 8)
    int RegionHeight = 0;
    int PlayTimes = 1;
    QString FixedText;
    int MaterialNo = 0;             // 1-based position in the whole text
    bool RemoteItem = false;        // "<uid>#<play times>#<fixed text>" of a remote text program
};

struct ProgramPage
{
    QString PageUID;                // only the first page of the project carries it
    QByteArray ScheduleRaw;         // the 11 bytes as received
    PageSchedule Schedule;
    QList<ProgramMaterial> Materials;
};

struct ProgramTextResult
{
    QList<ProgramPage> Pages;
    QString Error;                  // empty on success
    bool ok() const { return Error.isEmpty(); }
    int MaterialCount() const;
    const ProgramMaterial *FindMaterial(const QString &fodderUid) const;
};

namespace ProgramText {

// Decodes a page's 11 schedule bytes (plain "hh:mm-hh:mm" text, weekday
// bits in the colons, or a date woven into the high bits).
PageSchedule DecodeSchedule(const QByteArray &bytes);

// Parses the payload of a program-data frame.
ProgramTextResult Parse(const QByteArray &payload);

} // namespace ProgramText
