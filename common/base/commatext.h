#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The comma-text convention shared by settings, program files, pick lists and
// language choices: items end at the delimiter and at any character with a
// code of 32 or less (skipped between items); an item starting with a double
// quote runs to the matching quote, doubled quotes standing for one; a
// delimiter at the very end adds one empty item; two delimiters in a row give
// an empty item. A NUL character ends the text.
QStringList SplitDelimited(const QString &text, QChar delimiter, QChar quote = QLatin1Char('"'));

// Comma text: SplitDelimited with ','.
QStringList SplitCommaText(const QString &text);

// Joining is the reverse with plain delimiters and no quoting.
QString JoinCommaText(const QStringList &items);
