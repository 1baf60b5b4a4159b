#pragma once

#include "common/udp/codecresult.h"
#include "signstudio/comm/codec/innercode.h"

#include <QByteArrayView>

#include <array>

// The record a card sends to make itself known (codes 61, 71, 72, 91).
// Offsets within the frame: 17 inner code (8 bytes), 26 width and 31 height
// (4 ASCII digits each), 36 colour digit, 38 version (2 digits), 50 and 51
// font figures, 52 and 53 capability bits, 56 pace digit.
struct CardIdentity
{
    int Command = 0;
    InnerCode Code;
    int Width = 0;
    int Height = 0;
    int ColourDigit = 0;      // 1 single, 2 double, other digits full colour
    int ColourCode = 56;      // 56, 57, 58 as kept on the card
    bool VersionValid = false;
    int Version = -1;         // -1 when the two digits are not a number
    int FontFigure1 = 5;      // 5 when not a digit
    int FontFigure2 = 8;      // 8 when not a digit; the card keeps it + 1
    std::array<bool, 10> Capabilities{}; // flags 0..4 from byte 52, 5..9 from 53, bit 4 first
    int PaceDigit = 1;        // 1 when not a digit; base interval = digit x 15 ms
    bool TrailerOk = false;   // the bytes end with FF FF

    static constexpr int MinFrameSize = 57; // up to and including the pace digit
};

// Reads an identity at offset 0 (bare frame) or 18 (frame inside an
// envelope). Fails when the bytes are too short, or width, height or colour
// are not digits. An unreadable version does not fail: VersionValid is false.
CodecResult<CardIdentity> ParseCardIdentity(QByteArrayView bytes, qsizetype offset = 0);
