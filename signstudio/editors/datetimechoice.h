#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// What the property grid asks of the date-time dialog.
struct DateTimeRequest
{
    QString value;             // preset moment, may be empty (now)
    bool withPosition = false; // show the position choice and the note
    QStringList positions;     // every day, before the date, after the date
    int position = 0;
    QString note;
    int height = 0;            // window height, 0 for the natural one
};

struct DateTimeAnswer
{
    bool accepted = false;
    QString value;             // "YYYY-MM-DD HH:mm:ss"
    int position = 0;
};

// Shows the date-time dialog modally and returns the operator's choice.
DateTimeAnswer ChooseDateTime(QWidget *parent, const DateTimeRequest &request);

// The moment a preset value names ("YYYY-MM-DD HH:mm:ss" and a few close
// forms; full-width blanks count as blanks), or now when it names none.
QString DateTimeValueOrNow(const QString &value);
