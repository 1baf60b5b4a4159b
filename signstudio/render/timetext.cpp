#include "signstudio/render/timetext.h"

#include "signstudio/lang/langtext.h"
#include "signstudio/render/colourtable.h"
#include "signstudio/render/fontvocabulary.h"

#include <QLocale>

namespace {

std::function<QDateTime()> &nowSource()
{
    static std::function<QDateTime()> c;
    return c;
}

QString unit(const char *key)
{
    return LangText(15, QString::fromLatin1(key));
}

QString prefix(int colour, int fontIndex, int matrixIndex)
{
    return ColourTable::NameByIndex(colour) + QLatin1Char('^') + FontNameByIndex(fontIndex)
           + QLatin1Char('^') + QString::number(PointSizeByMatrixIndex(matrixIndex)) + QLatin1Char('^');
}

QString two(qint64 v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// The moment in one of the eleven time format codes. sep: 1 unit words,
// 2 "-" and ":", 3 "/" and ":".
QString formatMoment(const QDateTime &t, int code, int display, bool twoDigitYear)
{
    const QDate d = t.date();
    const QTime tm = t.time();
    const QString Y = twoDigitYear ? two(d.year() % 100) : QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
    const QString MM = two(d.month());
    const QString DD = two(d.day());
    const QString ddd = QLocale().dayName(d.dayOfWeek(), QLocale::ShortFormat);
    const QString HH = two(tm.hour());
    const QString nn = two(tm.minute());
    const QString ss = two(tm.second());
    const QString blank = QStringLiteral(" ");
    if (display == 1) {
        switch (code) {
        case 1:
            return Y + unit("Unit_Year") + MM + unit("Unit_Month") + DD + unit("Unit_Date") + blank
                   + ddd + blank + HH + unit("Unit_Hour") + nn + unit("Unit_Minute") + ss
                   + unit("Unit_Second");
        case 2: return Y + unit("Unit_Year") + MM + unit("Unit_Month") + DD + unit("Unit_Date");
        case 3: return HH + unit("Unit_Hour") + nn + unit("Unit_Minute") + ss + unit("Unit_Second");
        case 4: return HH + unit("Unit_Hour") + nn + unit("Unit_Minute");
        case 5: return ddd;
        case 6: return Y + unit("Unit_Year");
        case 7: return MM + unit("Unit_Month");
        case 8: return DD + unit("Unit_Date");
        case 9: return HH + unit("Unit_Hour");
        case 10: return nn + unit("Unit_Minute");
        case 11: return ss + unit("Unit_Second");
        default: return QString();
        }
    }
    if (display != 2 && display != 3)
        return QString();
    const QChar colon = QLatin1Char(':');
    if (display == 3 && code == 1)
        return DD + QLatin1Char('/') + MM + QLatin1Char('/') + Y + blank + HH + colon + nn + colon + ss;
    if (display == 3 && code == 2)
        return DD + QLatin1Char('/') + MM + QLatin1Char('/') + Y;
    const QChar dash = QLatin1Char('-');
    switch (code) {
    case 1: return Y + dash + MM + dash + DD + blank + HH + colon + nn + colon + ss;
    case 2: return Y + dash + MM + dash + DD;
    case 3: return HH + colon + nn + colon + ss;
    case 4: return HH + colon + nn;
    case 5: return ddd;
    case 6: return Y;
    case 7: return MM;
    case 8: return DD;
    case 9: return HH;
    case 10: return nn;
    case 11: return ss;
    default: return QString();
    }
}

QString formatSpan(int kind, const QDateTime &target, int code, bool acc)
{
    const QDateTime now = TimeTextNow();
    qint64 s = 0;
    if ((kind == 7 && target < now) || (kind == 8 && target > now))
        s = qAbs(target.secsTo(now));
    const qint64 d = s / 86400;
    const qint64 h = s / 3600;
    const qint64 m = s / 60;
    const qint64 H = acc ? h : h % 24;
    auto mod60 = [acc](qint64 v) { return acc ? v : v % 60; };
    switch (code) {
    case 1: {
        const qint64 rest = s - d * 86400;
        return QString::number(d) + unit("Unit_Day") + QString::number(rest / 3600) + unit("Unit_Hour")
               + two((rest % 3600) / 60) + unit("Unit_Minute") + two((rest % 3600) % 60)
               + unit("Unit_Second");
    }
    case 2:
        return QString::number(H) + unit("Unit_Hour") + two(mod60((s - h * 3600) / 60))
               + unit("Unit_Minute") + two((s - h * 3600) % 60) + unit("Unit_Second");
    case 3:
        return QString::number(H) + unit("Unit_Hour") + two(mod60(m - h * 60)) + unit("Unit_Minute");
    case 4: return QString::number(d) + unit("Unit_Day");
    case 5: return QString::number(H) + unit("Unit_Hour");
    case 6: return QString::number(mod60(m)) + unit("Unit_Minute");
    case 7: return QString::number(mod60(s)) + unit("Unit_Second");
    case 8:
        return QString::number(mod60(m)) + unit("Unit_Minute") + two(mod60(s - m * 60))
               + unit("Unit_Second");
    default: return QString();
    }
}

} // namespace

QDateTime TimeTextNow()
{
    return nowSource() ? nowSource()() : QDateTime::currentDateTime();
}

void SetTimeTextClock(std::function<QDateTime()> c)
{
    nowSource() = std::move(c);
}

QString TimeText(int kind, int digitColour, int charColour, int yearDigits, bool accumulative,
                 int matrixIndex, int fontIndex, int formatCode, int displayFormat,
                 const QDateTime &moment)
{
    const QString D = prefix(digitColour, fontIndex, matrixIndex);
    const QString C = prefix(charColour, fontIndex, matrixIndex);
    QString T;
    if (displayFormat == 1 && (kind == 7 || kind == 8))
        T = formatSpan(kind, moment, formatCode, accumulative);
    else
        T = formatMoment(moment, formatCode, displayFormat, yearDigits == 1);

    for (const char *key : {"Unit_Year", "Unit_Month", "Unit_Date", "Unit_Day", "Unit_Week",
                            "Unit_Hour", "Unit_Minute", "Unit_Second"}) {
        const QString word = unit(key);
        if (!word.isEmpty())
            T.replace(word, QLatin1Char('>') + C + word + QLatin1Char('>') + D);
    }
    T.replace(QLatin1String("-"), QLatin1Char('>') + C + QLatin1String("->") + D);
    T.replace(QLatin1String("/"), QLatin1Char('>') + C + QLatin1String("/>") + D);
    T.replace(QLatin1String(":"), QLatin1Char('>') + C + QLatin1String(":>") + D);
    return D + T;
}

QString DataText(const QString &content, int digitColour, int charColour, int matrixIndex,
                 int fontIndex, int dataKind)
{
    const QString D = prefix(digitColour, fontIndex, matrixIndex);
    const QString C = prefix(charColour, fontIndex, matrixIndex);
    const bool has = !content.isEmpty();
    QString t;
    switch (dataKind) {
    case 1: t = QStringLiteral("20>") + C + (has ? content : unit("Unit_T")); break;
    case 2: t = QStringLiteral("100>") + C + (has ? content : unit("Unit_F")); break;
    case 3: t = QStringLiteral("50>") + C + (has ? content : QStringLiteral("%")); break;
    case 4: t = QStringLiteral("60>") + C + (has ? content : QStringLiteral("DB")); break;
    case 5:
    case 6: t = has ? QStringLiteral("1>") + C + content : QStringLiteral("1"); break;
    default: break;
    }
    return D + t;
}

bool TryParseMoment(const QString &text, QDateTime *moment)
{
    QString s = text.trimmed();
    s.replace(QChar(0x3000), QLatin1Char(' '));
    if (s.isEmpty())
        return false;
    static const char *const dateTimeFormats[] = {
        "yyyy-MM-dd HH:mm:ss", "yyyy-M-d H:m:s", "yyyy-M-d H:m", "yyyy/M/d H:m:s", "yyyy/M/d H:m",
        "yyyy-MM-ddTHH:mm:ss"};
    for (const char *f : dateTimeFormats) {
        const QDateTime dt = QDateTime::fromString(s, QString::fromLatin1(f));
        if (dt.isValid()) {
            *moment = dt;
            return true;
        }
    }
    for (const char *f : {"yyyy-M-d", "yyyy/M/d"}) {
        const QDate d = QDate::fromString(s, QString::fromLatin1(f));
        if (d.isValid()) {
            *moment = QDateTime(d, QTime(0, 0));
            return true;
        }
    }
    for (const char *f : {"H:m:s", "H:m"}) {
        const QTime t = QTime::fromString(s, QString::fromLatin1(f));
        if (t.isValid()) {
            // A time alone lies on day zero of the date and time arithmetic.
            *moment = QDateTime(QDate(1899, 12, 30), t);
            return true;
        }
    }
    const QLocale loc;
    for (const QString &f : {loc.dateTimeFormat(QLocale::ShortFormat),
                             loc.dateTimeFormat(QLocale::LongFormat)}) {
        const QDateTime dt = loc.toDateTime(s, f);
        if (dt.isValid()) {
            *moment = dt;
            return true;
        }
    }
    return false;
}

QDateTime ParseMoment(const QString &text)
{
    QDateTime m;
    return TryParseMoment(text, &m) ? m : TimeTextNow();
}
