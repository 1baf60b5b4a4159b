#pragma once

#include "common/lang/language.h"

#include <memory>

// The tables of one program: at most one per language (0 Simplified,
// 1 Traditional, 2 English), built when first needed and built afresh when
// the language is chosen with build set. Any other language selects no table.
class TLanguageSet
{
public:
    using Factory = std::unique_ptr<TLanguage> (*)(int language);

    TLanguageSet(Factory factory, int initial);

    void Select(int language, bool build);
    int Current() const { return m_current; }
    // The current table, or nullptr when the language selects none.
    const TLanguage *Table();

private:
    Factory m_factory;
    int m_current;
    std::unique_ptr<TLanguage> m_tables[3];
};
