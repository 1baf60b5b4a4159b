#pragma once

#include "common/lang/langtable.h"

#include <QString>

// The program's language rows (all three languages side by side), read once
// from the data file compiled into the program.
const LangTableData &SignStudioLangData();

// The version composed into the main window's title row ("V2.23" unless set
// otherwise before a table is built).
QString ProgramVersion();
void SetProgramVersion(const QString &version);
