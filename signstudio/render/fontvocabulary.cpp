#include "signstudio/render/fontvocabulary.h"

#include "signstudio/render/fontcatalogue.h"

namespace {

constexpr int kMatrixPoints[8] = {9, 12, 18, 23, 36, 48, 60, 72};
// The labelled entries of the size list (24 points is labelled 32*32).
constexpr int kLabelledPoints[8] = {9, 12, 18, 24, 36, 48, 60, 72};
constexpr const char *kMatrixNames[8] = {"12*12", "16*16", "24*24", "32*32",
                                         "48*48", "64*64", "80*80", "96*96"};

int labelIndex(int pointSize)
{
    for (int i = 0; i < 8; ++i) {
        if (kLabelledPoints[i] == pointSize)
            return i;
    }
    return -1;
}

} // namespace

QString FontNameByIndex(int index)
{
    switch (index) {
    case 2: return QString::fromUtf8("楷体_GB2312");
    case 3: return QString::fromUtf8("黑体");
    case 4: return QString::fromUtf8("隶书");
    case 5: return QString::fromUtf8("行书");
    default: return QString::fromUtf8("宋体");
    }
}

int PointSizeByMatrixIndex(int matrixIndex, int defaultSize)
{
    return matrixIndex >= 0 && matrixIndex < 8 ? kMatrixPoints[matrixIndex] : defaultSize;
}

QString MatrixName(int matrixIndex)
{
    return matrixIndex >= 0 && matrixIndex < 8 ? QString::fromLatin1(kMatrixNames[matrixIndex])
                                               : QString();
}

QStringList FontSizeItems()
{
    QStringList items;
    for (int p = 9; p <= 72; ++p)
        items.append(ShowFontSizeItem(p));
    return items;
}

int ParseFontSizeItem(const QString &text)
{
    const qsizetype bracket = text.indexOf(QLatin1Char('['));
    bool ok = false;
    const int v = (bracket >= 0 ? text.left(bracket) : text).trimmed().toInt(&ok);
    return ok ? v : 9;
}

QString ShowFontSizeItem(int pointSize)
{
    const int i = labelIndex(pointSize);
    if (i >= 0)
        return QString::number(pointSize) + QLatin1Char('[') + QLatin1String(kMatrixNames[i])
               + QLatin1Char(']');
    if (pointSize == 0)
        return QStringLiteral("9");
    return QString::number(pointSize);
}

int FontStyleFromFlags(int bold, int italic, int underline, int strikeOut)
{
    int s = 0;
    if (bold == 1)
        s |= FontCatalogue::Bold;
    if (italic == 1)
        s |= FontCatalogue::Italic;
    if (underline == 1)
        s |= FontCatalogue::Underline;
    if (strikeOut == 1)
        s |= FontCatalogue::StrikeOut;
    return s;
}
