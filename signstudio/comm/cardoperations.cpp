#include "signstudio/comm/cardoperations.h"

#include "signstudio/comm/cardlinks.h"
#include "signstudio/comm/codec/commandframes.h"
#include "signstudio/comm/codec/linkencoding.h"
#include "signstudio/comm/linkhost.h"
#include "signstudio/comm/linkinterface.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/model/cardlink.h"
#include "signstudio/model/cardlist.h"

CardOperations::CardOperations(TCardList &cards, LinkHost &host, CardLinks &links)
    : m_cards(cards), m_host(host), m_links(links)
{
    Now = [] { return QDateTime::currentDateTime(); };
}

TFIXModem *CardOperations::SelectedCard(bool *anySelected)
{
    const QString name = m_host.SelectedCardName();
    if (anySelected)
        *anySelected = !name.isEmpty();
    if (name.isEmpty())
        return nullptr;
    m_links.CurrentCardName = name;
    return m_cards.FindByName(name);
}

void CardOperations::WriteShort(TFIXModem *card, const QByteArray &frame, const QString &packetIdText)
{
    card->LastPacketId = packetIdText;
    LinkInterface *serial = m_links.Serial();
    if (m_links.CurrentMode() == CardLinks::Mode::Rs485) {
        const CodecResult<QByteArray> enveloped = EncodeForLink(frame, 1, card->InnerCode);
        if (enveloped && serial->IsOpen())
            serial->Write(enveloped.Value);
        return;
    }
    if (card->LinkKind == 0 || card->LinkKind == 1) {
        if (serial->IsOpen())
            serial->Write(frame);
    } else if (card->Socket) {
        card->Socket->WriteBytes(frame);
    }
}

TFIXModem *CardOperations::CommandSelected(const std::function<QByteArray(const PacketId &)> &build,
                                           const QString &tipKey)
{
    bool selected = false;
    TFIXModem *card = SelectedCard(&selected);
    if (!selected)
        return nullptr;
    if (card) {
        const PacketId id = NewPacketId();
        WriteShort(card, build(id), id.Text);
    }
    m_host.ShowStatus(4, LangText(3, tipKey));
    return card;
}

void CardOperations::actBeginPlay()
{
    CommandSelected(BuildStartPlayFrame, QStringLiteral("tip_card_stard_play_send"));
}

void CardOperations::actStopPlay()
{
    CommandSelected(BuildStopPlayFrame, QStringLiteral("tip_card_stop_play_send"));
}

void CardOperations::actAdjTime()
{
    TFIXModem *card = CommandSelected([this](const PacketId &id) { return BuildSerialClockFrame(id, Now()); },
                                      QStringLiteral("tip_card_calibration_send"));
    if (card)
        card->SendMark = 0;
}

void CardOperations::actScreenParam()
{
    bool selected = false;
    TFIXModem *card = SelectedCard(&selected);
    if (!card)
        return;
    // The parameters are always read over the serial port.
    const PacketId id = NewPacketId();
    card->LastPacketId = id.Text;
    const QByteArray frame = BuildReadParamsFrame(id);
    LinkInterface *serial = m_links.Serial();
    if (!serial->IsOpen())
        return;
    if (m_links.CurrentMode() == CardLinks::Mode::Rs485) {
        const CodecResult<QByteArray> enveloped = EncodeForLink(frame, 1, card->InnerCode);
        if (enveloped)
            serial->Write(enveloped.Value);
    } else {
        serial->Write(frame);
    }
}

CardOperations::ParamWindowRequest CardOperations::CheckCmmParaSet()
{
    ParamWindowRequest request;
    request.ShowNetCardChoice = m_host.IsShowMulNetCard();
    request.ScreenSize = m_host.CurrentScreenSize();
    const QString name = m_host.SelectedCardName();
    if (name.isEmpty()) {
        request.Open = true;
        return request;
    }
    TFIXModem *card = m_cards.FindByName(name);
    if (!card)
        return request; // a selected card that is not in the list: nothing happens
    const bool online = m_host.CardNodeImage(name) > 1;
    const bool network = m_links.CurrentMode() == CardLinks::Mode::Network;
    request.CardName = name;
    request.NoCardSelected = !online;
    if (network && online && card->FirmwareVersion < 54) {
        m_host.ShowMessageBox(LangText(3, QStringLiteral("warn_card_version_low_cfg")));
        return request;
    }
    if (network) {
        const QStringList parts = card->MacAddress.split(QLatin1Char(':'));
        QByteArray mac(6, '\0');
        for (int i = 0; i < 6 && i < parts.size(); ++i)
            mac[i] = char(parts.at(i).trimmed().toInt() & 0xFF);
        request.Mac = mac;
    }
    request.Open = true;
    return request;
}

void CardOperations::actCmmParaSet()
{
    const ParamWindowRequest request = CheckCmmParaSet();
    if (!request.Open)
        return;
    m_host.ShowMessageBox(QStringLiteral("The communication and parameter window is not available yet."));
}
