#include "common/lang/langtable.h"

#include "common/lang/language.h"

#include <QFile>

namespace {

QString unescape(const QString &field)
{
    if (!field.contains(QLatin1Char('\\')))
        return field;
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c == QLatin1Char('\\') && i + 1 < field.size()) {
            const QChar n = field.at(i + 1);
            if (n == QLatin1Char('t')) {
                out += QLatin1Char('\t');
                ++i;
                continue;
            }
            if (n == QLatin1Char('n')) {
                out += QLatin1Char('\n');
                ++i;
                continue;
            }
            if (n == QLatin1Char('\\')) {
                out += QLatin1Char('\\');
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

LangTableData ParseLangTable(const QByteArray &data)
{
    LangTableData result;
    const QString all = QString::fromUtf8(data);
    const QStringList lines = all.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int lineNo = int(n + 1);
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 6 && f.size() != 9) {
            result.error = QStringLiteral("line %1: %2 fields, expected 6 or 9").arg(lineNo).arg(f.size());
            result.rows.clear();
            return result;
        }
        LangTableRow row;
        bool okKind = false;
        bool okIndex = false;
        row.kind = f.at(0).toInt(&okKind);
        row.index = f.at(1).toInt(&okIndex);
        if (!okKind || !okIndex || row.kind < 0 || row.kind > 16 || f.at(2).isEmpty()) {
            result.error = QStringLiteral("line %1: bad kind, index or key").arg(lineNo);
            result.rows.clear();
            return result;
        }
        row.key = f.at(2);
        for (int l = 0; l < LangCount; ++l) {
            row.text[l] = unescape(f.at(3 + l));
            if (f.size() == 9)
                row.choices[l] = unescape(f.at(6 + l));
        }
        row.line = lineNo;
        result.rows.append(row);
    }
    return result;
}

LangTableData LoadLangTable(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LangTableData result;
        result.error = QStringLiteral("cannot open %1").arg(path);
        return result;
    }
    return ParseLangTable(file.readAll());
}

void AddLangRows(TLanguage &table, const LangTableData &data, int language)
{
    if (language < 0 || language >= LangCount)
        return;
    for (const LangTableRow &row : data.rows)
        table.AddMap(row.kind, row.index, row.key, row.text[language], row.choices[language]);
}
