#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The identifier in bytes 9..12 of a frame: a number 0..99999 stored most
// significant byte first; its text form (8 upper-case hexadecimal digits) is
// kept on the card as its last packet identifier.
struct PacketId
{
    quint32 Number = 0;
    QString Text;     // "0001869F"
    QByteArray Bytes; // 4 bytes, most significant first

    static PacketId FromNumber(quint32 number);
    // The fixed identifier 01 02 03 04 of the bare identify frame.
    static PacketId Identify();
};

// A fresh identifier from the shared random generator (thread-safe).
PacketId NewPacketId();

// Tests install a generator of known numbers; an empty function restores
// the random one. Numbers are taken modulo 100000.
void SetPacketIdGenerator(std::function<quint32()> generator);
