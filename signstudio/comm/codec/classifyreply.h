#pragma once

#include <QByteArrayView>

// What a received frame or envelope is. Replies are told apart by their code
// (byte 8 of a bare frame, byte 26 of an envelope) and by length, never by
// packet identifier.
enum class ReplyKind {
    Unrecognised,     // too short to carry a code
    Ignored,          // a code the system does not handle
    InnerCode,        // 61: identity, the card uploads its inner code
    Identify,         // 71: identity, answer to the identify command
    MaterialUpload,   // 72: identity
    Heartbeat,        // 91: identity
    ProgramUpload,    // 21, 74
    ContentUpload,    // 32
    Exception,        // 34
    Confirm,          // 81
    Params,           // 51, F1, F2 long enough to carry a parameter block
    ParamsWritten,    // F1 otherwise
};

struct ReplyInfo
{
    ReplyKind Kind = ReplyKind::Unrecognised;
    int Code = -1;
    bool Enveloped = false;
    // Offset of the carried frame: 0 bare, 18 in an envelope.
    int FrameOffset = 0;

    // First payload byte ('1' the card has everything, '3' resend request),
    // -1 when absent. For an envelope: byte 35.
    int FirstPayloadByte = -1;
    // Resend numbers (16-bit little-endian after the first payload byte),
    // -1 when absent: material number and packet (or slice) number.
    int ResendMaterial = -1;
    int ResendPacket = -1;

    // Envelope only: byte 5 (54 acknowledgement, 55 finished), byte 6 the
    // status (00 or FF accepted) and byte 18 the slice wanted next (0 read as 1).
    int Marker = -1;
    int Status = -1;
    int WantedSlice = -1;

    bool IsIdentity() const
    {
        return Kind == ReplyKind::InnerCode || Kind == ReplyKind::Identify
               || Kind == ReplyKind::MaterialUpload || Kind == ReplyKind::Heartbeat;
    }
    bool Finished() const { return Marker == 0x55; }
    bool StatusAccepted() const { return Status == 0x00 || Status == 0xFF; }
};

// A bare frame is a parameters reply when longer than 35 bytes with code 51,
// F1 or F2; an envelope when longer than 50 bytes with code 51 or F2, and an
// enveloped F1 of any other length means the parameters were written. On the
// bus every envelope that is neither an identity (61, 71, 72) nor about
// parameters is an acknowledgement for the send in progress, whatever its
// code; the bus fields below tell what it acknowledges. Missing bytes read
// as -1, never past the end.
ReplyInfo ClassifyReply(QByteArrayView bytes, bool enveloped);
