#pragma once

#include "common/lang/language.h"

namespace cardsetup {

// The configuration tool's table in one language.
class TSimpleChinese : public TLanguage
{
public:
    TSimpleChinese();
};

} // namespace cardsetup
