#pragma once

#include "signstudio/model/fodder.h"
#include "signstudio/model/sendfdrcontent.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// Content item frames (command 0x31): a header naming the material and how
// it is shown, then a block of parameters or pixel/text data with a trailer
// and a CRC, then, on the very last frame of a send, the end mark "-1,".

constexpr quint8 CmdContentItemCode = 0x31;
constexpr int PicturePacketSize = 2048;   // bytes of card data per picture packet
constexpr int InnerTextPieceSize = 1024;  // UTF-16 characters per inner-code packet
constexpr int ContentSliceSize = 256;     // RS-485 slice of a frame
inline const QByteArray ContentEndMark = QByteArrayLiteral("-1,");

// Packets of picture data: ceil(cardDataLen / 2048).
int PicturePacketCount(qint64 cardDataLen);
// Packets of an inner-code text: ceil(UTF-16 length / 1024).
int InnerTextPacketCount(const QString &text);

// True for the type codes of card-drawn materials sent as one parameter
// frame ('0' '1' '3' '4' '5' '6'), of inner-code text ('7') and of picture
// data ('8' '9' ':' ';' '<' '=').
bool IsParameterType(int typeCode);
bool IsInnerTextType(int typeCode);
bool IsPictureType(int typeCode);

// The content header: the frame bytes from offset 17 on (FodderUID in the
// system code page, ',', display mode, speed and stay time, the validity
// digits, 0x0E (0x13 for '7'), 00 00 00, 55 AA, 00 00, type code, the two
// extra bytes, packet marker '1'/'2', colour digit '1'/'2'/'3', '1',
// PageCount LE16 and 00 00; for '7' the count is 00 00 and the last two
// bytes are left out).
QByteArray ContentHeader(const TFodder &material, bool firstPacket, int colourCode, int pageCount);

// A block: LE32 length of what follows, the bytes, FF 00, material number,
// packet count and packet number (LE16 each), CRC-16/MODBUS high byte first.
// The CRC of a parameter block covers everything after the length up to the
// packet number; that of a data block only the last data byte and the eight
// bytes after it.
QByteArray ContentBlock(const QByteArray &bytes, int materialNo, int packetCount, int packetNo,
                        bool dataBlock);

// Parameter bytes of a card-drawn material ('0' '1' '3' '4' '5' '6'); empty
// for other type codes. Counters take Content as their target, or now
// (TimeTextNow) when Content is empty or does not read.
QByteArray ParameterBytes(const TFodder &material);

// Payload of a remote text program item: FodderUID, ',', display bytes,
// validity digits, 03 00 00 00, "all", LE32 length + 1, ';', the text, and
// "-1," when the material is the last of the send.
QByteArray RemoteTextPayload(const TFodder &material, const QByteArray &cardText);

// Turns an item's content into the text the card receives (type code as the
// content attribute); the remote text window supplies it.
using RemoteTextFormatter = std::function<QString(int typeCode, const QString &content)>;

struct BuildResult
{
    bool Ok = false;
    QString Error;
    int Frames = 0;          // records appended
    QString LastPacketId;    // text form of the identifier of the last frame built
};

class TCardList;

// Builds the frames of one converted material and appends them in order to
// queue: one record per frame, or per 256-byte slice of picture and
// inner-code frames when sliced (RS-485). Nothing is appended on failure.
BuildResult BuildContentFrames(const TFodder &material, bool sliced, int colourCode, int H, int W,
                               QList<rSendFdrContent> &queue,
                               const RemoteTextFormatter &formatter = {});

// The same for the card at cardIndex of the card list: its ColourCode gives
// the planes' colour digit, the records go to its ContentQueue and the card
// keeps the last packet identifier. An index outside the list fails.
BuildResult BuildContentFrames(const TFodder &material, bool sliced, TCardList &cards, int cardIndex,
                               int H, int W, const RemoteTextFormatter &formatter = {});
