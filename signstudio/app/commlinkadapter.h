#pragma once

#include "signstudio/app/commlinkseam.h"
#include "signstudio/comm/linkhost.h"

#include <memory>

class CardLinks;
class CardOperations;
class MainWindowSendHost;
struct SendService;
class SerialReplyDispatch;
class UploadConversation;

// Plugs the card links (serial port, TCP server, UDP socket, online timer,
// upload conversation and card commands) into the main window. All logic
// lives in the comm layer; this class only forwards between the two.
class TCommLinkAdapter : public TCommLinkSeam, public LinkHost
{
public:
    TCommLinkAdapter();
    ~TCommLinkAdapter() override;

    CardLinks *Links() const { return m_links.get(); }
    UploadConversation *Conversation() const { return m_conversation.get(); }
    CardOperations *Operations() const { return m_operations.get(); }

    // TCommLinkSeam
    void Attach(TfrmMain *window) override;
    void BindUdp(const QString &serverIp) override;
    bool CheckCardSegment(const QString &cardIp, const QString &cardMac) override;
    void SendNetConfig(const QString &cardIp, const QString &cardMac) override;
    void StartLink(LinkStart kind, const QString &port, int number) override;
    void SendCloseNotices() override;
    void CloseSerial() override;
    void Search() override;
    void Send() override;
    void StopPlay() override;
    void BeginPlay() override;
    void AdjustTime() override;
    void CommParamConfig() override;
    void SendTextProgram() override;
    void Preview() override;

    // LinkHost
    QString CommMode() const override;
    int PollTime() const override;
    int NetDelayTime() const override;
    bool IsShowMulNetCard() const override;
    void StoreServerPort(int port) override;
    void ShowStatus(int panel, const QString &text) override;
    void ShowMessageBox(const QString &text) override;
    QString SelectedCardName() const override;
    bool SelectCardNode(const QString &name) override;
    void AddCardNode(TFIXModem *card) override;
    void SetCardNodeImage(const QString &name, int image) override;
    void SetCardNodeImages(const QList<QPair<QString, int>> &images) override;
    int CardNodeImage(const QString &name) const override;
    void ShowCardSelected(TFIXModem *card) override;
    void ResizeCardScreen(TFIXModem *card) override;
    bool SearchRunning() const override { return false; }
    bool GroupSendRunning() const override;

private:
    void Release();
    void NotAvailable();

    std::unique_ptr<CardLinks> m_links;
    std::unique_ptr<UploadConversation> m_conversation;
    std::unique_ptr<SerialReplyDispatch> m_dispatch;
    std::unique_ptr<CardOperations> m_operations;
    std::unique_ptr<MainWindowSendHost> m_sendHost;
    std::unique_ptr<SendService> m_send;
};
