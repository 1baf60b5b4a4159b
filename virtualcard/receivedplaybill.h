#pragma once

#include "virtualcard/programtext.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>

// One material of a received playbill, put together packet by packet.
struct ReceivedMaterial
{
    ProgramMaterial Entry;          // from the program text
    bool HeaderSeen = false;        // at least one content frame arrived
    int TypeCode = 0;
    int DisplayMode = 0;
    int DisplaySpeed = 0;
    int StayTime = 0;
    int ExtraByte1 = 0;
    int ExtraByte2 = 0;
    int ColourPlanes = 1;
    int PageCount = 0;
    int DataPacketCount = 0;
    QMap<int, QByteArray> Packets;  // packet number -> block body
    QByteArray Parameters;          // card-rendered materials
    // Inner-code text.
    int CharColor = 0;
    int FontByte = 0;
    bool RemoteText = false;        // an item of a remote text program

    // Filled by Finish().
    QByteArray CardData;
    QList<QImage> Pages;
    QString Text;                   // inner-code text, or a remote item's card text

    qint64 FirstPacketMs = -1;      // since the program frame
    qint64 LastPacketMs = -1;

    bool IsComplete() const;
    // First packet number not yet received (1-based), 0 when none is missing.
    int FirstMissingPacket() const;
    void Finish();
};

// Everything the card received in one send.
struct ReceivedPlaybill
{
    QByteArray ProgramPayload;      // the program text as received
    ProgramTextResult Program;
    QList<ReceivedMaterial> Materials; // index = MaterialNo - 1
    QDateTime Started;              // program frame arrived
    QDateTime Finished;             // final confirmation sent
    int ContentFrames = 0;
    int CrcErrors = 0;
    int ResendRequests = 0;
    int DuplicatePackets = 0;
    QString Link;                   // "tcp", "serial", "rs485"

    bool IsComplete() const;
    // (material number, packet number) of the first gap, {0, 0} when complete.
    QPair<int, int> FirstMissing() const;
};
