#include "signstudio/comm/send/sendprocedure.h"

#include "common/base/codepage.h"
#include "common/base/commatext.h"
#include "signstudio/comm/codec/busenvelope.h"
#include "signstudio/comm/codec/commandframes.h"
#include "signstudio/comm/codec/innercode.h"
#include "signstudio/comm/codec/packetid.h"
#include "signstudio/comm/codec/splitforbus.h"
#include "signstudio/comm/send/sendhost.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/model/fixmodem.h"
#include "signstudio/model/project.h"
#include "signstudio/render/contentframes.h"
#include "signstudio/render/convertforsend.h"

#include <algorithm>

namespace {

constexpr int InnerTextTypeCode = '7';
constexpr int PlainSerialExtraMs = 1000;

} // namespace

SendProcedure::SendProcedure(TProject &project, SendHost &host, SendLink &link, QObject *parent)
    : QObject(parent), m_project(project), m_host(host), m_link(link)
{
    tAutoSend.setObjectName(QStringLiteral("tAutoSend"));
    tAutoSend.setInterval(AutoSendDesignMs);
    // Pacing is part of the protocol: no coarse timer slack.
    tAutoSend.setTimerType(Qt::PreciseTimer);
    tReSend.setObjectName(QStringLiteral("tReSend"));
    tReSend.setInterval(ReSendMs);
    tSendStutas.setObjectName(QStringLiteral("tSendStutas"));
    tSendStutas.setInterval(WatchdogMs);
    connect(&tAutoSend, &QTimer::timeout, this, &SendProcedure::OnAutoSendTick);
    connect(&tReSend, &QTimer::timeout, this, &SendProcedure::OnReSendTick);
    connect(&tSendStutas, &QTimer::timeout, this, &SendProcedure::OnSendStatusTick);

    Defer = [this](int ms, std::function<void()> fn) { QTimer::singleShot(ms, this, std::move(fn)); };
    Text = [](const QString &key) { return LangText(3, key); };
}

SendProcedure::~SendProcedure() = default;

// ---------------------------------------------------------------- helpers

void SendProcedure::Status(const QString &key)
{
    m_host.ShowTip(Text(key));
}

void SendProcedure::Ended(TFIXModem *card, const QString &outcome)
{
    emit SendEnded(card ? card->Name : QString(), outcome);
}

void SendProcedure::HideProgress()
{
    m_progress = 0;
    m_host.SetProgressPosition(0);
    m_host.SetProgressVisible(false);
}

void SendProcedure::SetProgress(int position)
{
    m_progress = position;
    m_host.SetProgressPosition(position);
}

bool SendProcedure::PlainSerial(const TFIXModem *card) const
{
    return card && card->LinkKind != 2 && !m_host.Rs485Mode();
}

int SendProcedure::NodeOfCard(const QString &name) const
{
    for (int i = 0; i < m_host.CardNodeCount(); ++i) {
        if (m_host.CardNodeText(i).trimmed() == name)
            return i;
    }
    return -1;
}

TFIXModem *SendProcedure::AutoCard() const
{
    return m_project.Cards.At(m_autoSendCard);
}

bool SendProcedure::GroupSendRunning() const
{
    return m_groupPos < m_group.size();
}

void SendProcedure::SetBaseInterval(int ms)
{
    m_base = ms;
    tAutoSend.setInterval(ms + m_host.NetDelayTime());
}

// ---------------------------------------------------------------- action

void SendProcedure::actSend()
{
    for (int i = 0; i < m_host.CardNodeCount(); ++i) {
        if (m_host.CardNodeImage(i) == 3)
            m_host.SetCardNodeImage(i, 2);
    }
    const int selected = m_host.SelectedCardNode();
    if (!m_host.IsSendAll()) {
        m_group.clear();
        m_groupPos = 0;
        if (selected < 0)
            Status(QStringLiteral("warn_send_program_card"));
        else
            StartSendToCard(selected);
        return;
    }
    m_group.clear();
    m_groupPos = 0;
    QStringList prefixes = SplitCommaText(m_host.GroupName());
    prefixes.removeAll(QString());
    if (!prefixes.isEmpty() && selected < 0) {
        Status(QStringLiteral("warn_send_program_card"));
        return;
    }
    QStringList texts;
    QList<int> images;
    for (int i = 0; i < m_host.CardNodeCount(); ++i) {
        texts.append(m_host.CardNodeText(i));
        images.append(m_host.CardNodeImage(i));
    }
    m_group = GroupNodes(prefixes, selected >= 0 ? m_host.CardNodeText(selected).trimmed() : QString(), texts,
                         images);
    NextGroupCard();
}

