#pragma once

#include "common/lang/language.h"
#include "common/lang/langtable.h"

#include <QList>
#include <QString>
#include <QStringList>

// Language services of cardsetup: 0 Simplified Chinese, 1 Traditional
// Chinese, 2 English; any other value selects no table (lookups empty).
//
// Kinds: 0 the nine group headers (by position), 1 menu items (by name),
// 2 the three buttons (by position), 3/4/5 the label lists of the screen,
// communication and network rows (index = row), 8 device list columns,
// 9 search window, 10 about box, 11 title and messages, 12 combo items
// (by position 0-25), 13 configuration-mode choices, 14 DNS check box,
// 15 server IP / domain radio buttons, 16 network card choice dialog.
namespace cardsetup {

// The program's version text shown in the title.
QString ProgramVersion();

// The rows of the three languages side by side, read once from the data
// file compiled into the program.
const LangTableData &CardSetupLangData();

// Selects the language; with build its table is built afresh, otherwise
// only when first needed. Applying it to the window is the window's work.
void SetLanguage(bool build, int language);
int CurLanguage();

// Text of the first row of the kind with exactly that key, "" when none.
QString LangText(int kind, const QString &key);

// The rows of a kind in table order; empty when no table is selected.
QList<rLgMap> LangRows(int kind);

// Texts of a kind in table order (positional use), and one of them ("" out
// of range).
QStringList LangTexts(int kind);
QString LangItem(int kind, int position);

// Window title: the version, a blank and the text of softwear_title.
QString MainCaption();

} // namespace cardsetup
