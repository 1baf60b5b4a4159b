#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// A 9-digit time-of-day identifier "HHmmsszzz". Two identifiers made in one
// run never repeat: when the clock has not moved past the last one, the
// next millisecond is taken instead of waiting.
QString NewUID();
// The same with a given clock reading (tests).
QString NewUIDAt(const QTime &now);

// Base text followed by the first n = 1, 2, ... that no sibling has; at
// n = 100 the candidate is taken even when a sibling has it.
QString NextFreeName(const QStringList &siblingNames, const QString &base);
