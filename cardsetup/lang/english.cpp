#include "cardsetup/lang/english.h"

#include "cardsetup/lang/cardsetuplang.h"

namespace cardsetup {

TEnglish::TEnglish()
{
    AddLangRows(*this, CardSetupLangData(), LangEnglish);
}

} // namespace cardsetup
