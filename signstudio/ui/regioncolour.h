#pragma once

#include <QColor>
#include <QString>

// Region panels are coloured by the number in the region's name at creation
// (the name without the area text; 1 when that is not a number).
int RegionNumberOfName(const QString &regionName, const QString &areaText);
// 1/8 grey, 2/9 olive, 3/10 green, 4/11 sky blue, 5/12 blue, 6/13 red,
// 7/14 maroon, anything else the application-workspace grey.
QColor RegionColourOfNumber(int number);
