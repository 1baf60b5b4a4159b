#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

// One item of a pick-list text: row r gets either the option list
// optionList (a list of the shared option lists) or the literal values.
struct PickListItem
{
    int row = -1;
    int optionList = -1;
    QStringList values;
};

// Parses a pick-list text: a comma text whose items are a row
// number followed by values, all separated by ";". Two parts with a numeric
// second part name an option list; otherwise the parts after the row number
// are the literal values (empty ones left out). Items without a row number
// are skipped.
QList<PickListItem> ParsePickListSpec(const QString &listText);

// The pick list of each row, option lists looked up through optionList.
QMap<int, QStringList> ResolvePickLists(const QString &listText,
                                        const std::function<QStringList(int)> &optionList);
