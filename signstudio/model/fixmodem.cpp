#include "signstudio/model/fixmodem.h"

#include "signstudio/comm/codec/cardidentity.h"
#include "signstudio/model/cardlink.h"

#include <algorithm>

std::unique_ptr<TFIXModem> TFIXModem::Create(int linkKind, const QString &name, const QString &panelName,
                                             const QString &ipAddress, const QString &innerCode,
                                             const QString &macAddress, const QString &programFile,
                                             int number, int width, int height, int colourCode,
                                             int version, int fontCountShown, int fontCount)
{
    auto card = std::make_unique<TFIXModem>();
    card->LinkKind = linkKind;
    card->Name = name;
    card->PanelName = panelName;
    card->IpAddress = ipAddress;
    card->InnerCode = innerCode;
    card->MacAddress = macAddress;
    card->ProgramFile = programFile;
    card->Number = number;
    card->ScreenWidth = width;
    card->ScreenHeight = height;
    card->ColourCode = colourCode;
    card->FirmwareVersion = version;
    card->FontCountShown = fontCountShown;
    card->FontCount = fontCount;
    return card;
}

void TFIXModem::GoOnline(std::shared_ptr<TCardLink> link, int pollTimeSeconds)
{
    Online = true;
    Socket = std::move(link);
    TimeoutSpan = 3 * qint64(pollTimeSeconds);
}

void TFIXModem::GoOffline()
{
    Online = false;
    std::shared_ptr<TCardLink> link = std::move(Socket);
    Socket.reset();
    if (link) {
        try {
            link->Close();
        } catch (...) {
            // a link that fails to close is forgotten all the same
        }
    }
}

bool TFIXModem::IsTimedOut(const QDateTime &now) const
{
    if (!LastHeard.isValid())
        return true;
    return now > LastHeard.addSecs(TimeoutSpan);
}

bool TFIXModem::IsTimedOut() const
{
    return IsTimedOut(QDateTime::currentDateTime());
}

void TFIXModem::Touch(const QDateTime &now)
{
    LastHeard = now;
}

void TFIXModem::Touch()
{
    Touch(QDateTime::currentDateTime());
}

bool TFIXModem::WriteToSocket(const QByteArray &bytes)
{
    if (!Socket)
        return false;
    bool written = false;
    try {
        written = Socket->WriteBytes(bytes);
    } catch (...) {
        written = false;
    }
    if (!written)
        GoOffline();
    return written;
}

void TFIXModem::ApplyIdentity(const CardIdentity &identity, int linkKind)
{
    ScreenWidth = identity.Width;
    ScreenHeight = identity.Height;
    ColourCode = identity.ColourCode;
    FirmwareVersion = identity.VersionValid ? identity.Version : -1;
    FontCountShown = identity.FontFigure1;
    FontCount = identity.FontFigure2 + 1;
    for (int i = 0; i < kCapabilityCount; ++i)
        Capabilities[size_t(i)] = identity.Capabilities[size_t(i)];
    LinkKind = linkKind;
}

void TFIXModem::SetCapabilityBytes(quint8 byte52, quint8 byte53)
{
    for (int i = 0; i < 5; ++i) {
        Capabilities[size_t(i)] = (byte52 >> (4 - i)) & 1;
        Capabilities[size_t(5 + i)] = (byte53 >> (4 - i)) & 1;
    }
}

int ClampPollTime(int seconds)
{
    return std::clamp(seconds, 30, 999);
}
