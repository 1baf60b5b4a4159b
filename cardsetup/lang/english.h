#pragma once

#include "common/lang/language.h"

namespace cardsetup {

// The configuration tool's table in one language.
class TEnglish : public TLanguage
{
public:
    TEnglish();
};

} // namespace cardsetup
