#pragma once

#include <QString>

class TLanguage;

// Adds every row of the program in one language; the title row (kind 0,
// key frmMain) gets the version appended to its text.
void BuildSignStudioTable(TLanguage &table, int language, const QString &version);
