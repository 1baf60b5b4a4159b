#pragma once

#include "common/udp/codecresult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

// The 8-byte identity and bus address of a card. Text form: the eight byte
// values in decimal joined by '_'. A default InnerCode is the all-255 code of
// a card that has not reported its code.
class InnerCode
{
public:
    InnerCode();

    // The text must split at '_' into exactly eight items; each item is read
    // as a decimal number (an unreadable item counts as 0) and its low byte
    // taken. Any other count of items is refused.
    static CodecResult<InnerCode> FromText(const QString &text);
    // Eight bytes at position at; fails when they are not all there.
    static CodecResult<InnerCode> FromBytes(QByteArrayView bytes, qsizetype at = 0);

    QString Text() const;
    QByteArray Bytes() const;
    bool IsUnreported() const;

    static QString UnreportedText();

    friend bool operator==(const InnerCode &, const InnerCode &) = default;

private:
    std::array<quint8, 8> m_bytes;
};
