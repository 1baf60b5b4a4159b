#include "signstudio/ui/picklists.h"

#include "common/base/commatext.h"

QList<PickListItem> ParsePickListSpec(const QString &listText)
{
    QList<PickListItem> out;
    const QStringList items = SplitCommaText(listText);
    for (const QString &item : items) {
        const QStringList parts = item.split(QLatin1Char(';'));
        bool ok = false;
        PickListItem p;
        p.row = parts.value(0).toInt(&ok);
        if (!ok || p.row < 0)
            continue;
        if (parts.size() == 2) {
            bool numeric = false;
            const int n = parts.at(1).toInt(&numeric);
            if (numeric) {
                p.optionList = n;
                out.append(p);
                continue;
            }
        }
        for (int i = 1; i < parts.size(); ++i) {
            if (!parts.at(i).isEmpty())
                p.values.append(parts.at(i));
        }
        out.append(p);
    }
    return out;
}

QMap<int, QStringList> ResolvePickLists(const QString &listText,
                                        const std::function<QStringList(int)> &optionList)
{
    QMap<int, QStringList> out;
    for (const PickListItem &p : ParsePickListSpec(listText))
        out.insert(p.row, p.optionList >= 0 ? optionList(p.optionList) : p.values);
    return out;
}
