#include "signstudio/comm/uploadconversation.h"

#include "signstudio/comm/cardlinks.h"
#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/cardidentity.h"
#include "signstudio/comm/codec/commandcodes.h"
#include "signstudio/comm/codec/commandframes.h"
#include "signstudio/comm/codec/paramreply.h"
#include "signstudio/comm/codec/splitreceived.h"
#include "signstudio/comm/linkhost.h"
#include "signstudio/comm/linkinterface.h"
#include "signstudio/comm/tcpcardhandle.h"
#include "signstudio/comm/tcplink.h"
#include "signstudio/model/cardlist.h"

UploadConversation::UploadConversation(TCardList &cards, LinkHost &host, CardLinks &links, QObject *parent)
    : QObject(parent), m_cards(cards), m_host(host), m_links(links)
{
    connect(&m_links, &CardLinks::SocketRead, this, &UploadConversation::HandleSocketRead);
}

void UploadConversation::HandleSocketRead(TcpLink *link, const QByteArray &bytes)
{
    if (!link)
        return;
    const QList<QByteArray> frames = SplitTcpRead(bytes);
    if (frames.isEmpty())
        return;
    const std::shared_ptr<TcpCardHandle> handle = m_links.HandleOf(link);
    const QDateTime now = m_links.Now();
    const QList<TFIXModem *> owners = m_cards.FindBySocket(handle.get());
    TFIXModem *owner = owners.isEmpty() ? nullptr : owners.first();
    if (owner)
        owner->Touch(now);
    for (const QByteArray &frame : frames) {
        if (!owner) {
            TFIXModem *updated = nullptr;
            const Registration r = RegisterTcpCard(link, frame, &updated);
            if (r == Registration::Abandon)
                return;
            // A card that was updated owns the connection for the rest of
            // the read; a newly created one registers again by its code.
            if (r == Registration::Registered && updated)
                owner = updated;
            continue;
        }
        owner->Touch(now);
        const int code = CardFrameCommand(frame);
        if (frame.size() > 35 && (code == 0x51 || code == 0xF1 || code == 0xF2))
            HandleParamReply(owner, frame, 0);
        else
            HandleReply(m_cards.IndexOf(owner), frame);
    }
}

UploadConversation::Registration UploadConversation::RegisterTcpCard(TcpLink *link, const QByteArray &frame,
                                                                     TFIXModem **updated)
{
    if (updated)
        *updated = nullptr;
    const int code = CardFrameCommand(frame);
    if ((code != RplInnerCode && code != RplMaterialUpload && code != RplHeartbeat)
        || !EndsWithTrailer(frame)) {
        m_links.SendIdentify(2, link);
        return Registration::Refused;
    }
    const CodecResult<CardIdentity> parsed = ParseCardIdentity(frame, 0);
    if (!parsed)
        return Registration::Abandon;
    const CardIdentity &id = parsed.Value;
    if (!id.VersionValid) {
        m_links.SendIdentify(2, link);
        return Registration::Refused;
    }
    emit BaseIntervalReported(id.PaceDigit * 15);

    const std::shared_ptr<TcpCardHandle> handle = m_links.HandleOf(link);
    const QString ip = handle->PeerAddress();
    const QString mac = m_links.MacLookup(ip);
    const QString codeText = id.Code.Text();
    const QDateTime now = m_links.Now();
    const int pollTime = m_host.PollTime();
    m_links.CurrentCardName = codeText;

    QString cardName = codeText;
    bool sizeChanged = false;
    TFIXModem *owner = nullptr;
    const QList<TFIXModem *> known = m_cards.FindAllByInnerCode(codeText);
    for (TFIXModem *card : known) {
        cardName = card->Name;
        if (card->ScreenWidth != id.Width || card->ScreenHeight != id.Height)
            sizeChanged = true;
        card->IpAddress = ip;
        card->MacAddress = mac;
        card->LastHeard = now;
        card->ApplyIdentity(id, 2);
        card->GoOnline(handle, pollTime);
        owner = card;
    }

    bool nodeShown = false;
    if (owner) {
        if (updated)
            *updated = owner;
        nodeShown = m_host.SelectCardNode(cardName);
    } else {
        auto created = TFIXModem::Create(2, codeText, QString(), ip, codeText, mac, QString(),
                                         m_cards.Count() + 1, id.Width, id.Height, id.ColourCode,
                                         id.Version, id.FontFigure1, id.FontFigure2 + 1);
        created->GoOnline(handle, pollTime);
        created->LastHeard = now;
        created->ApplyIdentity(id, 2);
        owner = m_cards.Append(std::move(created));
        m_host.AddCardNode(owner);
        nodeShown = true;
    }

    m_links.Server().MarkRegistered(link);
    ++m_registrations;
    if (nodeShown) {
        m_host.SetCardNodeImage(cardName, 2);
        m_host.ShowCardSelected(owner);
        if (sizeChanged)
            m_host.ResizeCardScreen(owner);
        if (code == RplInnerCode)
            WriteNetworkClock(owner);
    }
    emit CardRegistered(owner);
    return Registration::Registered;
}

void UploadConversation::HandleReply(int cardIndex, const QByteArray &frame)
{
    TFIXModem *card = m_cards.At(cardIndex);
    if (!card)
        return;
    const ReplyInfo info = ClassifyReply(frame, false);
    switch (info.Kind) {
    case ReplyKind::Exception:
        emit ExceptionReceived(cardIndex);
        break;
    case ReplyKind::ParamsWritten:
        emit ParamsWritten();
        break;
    case ReplyKind::Confirm:
        if (info.FirstPayloadByte == '1' || info.FirstPayloadByte == '3')
            emit ConfirmReceived(cardIndex, info);
        break;
    case ReplyKind::InnerCode:
        WriteNetworkClock(card);
        break;
    default:
        break; // notices, heartbeats and unknown codes need no answer
    }
}

void UploadConversation::HandleParamReply(TFIXModem *card, const QByteArray &frame, int offset)
{
    const CodecResult<ParamReply> parsed = ParseParamBlock(frame, offset);
    if (!parsed)
        return;
    if (parsed.Value.NeedsWriteBack() && m_links.SerialOpen()) {
        // A card that reports another interface than the serial port is set
        // back to it; this correction always goes bare on the serial port.
        m_links.Serial()->Write(BuildParamWriteBackFrame(NewPacketId(), parsed.Value));
    }
    emit ParamsRead(card ? card->Name : QString(), parsed.Value.Raw);
}

void UploadConversation::WriteNetworkClock(TFIXModem *card)
{
    const PacketId id = NewPacketId();
    card->LastPacketId = id.Text;
    if (m_links.WriteToCard(card, BuildNetworkClockFrame(id, m_links.Now(), m_host.PollTime())))
        card->SendMark = 0;
}
