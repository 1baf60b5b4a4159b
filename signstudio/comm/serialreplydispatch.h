#pragma once

#include "signstudio/comm/codec/classifyreply.h"

#include <QByteArray>
#include <QObject>

#include <functional>

class CardLinks;
class TCardList;
class UploadConversation;

// Routes what arrives on the serial port: bare frames to the reply handling
// shared with TCP (for the current card, else the first), envelopes of the
// RS-485 bus to the parameter read-back or the bus acknowledgement handling.
// Identities are handed on to the registration of serial and bus cards.
class SerialReplyDispatch : public QObject
{
    Q_OBJECT
public:
    static constexpr int SecondEnvelopeDelayMs = 30;

    SerialReplyDispatch(TCardList &cards, CardLinks &links, UploadConversation &conversation,
                        QObject *parent = nullptr);

    // One serial burst (at most 3000 bytes).
    void DispatchSerialReply(const QByteArray &bytes);

    // The card that replies belong to while a send runs (an index, or -1
    // when none); it takes precedence over the current card.
    void SetPreferredCard(std::function<int()> preferred) { m_preferred = std::move(preferred); }

signals:
    // Any bare frame arrived (the serial scan takes it as "card found").
    void BareFrameSeen();
    // The current card was found: it becomes the auto-send card.
    void CurrentCardChosen(int cardIndex);
    // A card identity (61, 71, 72) at offset 0 (bare) or 18 (envelope).
    void SerialIdentity(const QByteArray &bytes, int offset, bool rs485);
    // Any other envelope, for the current card: the bus acknowledgement.
    void BusReply(int cardIndex, const QByteArray &envelope, const ReplyInfo &reply);

private:
    void HandleEnvelope(const QByteArray &envelope);
    int CurrentCardIndex() const;

    TCardList &m_cards;
    CardLinks &m_links;
    UploadConversation &m_conversation;
    std::function<int()> m_preferred;
};
