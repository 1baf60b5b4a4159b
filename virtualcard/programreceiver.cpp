#include "virtualcard/programreceiver.h"

#include "virtualcard/contentframe.h"

namespace {

ReceiverReply Reply(ReceiverReply::Kind kind, const QString &note, int material = 0, int packet = 0)
{
    ReceiverReply r;
    r.Reply = kind;
    r.Note = note;
    r.MaterialNo = material;
    r.PacketNo = packet;
    return r;
}

bool Before(QPair<int, int> a, int material, int packet)
{
    return a.first < material || (a.first == material && a.second < packet);
}

} // namespace

ReceiverReply ProgramReceiver::OnProgramData(const QByteArray &programText)
{
    m_playbill = ReceivedPlaybill();
    m_playbill.Link = m_link;
    m_playbill.ProgramPayload = programText;
    m_playbill.Started = QDateTime::currentDateTime();
    m_clock.start();
    m_frameCount = 0;
    m_dropDone = false;
    m_lastRequest = {0, 0};
    m_playbill.Program = ProgramText::Parse(programText);
    m_active = m_playbill.Program.ok();
    if (!m_active)
        return Reply(ReceiverReply::Exception, QStringLiteral("program text refused: ") + m_playbill.Program.Error);
    for (const ProgramPage &page : m_playbill.Program.Pages)
        for (const ProgramMaterial &entry : page.Materials) {
            ReceivedMaterial m;
            m.Entry = entry;
            m_playbill.Materials.append(m);
        }
    if (m_faults && m_faults->SilentAfterProgram)
        return Reply(ReceiverReply::None, QStringLiteral("program frame: staying silent (fault)"));
    if (m_faults && m_faults->ExceptionOnProgram)
        return Reply(ReceiverReply::Exception, QStringLiteral("program frame: exception (fault)"));
    ReceiverReply r = Reply(ReceiverReply::Confirm,
                            QStringLiteral("program with %1 pages and %2 materials")
                                .arg(m_playbill.Program.Pages.size())
                                .arg(m_playbill.Materials.size()));
    if (m_playbill.Materials.isEmpty()) {
        m_playbill.Finished = QDateTime::currentDateTime();
        r.Finished = true;
        r.NewlyFinished = true;
    }
    return r;
}

