#pragma once

#include "common/udp/codecresult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

// Six bytes of a card's MAC address and its two text forms.
struct MacAddress
{
    std::array<quint8, 6> Bytes{};

    QByteArray ToByteArray() const;
    // "00:1A:2B:3C:4D:5E": two-digit upper-case hexadecimal pairs joined by ':'.
    QString HexText() const;
    // "0:26:43:60:77:94": six decimal numbers joined by ':'.
    QString DecimalText() const;

    // Six bytes at position at of bytes; fails when they are not all there.
    static CodecResult<MacAddress> FromBytes(QByteArrayView bytes, qsizetype at = 0);
    // Hexadecimal pairs at characters 1-2, 4-5, ..., 16-17; either case.
    static CodecResult<MacAddress> FromHexText(const QString &text);
    // Six decimal numbers 0..255 separated by ':'.
    static CodecResult<MacAddress> FromDecimalText(const QString &text);

    friend bool operator==(const MacAddress &, const MacAddress &) = default;
};
