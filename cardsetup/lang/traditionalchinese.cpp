#include "cardsetup/lang/traditionalchinese.h"

#include "cardsetup/lang/cardsetuplang.h"

namespace cardsetup {

TTraditionalChinese::TTraditionalChinese()
{
    AddLangRows(*this, CardSetupLangData(), LangTraditional);
}

} // namespace cardsetup
