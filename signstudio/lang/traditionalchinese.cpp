#include "signstudio/lang/traditionalchinese.h"

#include "signstudio/lang/langdata.h"
#include "signstudio/lang/tablebuild.h"

TTraditionalChinese::TTraditionalChinese()
    : TTraditionalChinese(ProgramVersion())
{
}

TTraditionalChinese::TTraditionalChinese(const QString &version)
{
    BuildSignStudioTable(*this, LangTraditional, version);
}
