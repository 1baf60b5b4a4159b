#include "signstudio/render/runtext.h"

#include "common/base/commatext.h"
#include "signstudio/render/colourtable.h"

namespace {

int numberOr(const QString &text, int fallback)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : fallback;
}

} // namespace

QList<rContAttr> ParseRichRuns(const QString &richRunText)
{
    QList<rContAttr> runs;
    QString text = richRunText;
    text.replace(QLatin1Char(' '), QLatin1String("?*"));
    text.replace(QLatin1Char('\t'), QLatin1Char('`'));
    const QString sixBlanks(6, QLatin1Char(' '));
    const QStringList runTexts = SplitDelimited(text, QLatin1Char('>'));
    for (const QString &runText : runTexts) {
        const QStringList f = SplitDelimited(runText, QLatin1Char('^'));
        if (f.size() < 10)
            continue;
        rContAttr r;
        const int colourIndex = ColourTable::IndexByName(f.at(0));
        r.ColourName = f.at(0);
        r.Colour = ColourTable::GdiColour(colourIndex);
        r.ColourPlus = ColourTable::GdiPlusColour(colourIndex);
        r.FontName = f.at(1);
        r.FontSize = numberOr(f.at(2), 10);
        r.Bold = numberOr(f.at(3), 0) == 1;
        r.Italic = numberOr(f.at(4), 0) == 1;
        r.Underline = numberOr(f.at(5), 0) == 1;
        r.StrikeOut = numberOr(f.at(6), 0) == 1;
        r.Alignment = numberOr(f.at(7), 0);
        r.LineNo = numberOr(f.at(8), 0);
        QString t = f.at(9);
        t.replace(QLatin1String("?*"), QLatin1String(" "));
        t.replace(QLatin1Char('`'), sixBlanks);
        r.Text = t;
        r.TextLen = qint32(t.size());
        runs.append(r);
    }
    return runs;
}

QList<rPlainContAttr> ParsePlainRuns(const QString &plainRunText)
{
    QList<rPlainContAttr> runs;
    QString text = plainRunText;
    text.replace(QLatin1Char(' '), QLatin1String("*?"));
    const QStringList runTexts = SplitDelimited(text, QLatin1Char('>'));
    for (const QString &runText : runTexts) {
        const QStringList f = SplitDelimited(runText, QLatin1Char('^'));
        if (f.size() < 4)
            continue;
        rPlainContAttr r;
        r.ColourName = f.at(0);
        r.Colour = ColourTable::GdiColour(ColourTable::IndexByName(f.at(0)));
        r.FontName = f.at(1);
        r.FontSize = numberOr(f.at(2), 10);
        QString t = f.at(3);
        t.replace(QLatin1String("*?"), QLatin1String(" "));
        r.Text = t;
        r.TextLen = qint32(t.size());
        runs.append(r);
    }
    return runs;
}
