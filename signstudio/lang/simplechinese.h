#pragma once

#include "common/lang/language.h"

// The program's table in one language; the title row is composed from the
// version given (ProgramVersion() by default).
class TSimpleChinese : public TLanguage
{
public:
    TSimpleChinese();
    explicit TSimpleChinese(const QString &version);
};
