#pragma once

#include "virtualcard/cardprofile.h"

#include <QByteArray>
#include <QDateTime>

// Frames a card sends, built on the shared frame codec.
namespace CardReplies {

// The identity record (codes 61, 71, 72, 91): inner code, size, colour,
// version, font figures, capability bytes and pace digit at their offsets.
// `malformed` ends it 00 00 instead of FF FF.
QByteArray Identity(quint8 code, const CardProfile &profile, bool malformed = false);

// 81 "1": the card has everything (or accepts the program text).
QByteArray Confirm();
// 81 "3" + material number + packet (or slice) number, both 16-bit little-endian.
QByteArray ResendRequest(int materialNo, int packetNo);
// 34: the card cannot accept the frame.
QByteArray Exception();
// F2 with the 17-byte parameter block (a parameters reply).
QByteArray Params(quint8 code, const QByteArray &block);
// F1 without payload: parameters written.
QByteArray ParamsWritten();

// A reply on the bus: the frame inside an envelope addressed with the card's
// inner code, marker 54 (acknowledgement) or 55 (finished), a status byte,
// and, when wantedSlice >= 0, byte 18 replaced by the slice wanted next.
QByteArray BusReply(const QByteArray &innerCode, const QByteArray &frame, quint8 marker,
                    quint8 status = 0x00, int wantedSlice = -1);

// Clock text "1#YYYYMMDDWWhhmmss#" with an optional "ppp#" poll time.
struct ClockText
{
    QDateTime Moment;
    int PollTime = -1; // -1 for the serial variant
    bool Valid = false;
};
ClockText ParseClock(const QByteArray &payload);

} // namespace CardReplies
