#include "virtualcard/cardrunner.h"

#include "virtualcard/serialbus.h"
#include "virtualcard/udpport.h"
#include "virtualcard/virtualcard.h"

CardRunner::CardRunner(QObject *parent)
    : QObject(parent)
{
}

bool CardRunner::Start(const RunnerOptions &options, QString *error)
{
    m_options = options;
    const int count = qBound(1, options.Count, 1000);

    if (!options.UdpAddress.isEmpty()) {
        m_udp = new UdpPort(this);
        if (!m_udp->Bind(options.UdpAddress, options.UdpPort)) {
            *error = QStringLiteral("UDP %1:%2: %3").arg(options.UdpAddress).arg(options.UdpPort).arg(m_udp->ErrorText());
            return false;
        }
    }
    if (options.Serial == RunnerOptions::SerialMode::Rs485) {
        m_bus = new SerialBus(true, this);
        if (!m_bus->Open()) {
            *error = QStringLiteral("pty: %1").arg(m_bus->ErrorText());
            return false;
        }
        m_devicePaths << m_bus->DevicePath();
    }

    for (int i = 0; i < count; ++i) {
        CardProfile profile = options.Profile.Stepped(i);
        if (m_udp) // cards sharing the UDP port all answer at its address
            profile.Ip = options.Profile.Ip;
        auto *card = new VirtualCard(profile, this);
        card->Faults() = options.Faults;
        card->SetIdentityCode(options.IdentityCode);
        card->SetHeartbeatInterval(options.HeartbeatMs);
        card->SetReconnectInterval(options.ReconnectMs);
        connect(card, &VirtualCard::Log, this, &CardRunner::Log);
        connect(card, &VirtualCard::PlaybillReceived, this, [this, card] { OnPlaybill(card); });
        m_cards.append(card);
        if (m_udp)
            card->AttachToUdp(m_udp);
        if (m_bus)
            card->AttachToBus(m_bus);
        if (options.Serial == RunnerOptions::SerialMode::Serial) {
            const QString path = card->OpenPty(false);
            if (path.isEmpty()) {
                *error = QStringLiteral("cannot open a pty for card %1").arg(i + 1);
                return false;
            }
            m_devicePaths << path;
        }
        if (!options.Server.isEmpty() && !card->ConnectToServer(options.Server, options.Port)) {
            *error = QStringLiteral("%1 is not a loopback address").arg(options.Server);
            return false;
        }
    }
    return true;
}

void CardRunner::OnPlaybill(VirtualCard *card)
{
    if (m_options.SaveDir.isEmpty())
        return;
    const SaveResult result = PlaybillSaver::Save(card->LastCompletePlaybill(), card->Profile(), m_options.SaveDir);
    if (result.ok())
        emit Log(QStringLiteral("[%1] saved %2 file(s) in %3")
                     .arg(card->Profile().InnerCodeText())
                     .arg(result.Files.size())
                     .arg(result.Folder));
    else
        emit Log(QStringLiteral("[%1] saving failed: %2").arg(card->Profile().InnerCodeText(), result.Error));
    emit Saved(card, result);
}
