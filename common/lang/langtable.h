#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class TLanguage;

// The three languages of a table, in the order of the language index.
enum LangIndex { LangSimplified = 0, LangTraditional = 1, LangEnglish = 2, LangCount = 3 };

// One row of a language data file with the texts of all three languages.
struct LangTableRow
{
    int kind = 0;
    int index = 0;
    QString key;
    QString text[LangCount];
    QString choices[LangCount]; // comma texts, empty for almost every row
    int line = 0;               // line number in the data file
};

struct LangTableData
{
    QList<LangTableRow> rows;
    QString error; // empty when the data was read whole
    bool ok() const { return error.isEmpty(); }
};

// Reads a UTF-8 tab-separated table: kind, index, key, Simplified,
// Traditional, English, then optionally the choices in the same three
// languages. Empty lines and lines starting with '#' are skipped. Inside a
// field "\t", "\n" and "\\" stand for tab, line break and backslash.
// Any malformed line makes the whole result an error naming that line.
LangTableData ParseLangTable(const QByteArray &data);

// Reads a table from a file or resource path.
LangTableData LoadLangTable(const QString &path);

// Adds every row of the data in one language to a table, in file order.
void AddLangRows(TLanguage &table, const LangTableData &data, int language);
