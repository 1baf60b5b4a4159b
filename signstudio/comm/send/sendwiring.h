#pragma once

#include "signstudio/comm/send/sendhost.h"

#include "signstudio/comm/send/sendprocedure.h"
#include "signstudio/model/project.h"

#include <QByteArray>
#include <QObject>

#include <memory>

class CardLinks;
class TCardList;
class UploadConversation;
class TProject;

// Writes of a send through the program's card links.
class CardLinksSendLink : public SendLink
{
public:
    explicit CardLinksSendLink(CardLinks &links) : m_links(links) {}
    bool WriteToCard(TFIXModem *card, const QByteArray &bytes) override;
    int BaudRate() const override;

private:
    CardLinks &m_links;
};

// Brings the replies of a send to the procedure: confirmations, exceptions
// and the card's pace from the reply handling of networked cards, and the
// serial bursts of the port (bare frames through the shared reply handling,
// envelopes of the RS-485 bus to the acknowledgement handling).
class SendReplyRouter : public QObject
{
    Q_OBJECT
public:
    // routeSerial: take the serial port's bursts directly; off when another
    // dispatcher already hands bare frames to the reply handling and
    // envelopes to HandleEnvelope.
    SendReplyRouter(TCardList &cards, CardLinks &links, UploadConversation &conversation,
                    SendProcedure &procedure, bool routeSerial = true, QObject *parent = nullptr);

    // One serial burst.
    void HandleSerialBurst(const QByteArray &bytes);
    // One envelope from the bus: the card it names (by inner code), else
    // the card being sent to.
    void HandleEnvelope(const QByteArray &envelope);

private:
    int SerialCardIndex() const;

    TCardList &m_cards;
    CardLinks &m_links;
    UploadConversation &m_conversation;
    SendProcedure &m_procedure;
};

// Everything a send needs, put together over the program's links: the
// procedure, its writes and its replies. The code that plugs the links into
// the main window makes one and forwards the Send command to Send.actSend().
struct SendService
{
    SendService(TProject &project, CardLinks &links, UploadConversation &conversation, SendHost &host,
                bool routeSerial = true)
        : Link(links), Send(project, host, Link), Router(project.Cards, links, conversation, Send, routeSerial)
    {
    }
    CardLinksSendLink Link;
    SendProcedure Send;
    SendReplyRouter Router;
};
