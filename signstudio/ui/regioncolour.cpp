#include "signstudio/ui/regioncolour.h"

int RegionNumberOfName(const QString &regionName, const QString &areaText)
{
    QString rest = regionName;
    if (!areaText.isEmpty())
        rest.remove(areaText);
    bool ok = false;
    const int n = rest.trimmed().toInt(&ok);
    return ok ? n : 1;
}

QColor RegionColourOfNumber(int number)
{
    switch (number) {
    case 1:
    case 8:
        return QColor(0x80, 0x80, 0x80);
    case 2:
    case 9:
        return QColor(0x80, 0x80, 0x00);
    case 3:
    case 10:
        return QColor(0x00, 0x80, 0x00);
    case 4:
    case 11:
        return QColor(0xA6, 0xCA, 0xF0);
    case 5:
    case 12:
        return QColor(0x00, 0x00, 0xFF);
    case 6:
    case 13:
        return QColor(0xFF, 0x00, 0x00);
    case 7:
    case 14:
        return QColor(0x80, 0x00, 0x00);
    default:
        return QColor(0xAB, 0xAB, 0xAB);
    }
}
