#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One row of a language table: a key tied to its text in one language.
struct rLgMap
{
    int index = 0;       // position or sub-list number inside its kind
    int kind = 0;        // which of the row lists (0-16)
    QString key;         // component, action, message or list name
    QString text;        // the text in the table's language
    QStringList choices; // extra texts, empty for almost every row
};

// A language table: 17 row lists, one per text kind, each in the order the
// rows were added. The tables of a program add the same (kind, index, key)
// sequence in every language, so a lookup that works in one works in all.
class TLanguage
{
public:
    static constexpr int KindCount = 17;

    TLanguage();
    virtual ~TLanguage();

    // Appends a row to its kind; choices is a comma text (empty: none).
    // A kind outside 0-16 is ignored.
    void AddMap(int kind, int index, const QString &key, const QString &text,
                const QString &choices = QString());

    // Text of the first row of the kind with exactly that key, else "".
    QString GetText(int kind, const QString &key) const;

    // Texts of the kind's rows with that index, in table order.
    QStringList List(int kind, int index) const;
    // Choices of the first row of the kind with that index and text; empty
    // when no row matches.
    QStringList Choices(int kind, int index, const QString &text) const;

    // The rows of a kind in table order (empty list for a kind out of range).
    const QList<rLgMap> &Rows(int kind) const;
    int RowCount() const;

private:
    QList<rLgMap> m_lists[KindCount];
};
