#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// Texts that imitate what the card shows for time, count-up, count-down and
// real-time data materials: a PlainRunText in which digits carry the digit
// colour and unit words and separators the character colour. Unit words
// come from the language tables (kind 15), weekday names from the default
// locale.

// "Now" for counters and for materials without a target; tests set a fixed
// clock, an empty function restores the system clock.
QDateTime TimeTextNow();
void SetTimeTextClock(std::function<QDateTime()> clock);

// kind 4 formats moment; kinds 7 (count-up) and 8 (count-down) show the span
// between moment (the target) and now. yearDigits 1 = two-digit year.
QString TimeText(int kind, int digitColour, int charColour, int yearDigits, bool accumulative,
                 int matrixIndex, int fontIndex, int formatCode, int displayFormat,
                 const QDateTime &moment);

// Sample value of real-time data of a data kind (1 Celsius .. 6 external).
QString DataText(const QString &content, int digitColour, int charColour, int matrixIndex,
                 int fontIndex, int dataKind);

// The text as a date and time ("2024-01-15 09:30:00", "2024/1/15 9:30",
// "2024-01-15", a time alone on day 1899-12-30, or the locale's short
// forms); a text that does not read gives TimeTextNow().
QDateTime ParseMoment(const QString &text);
// Like ParseMoment, but tells whether the text did read.
bool TryParseMoment(const QString &text, QDateTime *moment);
