#pragma once

#include "virtualcard/cardfaults.h"
#include "virtualcard/receivedplaybill.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QPair>

// What the card answers to one frame of a send.
struct ReceiverReply
{
    enum Kind { None, Confirm, Resend, Exception };
    Kind Reply = None;
    int MaterialNo = 0;     // Resend
    int PacketNo = 0;       // Resend
    bool Finished = false;  // the playbill is complete (Confirm)
    bool NewlyFinished = false; // ... and was not before this frame
    QString Note;           // why, for the log
};

// Receives one playbill: the program text, then the content items packet by
// packet. It asks again for a packet whose CRC is wrong or that went missing,
// confirms once everything is there and refuses what it cannot place.
class ProgramReceiver
{
public:
    // Content frames that claim more packets than this are refused.
    static constexpr int MaxPacketsPerMaterial = 2048; // 4 MiB of picture data

    void SetFaults(CardFaults *faults) { m_faults = faults; }
    void SetLinkName(const QString &name) { m_link = name; }

    ReceiverReply OnProgramData(const QByteArray &programText);
    ReceiverReply OnContentFrame(const QByteArray &frame);

    bool HasProgram() const { return m_active; }
    const ReceivedPlaybill &Playbill() const { return m_playbill; }

private:
    CardFaults *m_faults = nullptr;
    QString m_link;
    bool m_active = false;
    bool m_dropDone = false;
    int m_frameCount = 0;
    QPair<int, int> m_lastRequest{0, 0};
    ReceivedPlaybill m_playbill;
    QElapsedTimer m_clock;
};
