#include "signstudio/app/appsettings.h"

#include "common/base/commatext.h"
#include "common/base/inifile.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString BlankMark = QStringLiteral("?*");

int numberOr(const QString &text, int def)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : def;
}

} // namespace

bool CardLine::Parse(const QString &value, const QString &programFolder, CardLine *out)
{
    QString text = value.trimmed();
    text.replace(QLatin1Char(' '), BlankMark);
    const QStringList f = SplitCommaText(text);
    if (f.size() <= 6)
        return false;
    CardLine line;
    line.Width = numberOr(f.at(0), 256);
    line.Height = numberOr(f.at(1), 128);
    QString file = f.at(2);
    file.replace(BlankMark, QStringLiteral(" "));
    if (!file.isEmpty() && !QFileInfo::exists(file)) {
        // Files written on Windows name the folders with backslashes.
        QString native = file;
        native.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (QFileInfo::exists(native))
            file = native;
        else if (QDir::isRelativePath(native))
            file = programFolder + native;
        // An absolute path stays as it is: putting the folder in front of it
        // would only make a second, wrong name.
    }
    line.ProgramFile = file;
    line.InnerCode = f.at(3);
    line.IpAddress = f.at(4);
    line.MacAddress = f.at(5);
    line.Version = f.at(6).isEmpty() ? QStringLiteral("-1") : f.at(6);
    *out = line;
    return true;
}

QString CardLine::Format(const QString &programFolder) const
{
    QString file = ProgramFile;
    if (!programFolder.isEmpty() && file.startsWith(programFolder))
        file = file.mid(programFolder.size());
    // A comma or a quote in the name would split the line differently when
    // read back: such a name alone is written in quotes.
    if (file.contains(QLatin1Char(',')) || file.startsWith(QLatin1Char('"')))
        file = QLatin1Char('"') + QString(file).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return QString::number(Width) + QLatin1Char(',') + QString::number(Height) + QLatin1Char(',') + file
           + QLatin1Char(',') + InnerCode + QLatin1Char(',') + IpAddress + QLatin1Char(',') + MacAddress
           + QLatin1Char(',') + Version;
}

int TAppSettings::ClampPollTime(int seconds)
{
    return qBound(30, seconds, 999);
}

void TAppSettings::Read(const IniFile &ini, const QString &hostAddress)
{
    CommMode = ini.ReadString(QStringLiteral("CommSet"), QStringLiteral("CommMode"));
    CommParam01 = ini.ReadString(QStringLiteral("CommSet"), QStringLiteral("CommParam01"));
    CommParam02 = ini.ReadString(QStringLiteral("CommSet"), QStringLiteral("CommParam02"));
    LgType = ini.ReadInteger(QStringLiteral("LgType"), QStringLiteral("LgType"), 1);
    RecentFiles = ini.SectionKeys(QStringLiteral("PrgFilePathList"));
    ServerIP = ini.ReadString(QStringLiteral("ServerIP"), QStringLiteral("ServerIP"), hostAddress);
    SubnetMask = QStringLiteral("255.255.255.0");
    NetDelayTime = ini.ReadInteger(QStringLiteral("NetDelayTime"), QStringLiteral("NetDelayTime"), 100);
    PollTime = ClampPollTime(ini.ReadInteger(QStringLiteral("PollTime"), QStringLiteral("PollTime"), 30));
    GroupNames = SplitCommaText(ini.ReadString(QStringLiteral("GroupName"), QStringLiteral("GroupName")));
    IsSendAll = ini.ReadBool(QStringLiteral("IsSendAll"), QStringLiteral("IsSendAll"), false);
    IsOpenSearch = ini.ReadBool(QStringLiteral("IsOPenSearch"), QStringLiteral("IsOPenSearch"), true);
    IsShowMulNetCard = ini.ReadBool(QStringLiteral("IsShowMulNetCard"), QStringLiteral("IsShowMulNetCard"), true);
    IsShowTips = ini.ReadBool(QStringLiteral("IsShowTips"), QStringLiteral("IsShowTips"), false);
    InnerCodes.clear();
    for (int i = 1;; ++i) {
        const QString key = QStringLiteral("I%1").arg(i);
        if (!ini.ValueExists(QStringLiteral("InnerCodes"), key))
            break;
        InnerCodes.append(ini.ReadString(QStringLiteral("InnerCodes"), key));
    }
}

