#pragma once

#include <QString>

// The week-day value of a page: the digits 0 (Sunday) .. 6 (Saturday) joined
// by ";", or the every-day text.
struct PlayDaySelection
{
    bool byWeek = false;
    bool days[7] = {false, false, false, false, false, false, false};

    // The selection shown for a stored value.
    static PlayDaySelection FromValue(const QString &value, const QString &everyDay);
    // The value to store; empty when by week is chosen with no day ticked.
    QString Value(const QString &everyDay) const;
};
