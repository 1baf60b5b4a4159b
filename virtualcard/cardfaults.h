#pragma once

#include <QtGlobal>

// Misbehaviour a test can switch on to exercise the other side's error paths.
struct CardFaults
{
    // Ignore content packet (material, packet) the first time it arrives, which
    // leads to a resend request. 0 = off.
    int DropMaterialNo = 0;
    int DropPacketNo = 0;
    // Ignore the next n content frames outright (as if lost on the line).
    int LoseContentFrames = 0;
    // Answer the program-data frame with an exception instead of a confirmation.
    bool ExceptionOnProgram = false;
    // Answer the n-th content frame of a send (1-based) with an exception. 0 = off.
    int ExceptionOnContentFrame = 0;
    // Say nothing after the program-data frame.
    bool SilentAfterProgram = false;
    // Close the TCP connection after n content frames of a send. 0 = off.
    int DisconnectAfterContentFrames = 0;
    // The next n identities end 00 00 instead of FF FF.
    int MalformedIdentities = 0;
    // Bytes written before every reply frame.
    bool GarbageBeforeFrames = false;
    // Every reply waits this long (milliseconds).
    int ReplyDelayMs = 0;
};