void SendProcedure::StartSendToCard(int node)
{
    Defer(1, [this, node] { SendToCard(node); });
}

void SendProcedure::NextGroupCard()
{
    if (!m_host.IsSendAll() || m_groupPos >= m_group.size())
        return;
    StartSendToCard(m_group.at(m_groupPos++));
}

// ---------------------------------------------------------------- procedure

void SendProcedure::ResetSendState()
{
    CancelConversion();
    tAutoSend.stop();
    tReSend.stop();
    tSendStutas.stop();
    m_failCount = -1;
    m_lastProgress = -1;
    m_savedText.clear();
    m_savedSchedules.clear();
    // Queues of an earlier send that did not end (another card, or the
    // same card restarted) are dropped: only one transfer runs at a time.
    if (TFIXModem *old = AutoCard()) {
        old->ContentQueue.clear();
        old->SliceQueue.clear();
    }
    m_autoSendCard = -1;
    ++m_generation;
}

void SendProcedure::CancelConversion()
{
    if (!m_conversion.Active)
        return;
    m_conversion.Active = false;
    ReleaseBuffers();
    m_conversion.Plan = ProgramPlan();
}

void SendProcedure::SendToCard(int node)
{
    ResetSendState();
    const QString name = m_host.CardNodeText(node).trimmed();
    const bool online = m_host.CardNodeImage(node) > 1;
    const quint64 generation = m_generation;
    Defer(StartWaitMs, [this, name, online, generation] {
        if (generation != m_generation)
            return;
        if (!online) {
            Status(QStringLiteral("warn_card_offline"));
            emit SendEnded(name, QStringLiteral("refused"));
            NextGroupCard();
            return;
        }
        if (m_project.Pages.empty() || m_project.Regions.empty() || m_project.Fodders.empty()) {
            Status(QStringLiteral("warn_contents_empty_Send"));
            emit SendEnded(name, QStringLiteral("refused"));
            NextGroupCard();
            return;
        }
        TFIXModem *card = m_project.Cards.FindByName(name);
        if (!card) {
            emit SendEnded(name, QStringLiteral("refused"));
            NextGroupCard();
            return;
        }
        if (card->LinkKind == 2 && !card->Socket) {
            emit SendEnded(name, QStringLiteral("refused"));
            NextGroupCard();
            return;
        }
        if (card->InnerCode == QLatin1String(kUnsetInnerCode)) {
            Status(QStringLiteral("warn_innercode_error"));
            emit SendEnded(name, QStringLiteral("refused"));
            NextGroupCard();
            return;
        }
        m_autoSendCard = m_project.Cards.IndexOf(card);
        card->ContentQueue.clear();
        card->SliceQueue.clear();
        if (card->FirmwareVersion < MinFirmware) {
            m_host.ShowMessageBox(Text(QStringLiteral("warn_card_version_low_send")));
            emit SendEnded(name, QStringLiteral("refused"));
            NextGroupCard();
            return;
        }
        ProgramPlan plan = PlanProgram(m_project, name);
        if (plan.Materials.isEmpty()) {
            // The card's own playbill is empty even though others are not.
            Status(QStringLiteral("warn_contents_empty_Send"));
            emit SendEnded(name, QStringLiteral("refused"));
            NextGroupCard();
            return;
        }
        m_conversion = Conversion();
        m_conversion.Active = true;
        m_conversion.Generation = generation;
        m_conversion.CardIndex = m_autoSendCard;
        m_conversion.Plan = std::move(plan);
        m_lastText = m_conversion.Plan.Text;
        m_materialCount = int(m_conversion.Plan.Materials.size());
        ConvertNext(generation);
    });
}

