#pragma once

#include <QtGlobal>

// Command codes of frames sent to a card.
enum CardCommand : quint8 {
    CmdProgramData = 0x22,
    CmdContentItem = 0x31,
    CmdStartPlay = 0x51,
    CmdStopPlay = 0x52,
    CmdSetClock = 0x62,
    CmdIdentify = 0x71,
    CmdWriteParams = 0xF1,
    CmdReadParams = 0xF2,
};

// Codes of frames a card sends.
enum CardReplyCode : quint8 {
    RplProgramUploadA = 0x21,
    RplContentUpload = 0x32,
    RplException = 0x34,
    RplParamsA = 0x51,
    RplInnerCode = 0x61,
    RplIdentify = 0x71,
    RplMaterialUpload = 0x72,
    RplProgramUploadB = 0x74,
    RplConfirm = 0x81,
    RplHeartbeat = 0x91,
    RplParamsWritten = 0xF1, // also a parameters reply when long enough
    RplParamsB = 0xF2,
};

// How a card is connected; the card object keeps it as LinkKind.
enum LinkKind : int {
    LinkSerial = 0,  // plain RS-232 line, bare frames
    LinkRs485 = 1,   // RS-485 bus, frames inside bus envelopes
    LinkNetwork = 2, // TCP, bare frames
};
