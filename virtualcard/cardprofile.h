#pragma once

#include <QByteArray>
#include <QString>

// Everything a virtual card says about itself: the identity it uploads, the
// network settings it reports over UDP and its screen parameter block.
// All fields are settable; the defaults describe a 64 x 32 dual-colour card.
struct CardProfile
{
    QByteArray InnerCode = QByteArray::fromHex("0102030405060708"); // 8 bytes
    int Width = 64;
    int Height = 32;
    int ColourPlanes = 2;            // 1 single, 2 dual, 3 full colour
    int FirmwareVersion = 60;        // two decimal digits on the wire
    int FontFigure1 = 5;
    int FontFigure2 = 8;
    quint8 CapabilitiesA = 0x1F;     // flags 0..4 in bits 4..0
    quint8 CapabilitiesB = 0x1F;     // flags 5..9 in bits 4..0
    int PaceDigit = 2;               // base send interval = digit x 15 ms

    QByteArray Mac = QByteArray::fromHex("00A0C0010203");       // 6 bytes
    QByteArray Ip = QByteArray::fromHex("7F000002");             // 127.0.0.2
    QByteArray Mask = QByteArray::fromHex("FFFFFF00");
    QByteArray Gateway = QByteArray::fromHex("7F000001");
    QByteArray ServerIp = QByteArray::fromHex("7F000001");
    quint16 ServerPort = 8900;
    quint8 ConfigBits = 0x00;        // DHCP / DNS / domain selection bits
    QByteArray Dns = QByteArray(8, '\0');
    QByteArray Domain;               // server domain name, at most 64 bytes

    QByteArray ParamBlock;           // 17 bytes; empty means "derived from the fields above"
    QString DeviceName = QStringLiteral("TARVO");

    // "1_2_3_4_5_6_7_8"
    QString InnerCodeText() const;
    // "00:A0:C0:01:02:03"
    QString MacText() const;
    static QString IpText(const QByteArray &ip);

    // The 17-byte screen and interface block the card reports.
    QByteArray EffectiveParamBlock() const;
    // Takes the width, height and colour of a written parameter block.
    void ApplyParamBlock(const QByteArray &block);

    // The n-th card of a series: inner code, MAC and the last IP octet count up.
    CardProfile Stepped(int n) const;

    // "1_2_3_4_5_6_7_8" or "01:02:03:04:05:06:07:08" or 16 hex digits.
    static QByteArray ParseInnerCode(const QString &text, bool *ok = nullptr);
    static QByteArray ParseMac(const QString &text, bool *ok = nullptr);
    static QByteArray ParseIp(const QString &text, bool *ok = nullptr);
};
