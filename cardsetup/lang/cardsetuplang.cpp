#include "cardsetup/lang/cardsetuplang.h"

#include "cardsetup/lang/english.h"
#include "cardsetup/lang/simplechinese.h"
#include "cardsetup/lang/traditionalchinese.h"

#include <memory>

static void initCardSetupLangResource()
{
    Q_INIT_RESOURCE(cardsetup_lang);
}

namespace cardsetup {

namespace {

struct LangState
{
    int current = 0;
    std::unique_ptr<TLanguage> tables[3];
};

LangState &state()
{
    static LangState s;
    return s;
}

std::unique_ptr<TLanguage> buildTable(int language)
{
    switch (language) {
    case 0:
        return std::make_unique<TSimpleChinese>();
    case 1:
        return std::make_unique<TTraditionalChinese>();
    case 2:
        return std::make_unique<TEnglish>();
    default:
        return nullptr;
    }
}

const TLanguage *table()
{
    LangState &s = state();
    if (s.current < 0 || s.current > 2)
        return nullptr;
    if (!s.tables[s.current])
        s.tables[s.current] = buildTable(s.current);
    return s.tables[s.current].get();
}

} // namespace

QString ProgramVersion()
{
    return QStringLiteral("V3.45");
}

const LangTableData &CardSetupLangData()
{
    static const LangTableData data = [] {
        initCardSetupLangResource();
        return LoadLangTable(QStringLiteral(":/cardsetup/lang/cardsetup_lang.tsv"));
    }();
    return data;
}

void SetLanguage(bool build, int language)
{
    LangState &s = state();
    s.current = language;
    if (build && language >= 0 && language <= 2)
        s.tables[language] = buildTable(language);
}

int CurLanguage()
{
    return state().current;
}

QString LangText(int kind, const QString &key)
{
    const TLanguage *t = table();
    return t ? t->GetText(kind, key) : QString();
}

QList<rLgMap> LangRows(int kind)
{
    const TLanguage *t = table();
    return t ? t->Rows(kind) : QList<rLgMap>();
}

QStringList LangTexts(int kind)
{
    QStringList texts;
    for (const rLgMap &row : LangRows(kind))
        texts.append(row.text);
    return texts;
}

QString LangItem(int kind, int position)
{
    const QStringList texts = LangTexts(kind);
    return position >= 0 && position < texts.size() ? texts.at(position) : QString();
}

QString MainCaption()
{
    return ProgramVersion() + QLatin1Char(' ') + LangText(11, QStringLiteral("softwear_title"));
}

} // namespace cardsetup