// One material per turn of the event loop, so input is handled between
// materials.
void SendProcedure::ConvertNext(quint64 generation)
{
    Defer(MaterialWaitMs, [this, generation] {
        if (generation != m_generation || !m_conversion.Active)
            return;
        TFIXModem *card = m_project.Cards.At(m_conversion.CardIndex);
        const int i = m_conversion.Next;
        const SendMaterial &m = m_conversion.Plan.Materials.at(i);
        const bool alive = card && m_project.IndexOfFodder(m.Fodder) >= 0 && m_project.IndexOfRegion(m.Region) >= 0;
        if (!alive) {
            // The card or the material went away while converting.
            CancelConversion();
            if (card)
                card->ContentQueue.clear();
            emit SendEnded(card ? card->Name : QString(), QStringLiteral("refused"));
            NextGroupCard();
            return;
        }
        m_host.ShowTip(ConvertStatusText(card->Name));
        TFodder &fodder = *m.Fodder;
        const int W = m.Region->Width;
        const int H = m.Region->Height;
        fodder.IsLastMaterial = false;
        const ConvertResult converted = ConvertForSend(fodder, W, H, card->ColourCode);
        bool ok = converted.Ok;
        if (ok) {
            fodder.MaterialNo = i + 1;
            Status(QStringLiteral("tip_load_send_contents"));
            ok = BuildContentFrames(fodder, m_host.Rs485Mode(), card->ColourCode, H, W, card->ContentQueue).Ok;
        }
        if (!ok) {
            Status(QStringLiteral("warn_material_empty_send"));
            CancelConversion();
            card->ContentQueue.clear();
            emit SendEnded(card->Name, QStringLiteral("refused"));
            NextGroupCard();
            return;
        }
        m_conversion.Next = i + 1;
        if (m_conversion.Next < m_conversion.Plan.Materials.size())
            ConvertNext(generation);
        else
            FinishConversion();
    });
}

void SendProcedure::FinishConversion()
{
    TFIXModem *card = m_project.Cards.At(m_conversion.CardIndex);
    const ProgramPlan &plan = m_conversion.Plan;
    const SendMaterial &last = plan.Materials.constLast();
    last.Fodder->IsLastMaterial = true;
    const int lastNo = last.Fodder->MaterialNo;
    card->ContentQueue.removeIf([lastNo](const rSendFdrContent &item) { return item.MaterialNo == lastNo; });
    BuildContentFrames(*last.Fodder, m_host.Rs485Mode(), card->ColourCode, last.Region->Height,
                       last.Region->Width, card->ContentQueue);
    Status(QStringLiteral("tip_program_send_start"));

    const QByteArray text = CodePage::Encode(plan.Text);
    if (!m_host.Rs485Mode()) {
        m_savedText = plan.Text;
        m_savedSchedules = plan.Schedules;
        // The watchdog also covers a card that stays silent after the
        // program frame went out; its confirmation stops it.
        WriteProgramFrame(card, text, plan.Schedules);
        tSendStutas.start();
    } else {
        const CodecResult<InnerCode> code = InnerCode::FromText(card->InnerCode);
        for (const BusSlice &s : SplitForBus(text, code.Value)) {
            rPackSendProgram p;
            p.Tag = 0;
            p.SliceCount = s.SliceCount;
            p.SliceNumber = s.SliceNumber;
            p.Length = int(s.Envelope.size());
            p.Bytes = s.Envelope;
            card->SliceQueue.append(p);
        }
        if (WriteSlice(card, 1))
            emit ProgramWritten(card->Name);
        tSendStutas.start();
    }
    m_conversion.Active = false;
    ReleaseBuffers();
    m_conversion.Plan = ProgramPlan();
}

void SendProcedure::ReleaseBuffers()
{
    for (const SendMaterial &m : std::as_const(m_conversion.Plan.Materials)) {
        if (m_project.IndexOfFodder(m.Fodder) < 0)
            continue;
        m.Fodder->CardData = QByteArray();
        m.Fodder->CardDataLen = 0;
    }
}

