#pragma once

#include <QByteArray>

// One queued content item frame (or RS-485 slice) of a send.
struct rSendFdrContent
{
    quint8 Sent = 0;      // 1 once sent (never set on the last item of a plain serial or TCP send)
    int MaterialNo = 0;   // number of the material within the send, from 1
    int ItemValue = 0;    // the material's DataPacketCount; not used by the send logic
    int PacketNo = 0;     // packet number within the material, from 1
    int PacketCount = 1;  // slices of this packet: 1 on plain serial and TCP
    int PacketIndex = 1;  // number of this slice: 1 on plain serial and TCP
    int TypeCode = 0;     // the material's type code character
    int Length = 0;       // number of bytes of Data
    QByteArray Data;      // the whole frame (plain serial, TCP) or the envelope payload (RS-485)
};
