#include "common/base/commatext.h"

namespace {

bool isBlankCode(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

} // namespace

QStringList SplitDelimited(const QString &text, QChar delimiter, QChar quote)
{
    QStringList items;
    qsizetype end = text.indexOf(QChar(0));
    if (end < 0)
        end = text.size();
    auto at = [&](qsizetype i) { return i < end ? text.at(i) : QChar(0); };

    qsizetype p = 0;
    while (isBlankCode(at(p)))
        ++p;
    while (p < end) {
        QString item;
        if (at(p) == quote) {
            ++p;
            while (p < end) {
                if (at(p) == quote) {
                    if (at(p + 1) == quote) {
                        item += quote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += at(p++);
            }
        } else {
            const qsizetype start = p;
            while (at(p).unicode() > 32 && at(p) != delimiter)
                ++p;
            item = text.mid(start, p - start);
        }
        items.append(item);
        while (isBlankCode(at(p)))
            ++p;
        if (at(p) == delimiter) {
            if (p + 1 >= end)
                items.append(QString());
            do {
                ++p;
            } while (isBlankCode(at(p)));
        }
    }
    return items;
}

QStringList SplitCommaText(const QString &text)
{
    return SplitDelimited(text, QLatin1Char(','));
}

QString JoinCommaText(const QStringList &items)
{
    return items.join(QLatin1Char(','));
}
