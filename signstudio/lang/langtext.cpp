#include "signstudio/lang/langtext.h"

#include "common/lang/languageset.h"
#include "signstudio/lang/english.h"
#include "signstudio/lang/simplechinese.h"
#include "signstudio/lang/traditionalchinese.h"

#include <QLocale>
#include <memory>

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
    static TLanguageSet set(buildTable, 1);
    return set;
}

const TLanguage *table()
{
    return tables().Table();
}

} // namespace

QString LangText(int kind, const QString &key)
{
    const TLanguage *t = table();
    return t ? t->GetText(kind, key) : QString();
}

QStringList LangList(int kind, int index)
{
    return SetLanguage(false, CurLanguage(), kind, index);
}

QStringList LangChoices(int kind, int index, const QString &text)
{
    return SetLanguage(false, CurLanguage(), kind, index, text);
}

QString LangItem(int kind, int index, int n)
{
    const QStringList list = LangList(kind, index);
    return n >= 0 && n < list.size() ? list.at(n) : QString();
}

int CurLanguage()
{
    return tables().Current();
}

QStringList SetLanguage(bool build, int language, int kind, int index, const QString &text)
{
    tables().Select(language, build);
    if (kind == 0)
        return QStringList();
    const TLanguage *t = table();
    if (!t)
        return QStringList();
    if (text.isEmpty())
        return t->List(kind, index);
    return t->Choices(kind, index, text);
}

QList<rLgMap> LangRows(int kind)
{
    const TLanguage *t = table();
    return t ? t->Rows(kind) : QList<rLgMap>();
}

const TLanguage *CurrentLangTable()
{
    return table();
}

QString LocaleLangAbbrevFor(const QString &localeName)
{
    QString name = localeName.trimmed();
    const qsizetype cut = name.indexOf(QLatin1Char('.'));
    if (cut >= 0)
        name = name.left(cut);
    const qsizetype at = name.indexOf(QLatin1Char('@'));
    if (at >= 0)
        name = name.left(at);
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return QStringLiteral("ENU");
    const QLocale locale(name);
    if (locale.language() == QLocale::Chinese) {
        switch (locale.territory()) {
        case QLocale::China:
        case QLocale::Singapore:
            return QStringLiteral("CHS");
        case QLocale::Taiwan:
            return QStringLiteral("CHT");
        case QLocale::HongKong:
            return QStringLiteral("ZHH");
        case QLocale::Macau:
            return QStringLiteral("ZHM");
        default:
            return locale.script() == QLocale::TraditionalChineseScript ? QStringLiteral("CHT")
                                                                        : QStringLiteral("CHS");
        }
    }
    if (locale.language() == QLocale::C)
        return QStringLiteral("ENU");
    // Two letters of the language and one of the territory, as in "ENU".
    const QString lang = QLocale::languageToCode(locale.language()).left(2).toUpper();
    const QString terr = QLocale::territoryToCode(locale.territory()).left(1).toUpper();
    return QString(lang + terr).trimmed().toUpper();
}

QString LocaleLangAbbrev()
{
    QString name = qEnvironmentVariable("LC_ALL");
    if (name.isEmpty())
        name = qEnvironmentVariable("LC_MESSAGES");
    if (name.isEmpty())
        name = qEnvironmentVariable("LANG");
    if (name.isEmpty())
        name = QLocale::system().name();
    return LocaleLangAbbrevFor(name);
}

StartupLanguage ChooseStartupLanguage(int storedLgType, const QString &localeAbbrev)
{
    const QString name = localeAbbrev.trimmed().toUpper();
    const bool simplified = name == QLatin1String("CHS") || name == QLatin1String("ZHI");
    const bool traditional = name == QLatin1String("CHT") || name == QLatin1String("ZHH")
                             || name == QLatin1String("ZHM");
    StartupLanguage r;
    r.language = 2;
    r.showSimpleChn = simplified;
    r.showTraditionalChn = traditional;
    if (storedLgType != 2) {
        if (simplified)
            r.language = 0;
        else if (traditional)
            r.language = 1;
    }
    return r;
}