ReceiverReply ProgramReceiver::OnContentFrame(const QByteArray &frame)
{
    if (!m_active)
        return Reply(ReceiverReply::Exception, QStringLiteral("content item without a program"));
    if (m_faults && m_faults->LoseContentFrames > 0) {
        --m_faults->LoseContentFrames;
        return Reply(ReceiverReply::None, QStringLiteral("content frame lost (fault)"));
    }
    ++m_frameCount;
    ++m_playbill.ContentFrames;
    if (m_faults && m_faults->ExceptionOnContentFrame == m_frameCount)
        return Reply(ReceiverReply::Exception, QStringLiteral("content frame %1: exception (fault)").arg(m_frameCount));

    const ContentFrame c = ContentFrame::Parse(frame);
    if (!c.ok())
        return Reply(ReceiverReply::Exception, QStringLiteral("content frame refused: ") + c.Error);

    int index = c.RemoteText ? -1 : c.MaterialNo - 1;
    if (index < 0 || index >= m_playbill.Materials.size()
        || m_playbill.Materials.at(index).Entry.FodderUID != c.FodderUID) {
        index = -1;
        for (int i = 0; i < m_playbill.Materials.size(); ++i)
            if (m_playbill.Materials.at(i).Entry.FodderUID == c.FodderUID) {
                index = i;
                break;
            }
    }
    if (index < 0)
        return Reply(ReceiverReply::Exception, QStringLiteral("content for unknown material %1").arg(c.FodderUID));
    const int materialNo = index + 1;
    const int packets = qMax(1, c.DataPacketCount);
    if (packets > MaxPacketsPerMaterial || c.PacketNo < 1 || c.PacketNo > packets)
        return Reply(ReceiverReply::Exception,
                     QStringLiteral("packet %1 of %2 out of range").arg(c.PacketNo).arg(c.DataPacketCount));

    if (m_faults && !m_dropDone && m_faults->DropMaterialNo == materialNo && m_faults->DropPacketNo == c.PacketNo) {
        m_dropDone = true;
        return Reply(ReceiverReply::None, QStringLiteral("packet %1/%2 dropped (fault)").arg(materialNo).arg(c.PacketNo));
    }
    if (!c.CrcOk) {
        ++m_playbill.CrcErrors;
        ++m_playbill.ResendRequests;
        m_lastRequest = {materialNo, c.PacketNo};
        return Reply(ReceiverReply::Resend,
                     QStringLiteral("packet %1/%2 CRC %3 != %4")
                         .arg(materialNo)
                         .arg(c.PacketNo)
                         .arg(c.CrcReceived, 4, 16, QLatin1Char('0'))
                         .arg(c.CrcComputed, 4, 16, QLatin1Char('0')),
                     materialNo, c.PacketNo);
    }

    ReceivedMaterial &m = m_playbill.Materials[index];
    if (c.RemoteText) {
        // Remote text items are not confirmed one by one; the sender paces them.
        m.HeaderSeen = true;
        m.RemoteText = true;
        m.DisplayMode = c.DisplayMode;
        m.DisplaySpeed = c.DisplaySpeed;
        m.StayTime = c.StayTime;
        m.DataPacketCount = 1;
        m.Packets.insert(1, c.Body);
        const qint64 now = m_clock.elapsed();
        if (m.FirstPacketMs < 0)
            m.FirstPacketMs = now;
        m.LastPacketMs = now;
        ReceiverReply r = Reply(ReceiverReply::None, QStringLiteral("remote text item %1").arg(index + 1));
        if (m_playbill.FirstMissing().first == 0) {
            for (ReceivedMaterial &each : m_playbill.Materials)
                each.Finish();
            r.Finished = true;
            if (!m_playbill.Finished.isValid()) {
                m_playbill.Finished = QDateTime::currentDateTime();
                r.NewlyFinished = true;
            }
        }
        return r;
    }
    if (!m.HeaderSeen || c.FirstPacket) {
        m.TypeCode = c.TypeCode;
        m.DisplayMode = c.DisplayMode;
        m.DisplaySpeed = c.DisplaySpeed;
        m.StayTime = c.StayTime;
        m.ExtraByte1 = c.ExtraByte1;
        m.ExtraByte2 = c.ExtraByte2;
        m.ColourPlanes = c.ColourPlanes;
        m.PageCount = c.PageCount;
        m.CharColor = c.CharColor;
        m.FontByte = c.FontByte;
    }
    if (m.HeaderSeen && m.DataPacketCount != packets) {
        m.Packets.clear(); // the material was rebuilt: start it again
    }
    m.HeaderSeen = true;
    m.DataPacketCount = packets;
    if (m.Packets.contains(c.PacketNo))
        ++m_playbill.DuplicatePackets;
    m.Packets.insert(c.PacketNo, c.Body);
    const qint64 now = m_clock.elapsed();
    if (m.FirstPacketMs < 0)
        m.FirstPacketMs = now;
    m.LastPacketMs = now;

    const QPair<int, int> missing = m_playbill.FirstMissing();
    if (missing.first == 0) {
        for (ReceivedMaterial &each : m_playbill.Materials)
            each.Finish();
        ReceiverReply r = Reply(ReceiverReply::Confirm, QStringLiteral("playbill complete"));
        r.Finished = true;
        if (!m_playbill.Finished.isValid()) {
            m_playbill.Finished = QDateTime::currentDateTime();
            r.NewlyFinished = true;
        }
        return r;
    }
    const bool gapBehind = Before(missing, materialNo, c.PacketNo);
    if ((gapBehind && missing != m_lastRequest) || c.EndMark) {
        if (!gapBehind && !c.EndMark)
            return Reply(ReceiverReply::None, {});
        m_lastRequest = missing;
        ++m_playbill.ResendRequests;
        return Reply(ReceiverReply::Resend,
                     QStringLiteral("packet %1/%2 missing").arg(missing.first).arg(missing.second),
                     missing.first, missing.second);
    }
    return Reply(ReceiverReply::None, {});
}
