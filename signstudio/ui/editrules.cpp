#include "signstudio/ui/editrules.h"

#include <QTime>

namespace EditRules {

int SnapTo8(int x)
{
    const int rest = x % 8;
    int result = x - rest;
    if (rest >= 5)
        result += 8;
    else if (rest <= -5)
        result -= 8;
    return result;
}

int ReadInt(const QString &text, int def)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? v : def;
}

QString NormaliseTime(const QString &value, const QString &def)
{
    QString t = value.trimmed();
    int colon = int(t.indexOf(QLatin1Char(':'))) + 1; // 1-based, 0 when absent
    if (colon < 1 || colon > 3)
        return def;
    while (colon < 3) {
        t.prepend(QLatin1Char('0'));
        ++colon;
    }
    while (t.size() < 6)
        t.append(QLatin1Char('0'));
    t.truncate(5);
    for (int i : {0, 1, 3, 4}) {
        if (!t.at(i).isDigit() || t.at(i).unicode() > '9')
            return def;
    }
    const QTime time = QTime::fromString(t, QStringLiteral("hh:mm"));
    return time.isValid() ? t : def;
}

StayValue ReadStay(const QString &text, int def)
{
    StayValue s;
    s.value = ReadInt(text, def);
    if (s.value > 255) {
        s.value = 255;
        s.written = QStringLiteral("255");
    } else if (s.value < 0) {
        s.value = 0;
        s.written = QStringLiteral("0");
    }
    return s;
}

QString FormatUid(const QString &text)
{
    int v = ReadInt(text, 0);
    if (v < 0)
        v = 0;
    return QStringLiteral("%1").arg(v, 9, 10, QLatin1Char('0')).left(9);
}

QRect ApplyRegionRow(int row, const QString &text, const QRect &region, int pageWidth,
                     int pageHeight)
{
    int left = region.left();
    int top = region.top();
    int width = region.width();
    int height = region.height();
    switch (row) {
    case 2:
        left = SnapTo8(ReadInt(text, 0));
        if (left < 0)
            left = 0;
        if (left >= pageWidth)
            left = 0;
        if (left + width >= pageWidth)
            width = pageWidth - left;
        break;
    case 3:
        top = ReadInt(text, 0);
        if (top < 0)
            top = 0;
        if (top >= pageHeight)
            top = 0;
        if (top + height >= pageHeight)
            height = pageHeight - top;
        break;
    case 4:
        width = SnapTo8(ReadInt(text, 0));
        if (width < 12)
            width = 12;
        if (width >= pageWidth)
            width = pageWidth;
        if (left + width >= pageWidth)
            left = pageWidth - width;
        break;
    case 5:
        height = ReadInt(text, 0);
        if (height < 12)
            height = 12;
        if (height >= pageHeight)
            height = pageHeight;
        if (top + height >= pageHeight)
            top = pageHeight - height;
        break;
    default:
        break;
    }
    return QRect(left, top, width, height);
}

namespace {
constexpr int kFontCodes[] = {1, 3, 2, 4, 5};
constexpr int kCountCodes[] = {1, 2, 3, 8, 4, 5, 6, 7};
} // namespace

int FontCodeOfIndex(int index)
{
    return index >= 0 && index < 5 ? kFontCodes[index] : 0;
}

int FontIndexOfCode(int code)
{
    for (int i = 0; i < 5; ++i) {
        if (kFontCodes[i] == code)
            return i;
    }
    return -1;
}

int CountFormatCodeOfIndex(int index)
{
    return index >= 0 && index < 8 ? kCountCodes[index] : 0;
}

int CountFormatIndexOfCode(int code)
{
    for (int i = 0; i < 8; ++i) {
        if (kCountCodes[i] == code)
            return i;
    }
    return -1;
}

QStringList AllMatrices()
{
    return {QStringLiteral("12*12"), QStringLiteral("16*16"), QStringLiteral("24*24"),
            QStringLiteral("32*32"), QStringLiteral("48*48"), QStringLiteral("64*64"),
            QStringLiteral("80*80"), QStringLiteral("96*96")};
}

int MatrixCodeOfText(const QString &text)
{
    return int(AllMatrices().indexOf(text.trimmed()));
}

QString MatrixText(int code)
{
    const QStringList all = AllMatrices();
    return code >= 0 && code < all.size() ? all.at(code) : QString();
}

QStringList SizeList(int m)
{
    return AllMatrices().mid(0, qBound(1, m, 8));
}

QStringList KindsNumbers(int dataKind)
{
    QStringList out;
    if (dataKind >= 0 && dataKind <= 3) {
        out << QString::number(dataKind + 1);
    } else if (dataKind == 4) {
        for (int n = 21; n <= 40; ++n)
            out << QString::number(n);
    } else if (dataKind == 5) {
        for (int n = 41; n <= 70; ++n)
            out << QString::number(n);
    }
    return out;
}

} // namespace EditRules
