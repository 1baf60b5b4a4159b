#pragma once

#include "common/lang/language.h"

// The program's table in one language; the title row is composed from the
// version given (ProgramVersion() by default).
class TTraditionalChinese : public TLanguage
{
public:
    TTraditionalChinese();
    explicit TTraditionalChinese(const QString &version);
};
