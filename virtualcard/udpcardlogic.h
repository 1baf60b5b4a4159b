#pragma once

#include "virtualcard/cardprofile.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What the card does with one datagram on its UDP port 8800.
struct UdpOutcome
{
    QList<QByteArray> Replies;   // sent back to the sender
    bool ServerChanged = false;  // server address or port was set: (re)connect
    bool SettingsWritten = false;
    bool CloseNoticed = false;
    QString Note;                // one line for the log, empty when ignored
};

// The card side of the UDP item protocol: search, information requests by
// MAC or by IP, parameter and configuration writes, the server address and
// the close notice. Pure logic on a profile; the socket lives elsewhere.
namespace UdpCardLogic {

QByteArray BuildSearchReply(const CardProfile &profile);
// More than 170 bytes, carrying every information tag.
QByteArray BuildInfoReply(const CardProfile &profile);



UdpOutcome Handle(const QByteArray &datagram, CardProfile &profile);

} // namespace UdpCardLogic
