#include "signstudio/lang/tablebuild.h"

#include "common/lang/language.h"
#include "signstudio/lang/langdata.h"

void BuildSignStudioTable(TLanguage &table, int language, const QString &version)
{
    if (language < 0 || language >= LangCount)
        return;
    for (const LangTableRow &row : SignStudioLangData().rows) {
        QString text = row.text[language];
        if (row.kind == 0 && row.key == QLatin1String("frmMain"))
            text += version;
        table.AddMap(row.kind, row.index, row.key, text, row.choices[language]);
    }
}
