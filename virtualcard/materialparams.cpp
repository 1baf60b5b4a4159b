#include "virtualcard/materialparams.h"

#include <QColor>

namespace {

int Hi(const QByteArray &b, int i) { return i < b.size() ? (quint8(b.at(i)) >> 4) & 0x0F : 0; }
int Lo(const QByteArray &b, int i) { return i < b.size() ? quint8(b.at(i)) & 0x0F : 0; }
int At(const QByteArray &b, int i) { return i < b.size() ? quint8(b.at(i)) : 0; }

QString Two(qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

MaterialParams MaterialParams::Decode(int typeCode, const QByteArray &b)
{
    MaterialParams p;
    p.TypeCode = typeCode;
    switch (typeCode) {
    case '0':
        p.Valid = b.size() >= 7;
        break;
    case '1':
        if (b.size() < 7)
            break;
        p.FormatCode = At(b, 0);
        p.FormatCode2 = At(b, 1);
        p.OptionCode = (At(b, 2) >> 7) & 1;
        p.Number1 = At(b, 2) & 0x7F;
        p.Number2 = At(b, 3) & 0x7F;
        p.DigitColor = Hi(b, 4);
        p.CharColor = Lo(b, 4);
        p.FontCode = Hi(b, 5);
        p.FontSizeCode = Lo(b, 5);
        p.YearDigits = Lo(b, 6);
        p.Valid = true;
        break;
    case '3':
    case '4': {
        if (b.size() < 14)
            break;
        p.FormatCode = At(b, 0);
        p.FormatCode2 = At(b, 1);
        p.OptionCode = At(b, 2);
        p.DigitColor = Hi(b, 4);
        p.CharColor = Lo(b, 4);
        p.FontCode = Hi(b, 5);
        p.FontSizeCode = Lo(b, 5);
        const QDate date(2000 + At(b, 13), At(b, 12), At(b, 11));
        const QTime time(At(b, 9), At(b, 8), At(b, 7));
        p.Target = QDateTime(date, time);
        p.Valid = true;
        break;
    }
    case '5':
        if (b.size() < 8)
            break;
        p.FormatCode2 = At(b, 0);
        p.FontCode = Hi(b, 1);
        p.FontSizeCode = Lo(b, 1);
        p.DisplaySpeed = At(b, 2);
        p.CharColor = At(b, 3);
        p.Valid = true;
        break;
    case '6': {
        if (b.size() < 17)
            break;
        p.FormatCode2 = At(b, 0);
        p.FormatCode = At(b, 1);
        p.OptionCode = At(b, 2);
        p.Number2 = (At(b, 3) >> 4) & 0x07;
        p.Number1 = (At(b, 3) >> 1) & 0x07;
        p.DigitColor = Hi(b, 4);
        p.CharColor = Lo(b, 4);
        p.FontCode = Hi(b, 5);
        p.FontSizeCode = Lo(b, 5);
        QByteArray unit = b.mid(7, 10);
        const qsizetype zero = unit.indexOf('\0');
        if (zero >= 0)
            unit.truncate(zero);
        p.Unit = QString::fromLatin1(unit);
        p.Valid = true;
        break;
    }
    default:
        break;
    }
    return p;
}

QVariantMap MaterialParams::ToMap() const
{
    QVariantMap m;
    m.insert(QStringLiteral("valid"), Valid);
    switch (TypeCode) {
    case '1':
        m.insert(QStringLiteral("formatCode"), FormatCode);
        m.insert(QStringLiteral("formatCode2"), FormatCode2);
        m.insert(QStringLiteral("lead"), OptionCode);
        m.insert(QStringLiteral("hours"), Number1);
        m.insert(QStringLiteral("minutes"), Number2);
        m.insert(QStringLiteral("yearDigits"), YearDigits);
        break;
    case '3':
    case '4':
        m.insert(QStringLiteral("formatCode"), FormatCode);
        m.insert(QStringLiteral("formatCode2"), FormatCode2);
        m.insert(QStringLiteral("optionCode"), OptionCode);
        m.insert(QStringLiteral("target"), Target.toString(Qt::ISODate));
        break;
    case '5':
        m.insert(QStringLiteral("windowAddress"), FormatCode2);
        m.insert(QStringLiteral("displaySpeed"), DisplaySpeed);
        break;
    case '6':
        m.insert(QStringLiteral("formatCode"), FormatCode);
        m.insert(QStringLiteral("formatCode2"), FormatCode2);
        m.insert(QStringLiteral("refreshSeconds"), OptionCode);
        m.insert(QStringLiteral("rightColumn"), Number1);
        m.insert(QStringLiteral("leftColumn"), Number2);
        m.insert(QStringLiteral("unit"), Unit);
        break;
    default:
        break;
    }
    if (TypeCode != '0') {
        m.insert(QStringLiteral("digitColor"), DigitColor);
        m.insert(QStringLiteral("charColor"), CharColor);
        m.insert(QStringLiteral("fontCode"), FontCode);
        m.insert(QStringLiteral("fontSizeCode"), FontSizeCode);
    }
    return m;
}

QString MaterialParams::DisplayText(const QDateTime &now) const
{
    switch (TypeCode) {
    case '0':
        return QStringLiteral("(remote text)");
    case '1': {
        const qint64 shift = (qint64(Number1) * 3600 + qint64(Number2) * 60) * (OptionCode ? 1 : -1);
        const QDateTime t = now.addSecs(shift);
        return t.toString(YearDigits == 2 ? QStringLiteral("yy-MM-dd hh:mm:ss") : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case '3':
    case '4': {
        qint64 secs = TypeCode == '3' ? now.secsTo(Target) : Target.secsTo(now);
        if (!Target.isValid() || secs < 0)
            secs = 0;
        const qint64 d = secs / 86400, h = secs / 3600 % 24, m = secs / 60 % 60, s = secs % 60;
        return QStringLiteral("%1d %2:%3:%4").arg(d).arg(Two(h), Two(m), Two(s));
    }
    case '5':
        return QStringLiteral("No. %1").arg(FormatCode2, 3, 10, QLatin1Char('0'));
    case '6':
        return QStringLiteral("--.- ") + Unit;
    default:
        return {};
    }
}

QRgb MaterialParams::ColourOf(int code)
{
    static const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(0, 0, 255),
                                   qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return (code >= 1 && code <= 7) ? colours[code - 1] : colours[0];
}

int MaterialParams::MatrixPixels(int sizeCode)
{
    static const int sizes[] = {12, 16, 24, 32, 48, 64, 80, 96};
    return (sizeCode >= 0 && sizeCode <= 7) ? sizes[sizeCode] : 16;
}

QString MaterialParams::PlainRemoteText(const QString &cardText, int *colour)
{
    QStringList texts;
    bool first = true;
    for (const QString &run : cardText.split(QLatin1Char(';'))) {
        const qsizetype mark = run.indexOf(QStringLiteral("#~"));
        if (mark < 0) {
            texts << run;
            continue;
        }
        if (first && colour) {
            // "#^attr#^colour#^font#^size#~": the colour is the second field.
            const QStringList fields = run.left(mark).split(QStringLiteral("#^"), Qt::SkipEmptyParts);
            bool ok = false;
            const int c = fields.size() >= 2 ? fields.at(1).toInt(&ok) : 0;
            *colour = ok ? c : 1;
        }
        first = false;
        texts << run.mid(mark + 2);
    }
    return texts.join(QLatin1Char(' '));
}
