#pragma once

#include <QByteArray>

// One queued RS-485 envelope of program data.
struct rPackSendProgram
{
    quint8 Sent = 0;      // 1 once the card has acknowledged the slice
    int Tag = 0;          // 0 playbill program data, 1 remote text program list
    int SliceCount = 0;   // slice count M of the envelope
    int SliceNumber = 0;  // slice number j
    int Length = 0;       // number of bytes of the envelope
    QByteArray Bytes;     // the envelope
};
