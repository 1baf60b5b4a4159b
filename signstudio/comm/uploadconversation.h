#pragma once

#include "signstudio/comm/codec/classifyreply.h"

#include <QByteArray>
#include <QObject>

class CardLinks;
class LinkHost;
class TCardList;
class TFIXModem;
class TcpLink;

// The conversation of networked cards with the server: a connection becomes
// a registered, online card with its first acceptable identity; afterwards
// every frame it sends is a parameter reply or goes to HandleReply.
class UploadConversation : public QObject
{
    Q_OBJECT
public:
    enum class Registration { Registered, Refused, Abandon };

    UploadConversation(TCardList &cards, LinkHost &host, CardLinks &links, QObject *parent = nullptr);

    // One read of a client connection (at most 6143 bytes).
    void HandleSocketRead(TcpLink *link, const QByteArray &bytes);
    // A frame from a connection no card owns. Registered: the card was
    // registered; Refused: the card was asked to identify again; Abandon:
    // the identity is unreadable and the rest of the read is dropped.
    Registration RegisterTcpCard(TcpLink *link, const QByteArray &frame, TFIXModem **updated = nullptr);
    // Reply handling shared by TCP and bare frames on the serial port.
    void HandleReply(int cardIndex, const QByteArray &frame);
    // A parameters reply of a card (frame longer than 35 bytes with code 51,
    // F1 or F2, or an envelope longer than 50 bytes with 51 or F2).
    void HandleParamReply(TFIXModem *card, const QByteArray &frame, int offset);

    // Connections registered since start (for load figures).
    int RegistrationCount() const { return m_registrations; }

signals:
    // A card reported its pace: base send interval in ms (digit x 15).
    void BaseIntervalReported(int ms);
    void ConfirmReceived(int cardIndex, const ReplyInfo &reply);
    void ExceptionReceived(int cardIndex);
    void ParamsWritten();
    // A parameter block was read from a card (for the parameter window).
    void ParamsRead(const QString &cardName, const QByteArray &block);
    void CardRegistered(TFIXModem *card);

private:
    void WriteNetworkClock(TFIXModem *card);

    TCardList &m_cards;
    LinkHost &m_host;
    CardLinks &m_links;
    int m_registrations = 0;
};
