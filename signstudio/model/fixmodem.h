#pragma once

#include "signstudio/model/packsendprogram.h"
#include "signstudio/model/sendfdrcontent.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <memory>

class TCardLink;
struct CardIdentity;

// Link kinds of a card.
enum TLinkKind { lkSerial = 0, lkRs485 = 1, lkNetwork = 2 };

// State images of a card's tree node.
enum TCardImage { ciOffline = 1, ciOnline = 2, ciSent = 3 };

// Capability flag indexes (what the add-material actions need).
enum TCapability {
    capQueue = 0, capRealTime = 1, capUnused2 = 2, capAnimation = 3, capPictureText = 4,
    capRemoteText = 5, capUnused6 = 6, capCount = 7, capInnerCode = 8, capTime = 9
};
constexpr int kCapabilityCount = 10;

// The all-255 inner code of a card that has not reported its code.
inline constexpr const char kUnsetInnerCode[] = "255_255_255_255_255_255_255_255";

// One control card: how it is reached, what it reported, its online state
// and the state of the send in progress. Fields in declaration order.
class TFIXModem
{
public:
    int LinkKind = lkSerial;
    QString IpAddress;
    QString InnerCode;
    QString MacAddress;
    QString ProgramFile;
    int Number = 0;
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    int ColourCode = 56;          // 56 single, 57 double, 58 full colour
    int FirmwareVersion = -1;     // -1 when none has been reported
    QString LastPacketId;
    int SendMark = -1;
    int SendPhase = -1;
    std::array<bool, kCapabilityCount> Capabilities{true, true, true, true, true, true, true, true, true, true};
    QString Name;
    QString PanelName;            // the card's screen panel on the canvas
    bool Online = false;
    bool Modified = false;
    bool RemoteTextFree = true;
    QDateTime LastHeard;          // invalid: never heard
    std::shared_ptr<TCardLink> Socket;
    qint64 TimeoutSpan = 0;       // seconds
    int CurrentSlice = 0;
    QList<rPackSendProgram> SliceQueue;
    QList<rSendFdrContent> ContentQueue;
    int FontCountShown = 5;
    int FontCount = 8;

    static std::unique_ptr<TFIXModem> Create(int linkKind, const QString &name, const QString &panelName,
                                             const QString &ipAddress, const QString &innerCode,
                                             const QString &macAddress, const QString &programFile,
                                             int number, int width, int height, int colourCode,
                                             int version, int fontCountShown, int fontCount);

    // Online on this link; the time-out is three poll times.
    void GoOnline(std::shared_ptr<TCardLink> link, int pollTimeSeconds);
    // Offline; the link, if any, is closed (errors ignored) and forgotten.
    void GoOffline();
    bool IsTimedOut(const QDateTime &now) const;
    bool IsTimedOut() const;
    void Touch(const QDateTime &now);
    void Touch();

    // Writes on the card's link; without a link, or when the write fails
    // (the card then goes offline), false.
    bool WriteToSocket(const QByteArray &bytes);

    // Takes size, colour code, version, font figures and capability flags
    // from the card's identity record, and the link kind.
    void ApplyIdentity(const CardIdentity &identity, int linkKind);

    // Flags 0..4 from bits 4..0 of identity byte 52, flags 5..9 from bits
    // 4..0 of byte 53.
    void SetCapabilityBytes(quint8 byte52, quint8 byte53);
};

// Poll time setting: clamped to 30..999 seconds.
int ClampPollTime(int seconds);