bool SendProcedure::WriteProgramFrame(TFIXModem *card, const QByteArray &text, const QByteArray &schedules)
{
    if (!card)
        return false;
    const PacketId id = NewPacketId();
    const CodecResult<QByteArray> frame = BuildProgramDataFrame(id, text, schedules);
    card->SendPhase = 1;
    if (!frame)
        return false;
    if (!m_link.WriteToCard(card, frame.Value))
        return false;
    card->LastPacketId = id.Text;
    card->SendMark = 0;
    emit ProgramWritten(card->Name);
    return true;
}

// ---------------------------------------------------------------- plain serial and TCP

void SendProcedure::RplConfirm(int cardIndex, const ReplyInfo &reply)
{
    TFIXModem *card = m_project.Cards.At(cardIndex);
    if (!card)
        return;
    tSendStutas.stop();
    const int phase = card->SendPhase;
    if (reply.FirstPayloadByte == '3' && phase == 3) {
        tAutoSend.stop();
        const int at = ResendStart(card, reply.ResendMaterial, reply.ResendPacket, false);
        if (at >= 0) {
            for (int i = at; i < card->ContentQueue.size(); ++i)
                card->ContentQueue[i].Sent = 0;
            rSendFdrContent &item = card->ContentQueue[at];
            if (m_link.WriteToCard(card, item.Data) || PlainSerial(card)) {
                if (at < card->ContentQueue.size() - 1)
                    item.Sent = 1;
                if (PlainSerial(card))
                    m_base = std::max(35, int((qint64(item.Length) + 300) * 10000 / std::max(1, m_link.BaudRate())));
            }
            card->SendPhase = 3;
            SetProgress(at + 1);
        }
        tAutoSend.start();
        Status(QStringLiteral("tip_program_sending"));
        return;
    }
    if (phase == 0) {
        m_autoSendCard = cardIndex;
        tAutoSend.start();
        return;
    }
    if (phase == 1) {
        m_autoSendCard = cardIndex;
        tAutoSend.start();
        Status(QStringLiteral("tip_program_sending"));
        m_host.SetProgressMaximum(int(card->ContentQueue.size()));
        SetProgress(0);
        m_host.SetProgressVisible(true);
        return;
    }
    if (reply.FirstPayloadByte == '1' && (phase == 3 || phase == 4)) {
        tAutoSend.stop();
        tAutoSend.setInterval(m_base);
        HideProgress();
        Status(QStringLiteral("tip_program_sent"));
        card->ContentQueue.clear();
        for (int i = 0; i < m_host.CardNodeCount(); ++i) {
            if (m_host.CardNodeText(i).trimmed() == card->Name)
                m_host.SetCardNodeImage(i, 3);
        }
        Ended(card, QStringLiteral("sent"));
        NextGroupCard();
    }
}

void SendProcedure::RplException(int cardIndex)
{
    TFIXModem *card = m_project.Cards.At(cardIndex);
    tAutoSend.stop();
    tAutoSend.setInterval(m_base);
    tSendStutas.stop();
    HideProgress();
    Status(QStringLiteral("tip_except"));
    if (card)
        card->ContentQueue.clear();
    Ended(card, QStringLiteral("exception"));
    NextGroupCard();
}

int SendProcedure::ResendStart(const TFIXModem *card, int material, int number, bool bySlice) const
{
    if (material > m_materialCount)
        material = m_materialCount;
    for (int i = 0; i < card->ContentQueue.size(); ++i) {
        const rSendFdrContent &item = card->ContentQueue.at(i);
        if (item.MaterialNo == material && (bySlice ? item.PacketIndex : item.PacketNo) == number)
            return i;
    }
    return -1;
}