void TAppSettings::RelabelCommMode(const QString &networkLabel, const QString &serialLabel,
                                   const QString &networkExLabel)
{
    if (CommParam01.isEmpty())
        CommMode = networkLabel;
    else if (CommMode != QLatin1String("485"))
        CommMode = serialLabel;
    if (CommMode.isEmpty() || (!networkExLabel.isEmpty() && CommMode == networkExLabel))
        CommMode = networkLabel;
}

int TAppSettings::WorkPortStart() const
{
    if (!IsNetworkMode())
        return DefaultServerPort;
    const int port = numberOr(CommParam02.isEmpty() ? QStringLiteral("8900") : CommParam02, DefaultServerPort);
    return port >= 1 && port <= 65535 ? port : DefaultServerPort;
}

void TAppSettings::SetWorkPort(int port)
{
    WorkPort = port;
    if (IsNetworkMode())
        CommParam02 = QString::number(port);
}

int TAppSettings::BaudRate() const
{
    return CommParam02.isEmpty() ? DefaultBaudRate : numberOr(CommParam02, DefaultBaudRate);
}

int TAppSettings::ServerPort() const
{
    return CommParam02.isEmpty() ? DefaultServerPort : numberOr(CommParam02, DefaultServerPort);
}

QList<StoredCard> TAppSettings::ReadCards(const IniFile &ini, const QString &programFolder)
{
    QList<StoredCard> cards;
    const QStringList lines = ini.SectionValues(QStringLiteral("CardsInfo"));
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        StoredCard card;
        card.Name = line.left(eq);
        if (CardLine::Parse(line.mid(eq + 1), programFolder, &card.Line))
            cards.append(card);
    }
    return cards;
}

void TAppSettings::Write(IniFile &ini, const QList<StoredCard> &cards, int lgType,
                         const QString &programFolder) const
{
    ini.EraseSection(QStringLiteral("PrgFilePathList"));
    for (const QString &path : RecentFiles)
        ini.WriteString(QStringLiteral("PrgFilePathList"), path, QString());
    ini.EraseSection(QStringLiteral("CardsInfo"));
    for (const StoredCard &card : cards)
        ini.WriteString(QStringLiteral("CardsInfo"), card.Name, card.Line.Format(programFolder));
    ini.WriteString(QStringLiteral("CommSet"), QStringLiteral("CommMode"), CommMode);
    ini.WriteString(QStringLiteral("CommSet"), QStringLiteral("CommParam01"), CommParam01);
    ini.WriteString(QStringLiteral("CommSet"), QStringLiteral("CommParam02"), CommParam02);
    ini.WriteString(QStringLiteral("GroupName"), QStringLiteral("GroupName"), JoinCommaText(GroupNames));
    ini.WriteInteger(QStringLiteral("NetDelayTime"), QStringLiteral("NetDelayTime"), NetDelayTime);
    ini.WriteInteger(QStringLiteral("PollTime"), QStringLiteral("PollTime"), ClampPollTime(PollTime));
    ini.WriteBool(QStringLiteral("IsSendAll"), QStringLiteral("IsSendAll"), IsSendAll);
    ini.WriteBool(QStringLiteral("IsOPenSearch"), QStringLiteral("IsOPenSearch"), IsOpenSearch);
    ini.WriteInteger(QStringLiteral("LgType"), QStringLiteral("LgType"), lgType);
    ini.WriteBool(QStringLiteral("IsShowMulNetCard"), QStringLiteral("IsShowMulNetCard"), IsShowMulNetCard);
    ini.WriteString(QStringLiteral("ServerIP"), QStringLiteral("ServerIP"), ServerIP);
}

void TAppSettings::WriteShowTips(IniFile &ini, bool value)
{
    ini.WriteBool(QStringLiteral("IsShowTips"), QStringLiteral("IsShowTips"), value);
}
