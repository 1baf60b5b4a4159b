#pragma once

#include <QByteArray>
#include <QString>

// One content item frame (command 31) as the card reads it: the material's
// header, then one block of parameters or data with its trailer and CRC.
struct ContentFrame
{
    QString FodderUID;
    int DisplayMode = 0;
    int DisplaySpeed = 0;
    int StayTime = 0;
    int TypeCode = 0;
    int ExtraByte1 = 0;
    int ExtraByte2 = 0;
    bool FirstPacket = true;        // '1' in the first packet, '2' after
    int ColourPlanes = 1;           // from the colour digit 1, 2, 3
    int PageCount = 0;              // picture data; 1 otherwise; 0 for inner-code text

    // Inner-code text only: the 7 bytes before the block.
    int RegionWidth8 = 0;
    int RegionHeight = 0;
    int CharColor = 0;
    int FontByte = 0;

    QByteArray Body;                // parameter bytes, picture data or text piece
    int MaterialNo = 0;
    int DataPacketCount = 0;
    int PacketNo = 0;
    bool CrcOk = false;
    quint16 CrcReceived = 0;
    quint16 CrcComputed = 0;
    bool EndMark = false;           // "-1," after the block: last frame of the send
    bool RemoteText = false;        // an item of a remote text program (Body = its card text)

    QString Error;                  // empty when the frame could be read
    bool ok() const { return Error.isEmpty(); }

    // Picture data and inner-code text carry data blocks; the others parameters.
    static bool IsPictureType(int typeCode) { return typeCode >= '8' && typeCode <= '='; }
    static bool IsInnerCodeType(int typeCode) { return typeCode == '7'; }
    bool IsDataBlock() const { return IsPictureType(TypeCode) || IsInnerCodeType(TypeCode); }

    // Reads a whole frame (header FE 5C 4B 89 ... FF FF). A bad CRC is not an
    // error: the frame is read and CrcOk tells the caller to ask again.
    static ContentFrame Parse(const QByteArray &frame);
};
