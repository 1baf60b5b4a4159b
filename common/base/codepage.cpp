#include "common/base/codepage.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

QByteArray &overrideName()
{
    static QByteArray name;
    return name;
}

} // namespace

namespace CodePage {

QByteArray SystemName()
{
    if (!overrideName().isEmpty())
        return overrideName();
    const QLocale locale;
    if (locale.language() == QLocale::Chinese) {
        const auto territory = locale.territory();
        if (territory == QLocale::Taiwan || territory == QLocale::HongKong || territory == QLocale::Macau)
            return QByteArrayLiteral("Big5");
    }
    return QByteArrayLiteral("GBK");
}

void SetOverride(const QByteArray &name)
{
    overrideName() = name;
}

QByteArray EncodeAs(const QByteArray &codePage, const QString &text)
{
    QStringEncoder encoder(codePage.constData());
    if (!encoder.isValid())
        return text.toLocal8Bit();
    return encoder.encode(text);
}

QString DecodeAs(const QByteArray &codePage, const QByteArray &bytes)
{
    QStringDecoder decoder(codePage.constData());
    if (!decoder.isValid())
        return QString::fromLocal8Bit(bytes);
    return decoder.decode(bytes);
}

QByteArray Encode(const QString &text)
{
    return EncodeAs(SystemName(), text);
}

QString Decode(const QByteArray &bytes)
{
    return DecodeAs(SystemName(), bytes);
}

qsizetype ByteLength(const QString &text)
{
    return Encode(text).size();
}

QString CutToBytes(const QString &text, qsizetype maxBytes)
{
    if (maxBytes <= 0)
        return QString();
    QStringEncoder encoder(SystemName().constData());
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype step = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const qsizetype width = encoder.isValid() ? QByteArray(encoder.encode(text.mid(i, step))).size()
                                                  : text.mid(i, step).toLocal8Bit().size();
        if (used + width > maxBytes)
            break;
        used += width;
        i += step;
    }
    return text.left(i);
}

} // namespace CodePage
