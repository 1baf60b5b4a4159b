#include "common/lang/language.h"

#include "common/base/commatext.h"

TLanguage::TLanguage() = default;
TLanguage::~TLanguage() = default;

void TLanguage::AddMap(int kind, int index, const QString &key, const QString &text,
                       const QString &choices)
{
    if (kind < 0 || kind >= KindCount)
        return;
    rLgMap row;
    row.index = index;
    row.kind = kind;
    row.key = key;
    row.text = text;
    if (!choices.isEmpty())
        row.choices = SplitCommaText(choices);
    m_lists[kind].append(row);
}

QString TLanguage::GetText(int kind, const QString &key) const
{
    for (const rLgMap &row : Rows(kind)) {
        if (row.key == key)
            return row.text;
    }
    return QString();
}

QStringList TLanguage::List(int kind, int index) const
{
    QStringList result;
    for (const rLgMap &row : Rows(kind)) {
        if (row.index == index)
            result.append(row.text);
    }
    return result;
}

QStringList TLanguage::Choices(int kind, int index, const QString &text) const
{
    for (const rLgMap &row : Rows(kind)) {
        if (row.index == index && row.text == text)
            return row.choices;
    }
    return QStringList();
}

const QList<rLgMap> &TLanguage::Rows(int kind) const
{
    static const QList<rLgMap> none;
    if (kind < 0 || kind >= KindCount)
        return none;
    return m_lists[kind];
}

int TLanguage::RowCount() const
{
    int n = 0;
    for (const auto &list : m_lists)
        n += int(list.size());
    return n;
}
