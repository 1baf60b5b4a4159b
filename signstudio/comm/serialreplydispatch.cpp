#include "signstudio/comm/serialreplydispatch.h"

#include "signstudio/comm/cardlinks.h"
#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/splitreceived.h"
#include "signstudio/comm/uploadconversation.h"
#include "signstudio/model/cardlist.h"

#include <QPointer>
#include <QTimer>

SerialReplyDispatch::SerialReplyDispatch(TCardList &cards, CardLinks &links, UploadConversation &conversation,
                                         QObject *parent)
    : QObject(parent), m_cards(cards), m_links(links), m_conversation(conversation)
{
    connect(&m_links, &CardLinks::SerialReceived, this, &SerialReplyDispatch::DispatchSerialReply);
}

int SerialReplyDispatch::CurrentCardIndex() const
{
    if (m_preferred) {
        const int preferred = m_preferred();
        if (preferred >= 0 && preferred < m_cards.Count())
            return preferred;
    }
    if (m_links.CurrentCardName.isEmpty())
        return -1;
    return m_cards.IndexOfName(m_links.CurrentCardName);
}

void SerialReplyDispatch::DispatchSerialReply(const QByteArray &bytes)
{
    const int current = CurrentCardIndex();
    if (current >= 0)
        emit CurrentCardChosen(current);
    const SerialPieces pieces = SplitSerialRead(bytes);
    if (pieces.Type == SerialPieces::BareFrame && !pieces.Pieces.isEmpty()) {
        const QByteArray &frame = pieces.Pieces.first();
        emit BareFrameSeen();
        const int code = CardFrameCommand(frame);
        if (code == 0x61 || code == 0x71 || code == 0x72)
            emit SerialIdentity(frame, 0, false);
        if (m_cards.IsEmpty())
            return;
        // Registration may have replaced the card list: look again.
        int index = CurrentCardIndex();
        if (index < 0)
            index = 0;
        if (frame.size() > 35 && (code == 0x51 || code == 0xF1 || code == 0xF2))
            m_conversation.HandleParamReply(m_cards.At(index), frame, 0);
        else
            m_conversation.HandleReply(index, frame);
        return;
    }
    if (pieces.Type != SerialPieces::Envelopes || pieces.Pieces.isEmpty())
        return;
    HandleEnvelope(pieces.Pieces.first());
    if (pieces.Pieces.size() > 1) {
        const QByteArray second = pieces.Pieces.at(1);
        QPointer<SerialReplyDispatch> self(this);
        QTimer::singleShot(SecondEnvelopeDelayMs, this, [self, second] {
            if (self)
                self->HandleEnvelope(second);
        });
    }
}

void SerialReplyDispatch::HandleEnvelope(const QByteArray &envelope)
{
    const ReplyInfo reply = ClassifyReply(envelope, true);
    const int code = reply.Code;
    if (code == 0x61 || code == 0x71 || code == 0x72) {
        emit SerialIdentity(envelope, 18, true);
        return;
    }
    const int current = CurrentCardIndex();
    if (reply.Kind == ReplyKind::Params) {
        if (current >= 0)
            m_conversation.HandleParamReply(m_cards.At(current), envelope, 18);
        return;
    }
    if (code == 0xF1) {
        emit m_conversation.ParamsWritten();
        return;
    }
    if (current >= 0)
        emit BusReply(current, envelope, reply);
}
