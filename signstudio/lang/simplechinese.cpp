#include "signstudio/lang/simplechinese.h"

#include "signstudio/lang/langdata.h"
#include "signstudio/lang/tablebuild.h"

TSimpleChinese::TSimpleChinese()
    : TSimpleChinese(ProgramVersion())
{
}

TSimpleChinese::TSimpleChinese(const QString &version)
{
    BuildSignStudioTable(*this, LangSimplified, version);
}
