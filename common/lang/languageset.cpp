#include "common/lang/languageset.h"

TLanguageSet::TLanguageSet(Factory factory, int initial)
    : m_factory(factory)
    , m_current(initial)
{
}

void TLanguageSet::Select(int language, bool build)
{
    m_current = language;
    if (build && language >= 0 && language <= 2)
        m_tables[language] = m_factory(language);
}

const TLanguage *TLanguageSet::Table()
{
    if (m_current < 0 || m_current > 2)
        return nullptr;
    if (!m_tables[m_current])
        m_tables[m_current] = m_factory(m_current);
    return m_tables[m_current].get();
}
