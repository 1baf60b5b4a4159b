#pragma once

#include "signstudio/comm/codec/classifyreply.h"
#include "signstudio/comm/send/programtext.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class SendHost;
class SendLink;
class TFIXModem;
class TProject;

// Sends a card's playbill: the program-data frame, then the content items,
// paced by tAutoSend (plain serial, TCP) or driven by the card's
// acknowledgements with tReSend as the silence timer (RS-485), all watched
// by tSendStutas. Everything runs on the UI thread; timers only call the
// public handlers, which tests call directly.
//
// A send to a card restarts cleanly when another one is started: the
// running conversion is dropped, the timers stop and the queues are
// emptied before the new send builds its own.
class SendProcedure : public QObject
{
    Q_OBJECT
public:
    static constexpr int AutoSendDesignMs = 100;
    static constexpr int ReSendMs = 5000;
    static constexpr int WatchdogMs = 5000;
    static constexpr int StartWaitMs = 50;
    static constexpr int MaterialWaitMs = 1;
    static constexpr int MinFirmware = 52;
    static constexpr int MaxAutoSendFails = 3;
    static constexpr int MaxReSendFails = 2;

    SendProcedure(TProject &project, SendHost &host, SendLink &link, QObject *parent = nullptr);
    ~SendProcedure() override;

    // The send action: icons 3 become 2, then a single or a group send.
    void actSend();
    // tSendToCard: runs the send procedure for the node 1 ms later.
    void StartSendToCard(int node);
    // The send procedure itself (checks, program text, conversion, first
    // write). Conversion goes material by material through the event loop.
    void SendToCard(int node);
    // Starts the next queued node of a group send; otherwise nothing.
    void NextGroupCard();

    // Replies of plain serial and TCP cards.
    void RplConfirm(int cardIndex, const ReplyInfo &reply);
    void RplException(int cardIndex);
    // A reply envelope from the RS-485 bus.
    void HandleBusReply(int cardIndex, const QByteArray &envelope);
    // The card's pace: base interval in ms; tAutoSend takes base + NetDelayTime.
    void SetBaseInterval(int ms);

    // Timer handlers.
    void OnAutoSendTick();
    void OnReSendTick();
    void OnSendStatusTick();

    QTimer tAutoSend;
    QTimer tReSend;
    QTimer tSendStutas;

    // State (read by tests and the main window).
    int AutoSendCard() const { return m_autoSendCard; }
    int FailCount() const { return m_failCount; }
    int LastProgress() const { return m_lastProgress; }
    int BaseInterval() const { return m_base; }
    int Progress() const { return m_progress; }
    QString SavedProgramText() const { return m_savedText; }
    QList<int> GroupList() const { return m_group; }
    int GroupPosition() const { return m_groupPos; }
    // A group send still has cards to start (the online timer waits).
    bool GroupSendRunning() const;
    // A conversion is in progress.
    bool Converting() const { return m_conversion.Active; }
    // Program text and material count of the last send that got so far.
    QString LastProgramText() const { return m_lastText; }

    // Waits of the procedure (50 ms at start, 1 ms per material,
    // NetDelayTime on the bus): by default single-shot timers, so the
    // window keeps running; tests may run them at once.
    std::function<void(int ms, std::function<void()>)> Defer;
    // Language texts of kind 3.
    std::function<QString(const QString &key)> Text;

signals:
    // A card's send ended: "sent", "exception", "failed", "watchdog",
    // "refused" (a check stopped it).
    void SendEnded(const QString &cardName, const QString &outcome);
    // The first byte of a send was handed to the link.
    void ProgramWritten(const QString &cardName);

private:
    struct Conversion
    {
        bool Active = false;
        quint64 Generation = 0;
        int CardIndex = -1;
        int Next = 0;
        ProgramPlan Plan;
        QByteArray Text;
    };

    void Status(const QString &key);
    void Ended(TFIXModem *card, const QString &outcome);
    void ResetSendState();
    void CancelConversion();
    void ConvertNext(quint64 generation);
    void FinishConversion();
    void ReleaseBuffers();
    void HideProgress();
    void SetProgress(int position);
    bool PlainSerial(const TFIXModem *card) const;
    int NodeOfCard(const QString &name) const;
    TFIXModem *AutoCard() const;
    bool WriteProgramFrame(TFIXModem *card, const QByteArray &text, const QByteArray &schedules);
    // RS-485
    bool WriteSlice(TFIXModem *card, int sliceNumber);
    bool WriteBusItem(TFIXModem *card, int position, bool markSent);
    bool WriteBus(TFIXModem *card, const QByteArray &envelope);
    void BusFinishedProgram(int cardIndex, quint64 generation);
    void BusContentReply(int cardIndex, ReplyInfo reply, quint64 generation);
    int ResendStart(const TFIXModem *card, int material, int number, bool bySlice) const;

    TProject &m_project;
    SendHost &m_host;
    SendLink &m_link;

    int m_autoSendCard = -1;
    int m_failCount = -1;
    int m_lastProgress = -1;
    int m_progress = 0;
    int m_base = 30;
    QString m_savedText;
    QByteArray m_savedSchedules;
    QList<int> m_group;
    int m_groupPos = 0;
    Conversion m_conversion;
    quint64 m_generation = 0;
    QString m_lastText;
    int m_materialCount = 0;
};
