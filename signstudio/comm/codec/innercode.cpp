#include "signstudio/comm/codec/innercode.h"

#include <QStringList>

InnerCode::InnerCode()
{
    m_bytes.fill(0xFF);
}

CodecResult<InnerCode> InnerCode::FromText(const QString &text)
{
    const QStringList items = text.split(QLatin1Char('_'));
    if (items.size() != 8)
        return CodecResult<InnerCode>::Failure(
            QStringLiteral("inner code must have eight numbers joined by '_': ") + text);
    InnerCode code;
    for (int i = 0; i < 8; ++i) {
        bool ok = false;
        const qlonglong v = items[i].trimmed().toLongLong(&ok);
        code.m_bytes[i] = ok ? quint8(v & 0xFF) : 0;
    }
    return CodecResult<InnerCode>::Success(code);
}

CodecResult<InnerCode> InnerCode::FromBytes(QByteArrayView bytes, qsizetype at)
{
    if (at < 0 || bytes.size() - at < 8)
        return CodecResult<InnerCode>::Failure(QStringLiteral("inner code: fewer than 8 bytes"));
    InnerCode code;
    for (int i = 0; i < 8; ++i)
        code.m_bytes[i] = quint8(bytes[at + i]);
    return CodecResult<InnerCode>::Success(code);
}

QString InnerCode::Text() const
{
    QStringList parts;
    for (quint8 b : m_bytes)
        parts << QString::number(b);
    return parts.join(QLatin1Char('_'));
}

QByteArray InnerCode::Bytes() const
{
    return QByteArray(reinterpret_cast<const char *>(m_bytes.data()), 8);
}

bool InnerCode::IsUnreported() const
{
    return *this == InnerCode();
}

QString InnerCode::UnreportedText()
{
    return QStringLiteral("255_255_255_255_255_255_255_255");
}
