#pragma once

#include "common/lang/language.h"

namespace cardsetup {

// The configuration tool's table in one language.
class TTraditionalChinese : public TLanguage
{
public:
    TTraditionalChinese();
};

} // namespace cardsetup
