#pragma once

#include <QString>

class TfrmMain;

// How the main window reaches the card links (serial port, RS-485 bus, TCP
// server, UDP socket) and the card operations. The window owns no transport
// itself: it calls this interface at first show, on the card commands and at
// exit. The comm layer implements it and is handed to the window with
// TfrmMain::SetCommLink(); until then a null link that does nothing is used.
class TCommLinkSeam
{
public:
    // Which link the stored communication mode starts at first show.
    enum class LinkStart {
        Serial232, // CommParam01 is the port, CommParam02 (default 9600) the baud rate
        Serial485, // same, on the RS-485 bus
        TcpServer  // the TCP server on CommParam02 (default 8900)
    };

    virtual ~TCommLinkSeam() = default;

    // Called once from the window's constructor, before any other call.
    virtual void Attach(TfrmMain *window) { m_window = window; }

    // First show, step 3: bind the UDP socket to the server address.
    virtual void BindUdp(const QString &serverIp) = 0;

    // LoadCards, network mode, version above 53, IP and MAC present and the
    // server address not 127.0.0.1: true when the card's address fits the
    // local segment. On true and with search enabled the window then calls
    // SendNetConfig for that card.
    virtual bool CheckCardSegment(const QString &cardIp, const QString &cardMac) = 0;
    virtual void SendNetConfig(const QString &cardIp, const QString &cardMac) = 0;

    // First show, step 7: open the serial port or start the TCP server.
    // port is the serial port name (CommParam01); number the baud rate or
    // the TCP port.
    virtual void StartLink(LinkStart kind, const QString &port, int number) = 0;

    // Window closing: the close notice to every card found by the network
    // search (one UDP broadcast per card, 200 ms apart).
    virtual void SendCloseNotices() = 0;

    // Window destruction, after the settings are written.
    virtual void CloseSerial() = 0;

    // The card commands of the Operation and Setting menus, the search button,
    // the send button and the preview. The window has already checked that
    // a card node is selected where the command needs one; the link shows
    // its own messages in status-bar panel 4 (TfrmMain::ShowTip).
    virtual void Search() = 0;
    virtual void Send() = 0;
    virtual void StopPlay() = 0;
    virtual void BeginPlay() = 0;
    virtual void AdjustTime() = 0;
    virtual void CommParamConfig() = 0;
    virtual void SendTextProgram() = 0;
    virtual void Preview() = 0;

protected:
    TfrmMain *m_window = nullptr;
};

// The link used until the comm layer plugs in its own: binds nothing, opens
// nothing, and tells the operator that card commands are unavailable.
class TNullCommLink : public TCommLinkSeam
{
public:
    void BindUdp(const QString &) override {}
    bool CheckCardSegment(const QString &, const QString &) override { return true; }
    void SendNetConfig(const QString &, const QString &) override {}
    void StartLink(LinkStart, const QString &, int) override {}
    void SendCloseNotices() override {}
    void CloseSerial() override {}
    void Search() override { unavailable(); }
    void Send() override { unavailable(); }
    void StopPlay() override { unavailable(); }
    void BeginPlay() override { unavailable(); }
    void AdjustTime() override { unavailable(); }
    void CommParamConfig() override { unavailable(); }
    void SendTextProgram() override { unavailable(); }
    void Preview() override { unavailable(); }

private:
    void unavailable();
};
