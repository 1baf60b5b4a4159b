#pragma once

#include "signstudio/model/program.h"

#include <QByteArray>
#include <QDateTime>

// The 11 schedule bytes of a page for the card: "HH:MM-HH:MM" as it is
// (every day), with the colons carrying the week days (mode 2), or with the
// before/after date packed into the digits and colons (modes 0 and 1).
// A PlayDate that does not parse counts as now.
QByteArray ScheduleBytes(const TProgram &page, const QDateTime &now);
QByteArray ScheduleBytes(const TProgram &page);

// Reads a PlayDate: the system's short date format optionally followed by a
// time, and the ISO forms "yyyy-MM-dd[ HH:mm[:ss]]" and "yyyy/M/d[ H:mm[:ss]]".
// Invalid when none fits.
QDateTime ParsePlayDate(const QString &text);
// The form new play dates are written in.
inline constexpr const char kPlayDateFormat[] = "yyyy-MM-dd HH:mm:ss";
