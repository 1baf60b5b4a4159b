#pragma once

#include <QString>
#include <QStringList>

class IniFile;

// One CardsInfo line: the seven comma-separated fields of a stored card.
struct CardLine {
    int Width = 256;
    int Height = 128;
    QString ProgramFile; // as it will be used: absolute or relative to the program folder
    QString InnerCode;
    QString IpAddress;
    QString MacAddress;
    QString Version = QStringLiteral("-1"); // text; "-1" when unknown

    // Parses a stored value; false when it has fewer than seven fields.
    // programFolder ends with '/'; a relative program file that does not
    // exist as given gets the program folder put in front.
    static bool Parse(const QString &value, const QString &programFolder, CardLine *out);
    // The stored value; a program file inside the program folder is written
    // relative to it.
    QString Format(const QString &programFolder) const;
};

struct StoredCard {
    QString Name;
    CardLine Line;
};

// Settings of signstudio kept in SetCfg.ini beside the program: read at
// creation and first show, written at exit. The window holds one instance;
// other parts change the values in memory during the run.
class TAppSettings
{
public:
    static constexpr int DefaultServerPort = 8900;
    static constexpr int DefaultBaudRate = 9600;

    QString CommMode;
    QString CommParam01;
    QString CommParam02;
    int LgType = 1;
    QStringList RecentFiles;
    QString ServerIP;
    int NetDelayTime = 100;
    int PollTime = 30;
    QStringList GroupNames;
    bool IsSendAll = false;
    bool IsOpenSearch = true;
    bool IsShowMulNetCard = true;
    bool IsShowTips = false;
    QStringList InnerCodes;
    int WorkPort = DefaultServerPort;
    QString SubnetMask = QStringLiteral("255.255.255.0");

    static int ClampPollTime(int seconds);

    // Creation steps 4, 7, 12 and 13: everything but the work port and the
    // language, which need the language tables and a socket. hostAddress is
    // the default of ServerIP.
    void Read(const IniFile &ini, const QString &hostAddress);

    // Gives CommMode the label of the current language: an empty CommParam01
    // is the network mode; otherwise anything but "485" is the serial port.
    // Then an empty mode or the old server-side label becomes the network
    // label.
    void RelabelCommMode(const QString &networkLabel, const QString &serialLabel,
                         const QString &networkExLabel = QString());

    bool IsNetworkMode() const { return CommParam01.isEmpty(); }
    bool Is485Mode() const { return !CommParam01.isEmpty() && CommMode == QLatin1String("485"); }

    // The TCP port to start from: CommParam02 in network mode (empty or not
    // a number: 8900), else 8900.
    int WorkPortStart() const;
    // Stores the port actually found; in network mode CommParam02 follows.
    void SetWorkPort(int port);

    // The serial baud rate from CommParam02 (default 9600).
    int BaudRate() const;
    // The server port from CommParam02 (default 8900).
    int ServerPort() const;

    // The stored cards in file order; lines with fewer than seven fields
    // are left out.
    static QList<StoredCard> ReadCards(const IniFile &ini, const QString &programFolder);

    // Writes every setting in its fixed order: PrgFilePathList, CardsInfo,
    // CommSet (three keys), GroupName, NetDelayTime, PollTime, IsSendAll,
    // IsOPenSearch, LgType, IsShowMulNetCard, ServerIP. lgType is the
    // current language.
    void Write(IniFile &ini, const QList<StoredCard> &cards, int lgType,
               const QString &programFolder) const;

    // Written right after the start-up tips window closes.
    static void WriteShowTips(IniFile &ini, bool value);
};
