#include "virtualcard/cardprofile.h"

#include <QStringList>

namespace {

// Adds n to a big-endian byte string, carrying across bytes.
QByteArray AddTo(QByteArray bytes, int n)
{
    qint64 carry = n;
    for (qsizetype i = bytes.size() - 1; i >= 0 && carry != 0; --i) {
        const qint64 v = quint8(bytes.at(i)) + carry;
        bytes[i] = char(v & 0xFF);
        carry = v >> 8;
    }
    return bytes;
}

QByteArray ParseNumbers(const QString &text, QChar separator, int count, int base, bool *ok)
{
    const QStringList parts = text.trimmed().split(separator);
    QByteArray out;
    bool good = parts.size() == count;
    for (const QString &part : parts) {
        bool partOk = false;
        const int v = part.trimmed().toInt(&partOk, base);
        good = good && partOk && v >= 0 && v <= 255;
        out.append(char(v & 0xFF));
    }
    if (ok)
        *ok = good;
    return good ? out : QByteArray();
}

} // namespace

QString CardProfile::InnerCodeText() const
{
    QStringList parts;
    for (char c : InnerCode)
        parts << QString::number(quint8(c));
    return parts.join(QLatin1Char('_'));
}

QString CardProfile::MacText() const
{
    QStringList parts;
    for (char c : Mac)
        parts << QStringLiteral("%1").arg(quint8(c), 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

QString CardProfile::IpText(const QByteArray &ip)
{
    QStringList parts;
    for (char c : ip)
        parts << QString::number(quint8(c));
    return parts.join(QLatin1Char('.'));
}

QByteArray CardProfile::EffectiveParamBlock() const
{
    if (ParamBlock.size() == 17)
        return ParamBlock;
    QByteArray b(17, '\0');
    b[0] = 0x01;                       // scan mode
    b[1] = 0x01;                       // OE not inverted
    b[2] = char((Width >> 8) & 0xFF);
    b[3] = char(Width & 0xFF);
    b[4] = char((Height >> 8) & 0xFF);
    b[5] = char(Height & 0xFF);
    b[6] = char(ColourPlanes >= 2 ? 2 : 1);
    b[10] = 0x01;                      // RS-485 address 1
    b[11] = 0x00;                      // network client
    b[12] = 0x00;                      // 9600 baud
    b[13] = 0x22;                      // 100M
    return b;
}

void CardProfile::ApplyParamBlock(const QByteArray &block)
{
    if (block.size() != 17)
        return;
    ParamBlock = block;
    const int w = (quint8(block.at(2)) << 8) | quint8(block.at(3));
    const int h = (quint8(block.at(4)) << 8) | quint8(block.at(5));
    if (w > 0)
        Width = w;
    if (h > 0)
        Height = h;
    // The block only knows single and double colour; a full-colour card stays full.
    if (ColourPlanes < 3 && (block.at(6) == 1 || block.at(6) == 2))
        ColourPlanes = block.at(6);
}

CardProfile CardProfile::Stepped(int n) const
{
    CardProfile p = *this;
    p.InnerCode = AddTo(InnerCode, n);
    p.Mac = AddTo(Mac, n);
    if (Ip.size() == 4)
        p.Ip = AddTo(Ip, n);
    return p;
}

QByteArray CardProfile::ParseInnerCode(const QString &text, bool *ok)
{
    const QString t = text.trimmed();
    if (t.contains(QLatin1Char('_')))
        return ParseNumbers(t, QLatin1Char('_'), 8, 10, ok);
    if (t.contains(QLatin1Char(':')))
        return ParseNumbers(t, QLatin1Char(':'), 8, 16, ok);
    const QByteArray hex = QByteArray::fromHex(t.toLatin1());
    const bool good = t.size() == 16 && hex.size() == 8;
    if (ok)
        *ok = good;
    return good ? hex : QByteArray();
}

QByteArray CardProfile::ParseMac(const QString &text, bool *ok)
{
    return ParseNumbers(QString(text).replace(QLatin1Char('-'), QLatin1Char(':')), QLatin1Char(':'), 6, 16, ok);
}

QByteArray CardProfile::ParseIp(const QString &text, bool *ok)
{
    return ParseNumbers(text, QLatin1Char('.'), 4, 10, ok);
}
