#pragma once

#include "common/lang/language.h"

#include <QList>
#include <QString>
#include <QStringList>

// Language services of signstudio. Every text of the program comes from the
// table of the current language: 0 Simplified Chinese, 1 Traditional
// Chinese, 2 English; any other value selects no table (all lookups empty).
//
// Text kinds: 0 main window, 1 main window actions, 2 property editor rows
// (key vLEditor, index = object type), 3 messages and type names, 4 picture
// group panel, 5 text editor, 6 table dialogs, 7 inner-code editor, 8 remote
// text sender, 9 preview, 10 parameter window, 11 option lists, 12 start-up
// tips, 13 card search window, 14 date-time dialog, 15 unit words, 16 network
// card choice dialog.

// Text of the first row of the kind with that key in the current table,
// "" when there is none.
QString LangText(int kind, const QString &key);

// Texts of all rows of the kind with that index, in table order.
QStringList LangList(int kind, int index);

// Choices of the first row of the kind with that index whose text equals
// text; empty when no row matches.
QStringList LangChoices(int kind, int index, const QString &text);

// Entry n (from 0) of LangList(kind, index), "" when out of range.
QString LangItem(int kind, int index, int n);

// The current language index.
int CurLanguage();

// Selects the language. With build the table of that language is built
// afresh (replacing the one built before); without build it is built only
// the first time it is needed. For kind 1-16 returns the list lookup
// (LangList, or LangChoices when text is not empty); for kind 0 returns an
// empty list: applying the language to the main window is the main window's
// work (walk LangRows(0), LangRows(1) and LangRows(4) after this call).
QStringList SetLanguage(bool build, int language, int kind = 0, int index = 0,
                        const QString &text = QString());

// The rows of a kind in the current table, in table order (key, index,
// text). Empty when no table is selected. The main window walks kind 0
// (frmMain caption, pnObjectList, pnAttrTitle, lbStopTime, cbAllCard,
// sBarStatus with index 0 and 2 for the status panels), kind 1 (first row
// whose key equals an action's name gives its caption and hint) and kind 4
// (picture group panel) with it. Keys are compared after trimming there.
QList<rLgMap> LangRows(int kind);

// The current table itself, nullptr when the language selects none.
const TLanguage *CurrentLangTable();

// Abbreviated language name of the user's locale in the form the start-up
// choice expects: zh_CN and zh_SG "CHS", zh_TW "CHT", zh_HK "ZHH",
// zh_MO "ZHM", others a three-letter form such as "ENU".
QString LocaleLangAbbrev();
// The same for a given locale name ("zh_CN", "en_US.UTF-8", "C", ...).
QString LocaleLangAbbrevFor(const QString &localeName);

// Outcome of the start-up language choice.
struct StartupLanguage
{
    int language = 2;
    bool showSimpleChn = false;      // menu item mSimpleChn visible
    bool showTraditionalChn = false; // menu item mTraditionalChn visible
};

// Start-up choice from the stored LgType (default 1) and the locale's
// abbreviation: stored 2 keeps English and offers the system's Chinese;
// anything else runs in the system's Chinese when there is one, else English.
StartupLanguage ChooseStartupLanguage(int storedLgType, const QString &localeAbbrev);
