#include "cardsetup/lang/simplechinese.h"

#include "cardsetup/lang/cardsetuplang.h"

namespace cardsetup {

TSimpleChinese::TSimpleChinese()
{
    AddLangRows(*this, CardSetupLangData(), LangSimplified);
}

} // namespace cardsetup
