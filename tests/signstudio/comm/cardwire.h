#pragma once

#include <QByteArray>

// Frames a card sends, written out byte by byte from the frame tables (the
// code under test is not used to make them).
namespace CardWire {

struct Identity
{
    quint8 Code = 0x61;
    QByteArray Inner = QByteArray::fromHex("0102030405060708");
    QByteArray Width = "0128";
    QByteArray Height = "0064";
    char Colour = '3';
    QByteArray Version = "55";
    char Font1 = '4';
    char Font2 = '7';
    quint8 CapA = 0x1F;
    quint8 CapB = 0x15;
    char Pace = '2';
    QByteArray Trailer = QByteArray::fromHex("FFFF");
};

// A bare identity frame of 59 bytes.
QByteArray IdentityFrame(const Identity &id);
// A frame of a code with a payload.
QByteArray Frame(quint8 code, const QByteArray &payload = QByteArray());

// A reply envelope of the bus carrying a frame: marker 54 or 55, status,
// the card's address; the CRC bytes are not checked by the receiver and
// are left 00 00, the last byte is the XOR check.
QByteArray Envelope(const QByteArray &frame, quint8 marker = 0x54, quint8 status = 0x00,
                    const QByteArray &inner = QByteArray::fromHex("0102030405060708"));

// Bytes of frames sent to a card, as the tables give them.
inline const QByteArray IdentifyFrame = QByteArray::fromHex("FE5C4B8913000000710102030400000000FFFF");

} // namespace CardWire
