#include "signstudio/ui/playdayrules.h"

#include <QStringList>

PlayDaySelection PlayDaySelection::FromValue(const QString &value, const QString &everyDay)
{
    PlayDaySelection s;
    if (value == everyDay)
        return s;
    s.byWeek = true;
    const QStringList parts = value.split(QLatin1Char(';'));
    for (const QString &part : parts) {
        bool ok = false;
        const int d = part.trimmed().toInt(&ok);
        if (ok && d >= 0 && d <= 6)
            s.days[d] = true;
    }
    return s;
}

QString PlayDaySelection::Value(const QString &everyDay) const
{
    if (!byWeek)
        return everyDay;
    QStringList digits;
    for (int d = 0; d < 7; ++d) {
        if (days[d])
            digits << QString::number(d);
    }
    return digits.join(QLatin1Char(';'));
}
