#include "signstudio/lang/langdata.h"

static void initLangResource()
{
    Q_INIT_RESOURCE(signstudio_lang);
}

namespace {

QString &versionText()
{
    static QString version = QStringLiteral("V2.23");
    return version;
}

} // namespace

const LangTableData &SignStudioLangData()
{
    static const LangTableData data = [] {
        initLangResource();
        return LoadLangTable(QStringLiteral(":/signstudio/lang/signstudio_lang.tsv"));
    }();
    return data;
}

QString ProgramVersion()
{
    return versionText();
}

void SetProgramVersion(const QString &version)
{
    versionText() = version;
}
