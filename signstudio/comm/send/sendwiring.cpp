#include "signstudio/comm/send/sendwiring.h"

#include "signstudio/comm/cardlinks.h"
#include "signstudio/comm/codec/innercode.h"
#include "signstudio/comm/codec/splitreceived.h"
#include "signstudio/comm/send/sendprocedure.h"
#include "signstudio/comm/uploadconversation.h"
#include "signstudio/model/cardlist.h"

#include <QTimer>

bool CardLinksSendLink::WriteToCard(TFIXModem *card, const QByteArray &bytes)
{
    return m_links.WriteToCard(card, bytes);
}

int CardLinksSendLink::BaudRate() const
{
    return m_links.BaudRate();
}

SendReplyRouter::SendReplyRouter(TCardList &cards, CardLinks &links, UploadConversation &conversation,
                                 SendProcedure &procedure, bool routeSerial, QObject *parent)
    : QObject(parent), m_cards(cards), m_links(links), m_conversation(conversation), m_procedure(procedure)
{
    connect(&conversation, &UploadConversation::ConfirmReceived, &procedure, &SendProcedure::RplConfirm);
    connect(&conversation, &UploadConversation::ExceptionReceived, &procedure, &SendProcedure::RplException);
    connect(&conversation, &UploadConversation::BaseIntervalReported, &procedure,
            &SendProcedure::SetBaseInterval);
    if (routeSerial)
        connect(&links, &CardLinks::SerialReceived, this, &SendReplyRouter::HandleSerialBurst);
}

int SendReplyRouter::SerialCardIndex() const
{
    if (m_cards.At(m_procedure.AutoSendCard()))
        return m_procedure.AutoSendCard();
    const int current = m_cards.IndexOfName(m_links.CurrentCardName);
    return current >= 0 ? current : 0;
}

void SendReplyRouter::HandleSerialBurst(const QByteArray &bytes)
{
    const SerialPieces pieces = SplitSerialRead(bytes);
    if (pieces.Type == SerialPieces::BareFrame) {
        m_conversation.HandleReply(SerialCardIndex(), pieces.Pieces.constFirst());
    } else if (pieces.Type == SerialPieces::Envelopes) {
        HandleEnvelope(pieces.Pieces.constFirst());
        if (pieces.Pieces.size() > 1) {
            const QByteArray second = pieces.Pieces.at(1);
            QTimer::singleShot(SecondEnvelopeDelayMs, this, [this, second] { HandleEnvelope(second); });
        }
    }
}

void SendReplyRouter::HandleEnvelope(const QByteArray &envelope)
{
    int index = -1;
    const CodecResult<InnerCode> code = InnerCode::FromBytes(envelope, 7);
    if (code) {
        if (TFIXModem *card = m_cards.FindByInnerCode(code.Value.Text()))
            index = m_cards.IndexOf(card);
    }
    if (index < 0)
        index = m_procedure.AutoSendCard();
    m_procedure.HandleBusReply(index, envelope);
}