void SendProcedure::OnAutoSendTick()
{
    tAutoSend.stop();
    TFIXModem *card = AutoCard();
    if (!card || (card->SendPhase != 1 && card->SendPhase != 3))
        return; // remote text items are paced by the remote text window
    const int delay = m_host.NetDelayTime();
    const bool serial = PlainSerial(card);
    bool written = false;
    bool lastWritten = false;
    int typeCode = 0;
    QList<rSendFdrContent> &queue = card->ContentQueue;
    for (int i = 0; i < queue.size(); ++i) {
        rSendFdrContent &item = queue[i];
        if (item.Sent)
            continue;
        const bool ok = m_link.WriteToCard(card, item.Data);
        card->SendPhase = 3;
        SetProgress(i + 1);
        if (ok || serial) {
            written = true;
            card->SendMark = 0;
            typeCode = item.TypeCode;
            if (i == queue.size() - 1)
                lastWritten = true;
            else
                item.Sent = 1;
            if (serial)
                m_base = std::max(35, int((qint64(item.Length) + 300) * 10000 / std::max(1, m_link.BaudRate())));
        }
        break;
    }
    int interval;
    if (lastWritten || !written) {
        ++m_failCount;
        interval = lastWritten ? m_base * 25 + delay : m_base * 4 + delay;
    } else if (typeCode == InnerTextTypeCode) {
        interval = m_base * 10 + delay;
    } else {
        interval = m_base + delay;
    }
    if (serial)
        interval += PlainSerialExtraMs;
    tAutoSend.setInterval(interval);
    if (m_failCount > MaxAutoSendFails) {
        m_failCount = -1;
        m_lastProgress = -1;
        HideProgress();
        Status(QStringLiteral("warn_program_send_failed"));
        // The transfer is abandoned: its frames are released.
        card->ContentQueue.clear();
        Ended(card, QStringLiteral("failed"));
        NextGroupCard();
        return;
    }
    tAutoSend.start();
}

void SendProcedure::OnSendStatusTick()
{
    tSendStutas.stop();
    Status(QStringLiteral("warn_comm_send_exception"));
    TFIXModem *card = AutoCard();
    Ended(card, QStringLiteral("watchdog"));
    NextGroupCard();
    if (card && !m_savedText.isEmpty() && !m_host.Rs485Mode()) {
        const QString text = m_savedText;
        m_savedText.clear(); // one retry only
        WriteProgramFrame(card, CodePage::Encode(text), m_savedSchedules);
    }
}

// ---------------------------------------------------------------- RS-485

bool SendProcedure::WriteBus(TFIXModem *card, const QByteArray &envelope)
{
    const bool ok = m_link.WriteToCard(card, envelope);
    if (ok)
        card->SendMark = 0;
    tReSend.start();
    return ok;
}

bool SendProcedure::WriteSlice(TFIXModem *card, int sliceNumber)
{
    for (const rPackSendProgram &p : std::as_const(card->SliceQueue)) {
        if (p.Sent || p.SliceNumber != sliceNumber)
            continue;
        card->SendPhase = 1;
        card->CurrentSlice = sliceNumber;
        return WriteBus(card, p.Bytes);
    }
    return false;
}

bool SendProcedure::WriteBusItem(TFIXModem *card, int position, bool markSent)
{
    rSendFdrContent &item = card->ContentQueue[position];
    const CodecResult<InnerCode> code = InnerCode::FromText(card->InnerCode);
    const QByteArray envelope = BuildEnvelope(code.Value, item.PacketCount, item.PacketIndex, item.Data);
    if (markSent)
        item.Sent = 1;
    card->SendPhase = 2;
    SetProgress(position + 1);
    return WriteBus(card, envelope);
}

