#include "signstudio/render/fontcatalogue.h"

#include <QFontDatabase>
#include <QHash>

namespace FontCatalogue {
namespace {

const QHash<QString, QString> &aliases()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        const QString uming = QStringLiteral("AR PL UMing CN");
        const QString umingTw = QStringLiteral("AR PL UMing TW");
        const QString ukai = QStringLiteral("AR PL UKai CN");
        const QString ukaiTw = QStringLiteral("AR PL UKai TW");
        const QString zenhei = QStringLiteral("WenQuanYi Zen Hei");
        for (const char *n : {"宋体", "新宋体", "SimSun", "NSimSun"})
            t.insert(QString::fromUtf8(n), uming);
        for (const char *n : {"細明體", "新細明體", "MingLiU", "PMingLiU"})
            t.insert(QString::fromUtf8(n), umingTw);
        for (const char *n : {"楷体_GB2312", "楷体", "KaiTi", "KaiTi_GB2312", "隶书", "LiSu", "行书",
                              "华文行楷", "STXingkai"})
            t.insert(QString::fromUtf8(n), ukai);
        for (const char *n : {"標楷體", "DFKai-SB"})
            t.insert(QString::fromUtf8(n), ukaiTw);
        for (const char *n : {"黑体", "SimHei", "微软雅黑", "Microsoft YaHei"})
            t.insert(QString::fromUtf8(n), zenhei);
        for (const char *n : {"Arial", "Tahoma", "Verdana", "Helvetica"})
            t.insert(QString::fromUtf8(n), QStringLiteral("DejaVu Sans"));
        t.insert(QStringLiteral("Times New Roman"), QStringLiteral("DejaVu Serif"));
        t.insert(QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"));
        return t;
    }();
    return table;
}

bool installed(const QString &family)
{
    static QHash<QString, bool> known;
    auto it = known.constFind(family);
    if (it != known.constEnd())
        return *it;
    const bool has = QFontDatabase::hasFamily(family);
    known.insert(family, has);
    return has;
}

QString firstInstalledFallback()
{
    for (const QString &f : FallbackFamilies()) {
        if (installed(f))
            return f;
    }
    return FallbackFamilies().constFirst();
}

} // namespace

QStringList FallbackFamilies()
{
    return {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("AR PL UMing CN"),
            QStringLiteral("AR PL UKai CN"), QStringLiteral("WenQuanYi Micro Hei"),
            QStringLiteral("DejaVu Sans")};
}

QString InstalledFamily(const QString &faceName)
{
    const QString mapped = aliases().value(faceName);
    if (!mapped.isEmpty())
        return installed(mapped) ? mapped : firstInstalledFallback();
    if (!faceName.isEmpty() && installed(faceName))
        return faceName;
    return firstInstalledFallback();
}

int PixelSizeForPoints(int pointSize)
{
    // MulDiv(points, 96, 72) rounding half away from zero.
    const int p = qAbs(pointSize);
    return qMax(1, (p * 96 + 36) / 72);
}

QFont CardFont(const QString &faceName, int pointSize, int styleFlags)
{
    QFont font;
    QStringList families = FallbackFamilies();
    const QString family = InstalledFamily(faceName);
    families.removeAll(family);
    families.prepend(family);
    font.setFamilies(families);
    font.setPixelSize(PixelSizeForPoints(pointSize));
    font.setBold(styleFlags & Bold);
    font.setItalic(styleFlags & Italic);
    font.setUnderline(styleFlags & Underline);
    font.setStrikeOut(styleFlags & StrikeOut);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

} // namespace FontCatalogue
