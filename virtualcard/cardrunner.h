#pragma once

#include "virtualcard/cardfaults.h"
#include "virtualcard/cardprofile.h"
#include "virtualcard/playbillsaver.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class SerialBus;
class UdpPort;
class VirtualCard;

// How to run one or more virtual cards in one process.
struct RunnerOptions
{
    enum class SerialMode { None, Serial, Rs485 };

    CardProfile Profile;            // the first card; others count up from it
    int Count = 1;
    QString Server;                 // empty: no TCP link
    quint16 Port = 8900;
    QString UdpAddress;             // empty: no UDP port
    quint16 UdpPort = 8800;
    SerialMode Serial = SerialMode::None;
    quint8 IdentityCode = 0x61;
    int HeartbeatMs = 10000;
    int ReconnectMs = 2000;
    CardFaults Faults;
    QString SaveDir;                // empty: nothing saved
};

// Starts the cards, their links and the saving of what they receive.
class CardRunner : public QObject
{
    Q_OBJECT
public:
    explicit CardRunner(QObject *parent = nullptr);

    // False with an error text when a link cannot be opened.
    bool Start(const RunnerOptions &options, QString *error);

    QList<VirtualCard *> Cards() const { return m_cards; }
    // The pty device of each serial line (one for a bus).
    QStringList DevicePaths() const { return m_devicePaths; }

signals:
    void Log(const QString &line);
    void Saved(VirtualCard *card, const SaveResult &result);

private:
    void OnPlaybill(VirtualCard *card);

    RunnerOptions m_options;
    QList<VirtualCard *> m_cards;
    QStringList m_devicePaths;
    SerialBus *m_bus = nullptr;
    UdpPort *m_udp = nullptr;
};
