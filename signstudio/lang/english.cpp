#include "signstudio/lang/english.h"

#include "signstudio/lang/langdata.h"
#include "signstudio/lang/tablebuild.h"

TEnglish::TEnglish()
    : TEnglish(ProgramVersion())
{
}

TEnglish::TEnglish(const QString &version)
{
    BuildSignStudioTable(*this, LangEnglish, version);
}