void SendProcedure::HandleBusReply(int cardIndex, const QByteArray &envelope)
{
    TFIXModem *card = m_project.Cards.At(cardIndex);
    if (!card)
        return;
    tReSend.stop();
    const ReplyInfo reply = ClassifyReply(envelope, true);
    if (!reply.StatusAccepted()) {
        if (card->SendPhase == 1)
            WriteSlice(card, card->CurrentSlice);
        return;
    }
    if (reply.Code == 0x21 || reply.Code == 0x74 || reply.Code == 0x32 || reply.Code == 0x91)
        return;
    const quint64 generation = m_generation;
    const int phase = card->SendPhase;
    if (reply.Finished() && reply.Code == 0x81 && phase == 1) {
        Defer(m_host.NetDelayTime(), [this, cardIndex, generation] { BusFinishedProgram(cardIndex, generation); });
        return;
    }
    if (reply.Finished() && reply.Code == 0x81 && reply.FirstPayloadByte != '3' && phase == 2) {
        HideProgress();
        Status(QStringLiteral("tip_program_sent"));
        card->ContentQueue.clear();
        // The node shows the sent playbill and a group send goes on, as on
        // the other links.
        for (int i = 0; i < m_host.CardNodeCount(); ++i) {
            if (m_host.CardNodeText(i).trimmed() == card->Name)
                m_host.SetCardNodeImage(i, 3);
        }
        Ended(card, QStringLiteral("sent"));
        NextGroupCard();
        return;
    }
    if (phase == 1) {
        for (rPackSendProgram &p : card->SliceQueue) {
            if (!p.Sent && p.SliceNumber == card->CurrentSlice) {
                p.Sent = 1;
                break;
            }
        }
        const int wanted = reply.WantedSlice <= 0 ? 1 : reply.WantedSlice;
        WriteSlice(card, wanted);
        return;
    }
    if (phase == 2)
        Defer(m_host.NetDelayTime(), [this, cardIndex, reply, generation] { BusContentReply(cardIndex, reply, generation); });
}

void SendProcedure::BusFinishedProgram(int cardIndex, quint64 generation)
{
    TFIXModem *card = m_project.Cards.At(cardIndex);
    if (generation != m_generation || !card)
        return;
    tSendStutas.stop();
    Status(QStringLiteral("tip_program_sending"));
    m_host.SetProgressMaximum(int(card->ContentQueue.size()));
    m_host.SetProgressVisible(true);
    card->SliceQueue.clear();
    for (int i = 0; i < card->ContentQueue.size(); ++i) {
        if (!card->ContentQueue.at(i).Sent) {
            WriteBusItem(card, i, true);
            return;
        }
    }
}

void SendProcedure::BusContentReply(int cardIndex, ReplyInfo reply, quint64 generation)
{
    TFIXModem *card = m_project.Cards.At(cardIndex);
    if (generation != m_generation || !card || card->SendPhase != 2)
        return;
    if (reply.FirstPayloadByte == '3') {
        const int at = ResendStart(card, reply.ResendMaterial, reply.ResendPacket, true);
        if (at < 0)
            return;
        for (int i = at; i < card->ContentQueue.size(); ++i)
            card->ContentQueue[i].Sent = 0;
        WriteBusItem(card, at, true);
        return;
    }
    for (int i = 0; i < card->ContentQueue.size(); ++i) {
        if (!card->ContentQueue.at(i).Sent) {
            WriteBusItem(card, i, true);
            return;
        }
    }
}

void SendProcedure::OnReSendTick()
{
    if (m_failCount > MaxReSendFails) {
        tReSend.stop();
        m_failCount = -1;
        m_lastProgress = -1;
        HideProgress();
        Status(QStringLiteral("warn_program_send_failed"));
        TFIXModem *card = AutoCard();
        if (card) {
            card->ContentQueue.clear();
            card->SliceQueue.clear();
        }
        Ended(card, QStringLiteral("failed"));
        NextGroupCard();
        return;
    }
    TFIXModem *card = AutoCard();
    if (!card)
        return;
    if (card->SendPhase == 1) {
        WriteSlice(card, card->CurrentSlice);
        return;
    }
    if (card->SendPhase != 2)
        return;
    int at = -1;
    for (int i = 0; i < card->ContentQueue.size(); ++i) {
        if (!card->ContentQueue.at(i).Sent) {
            at = i;
            break;
        }
    }
    // Everything was written once: the last item is what the card misses.
    if (at < 0 && !card->ContentQueue.isEmpty())
        at = int(card->ContentQueue.size()) - 1;
    if (at >= 0)
        WriteBusItem(card, at, false);
    if (m_progress == m_lastProgress)
        ++m_failCount;
    else
        m_lastProgress = m_progress;
}
