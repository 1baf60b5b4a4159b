#include "cardsetup/lang/cardsetuplang.h"

#include "common/lang/languageset.h"
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

TLanguageSet &tables()
{
    static TLanguageSet set(buildTable, 0);
    return set;
}

const TLanguage *table()
{
    return tables().Table();
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
    tables().Select(language, build);
}

int CurLanguage()
{
    return tables().Current();
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
