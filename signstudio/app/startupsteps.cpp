#include "signstudio/app/startupsteps.h"

#include "common/base/inifile.h"

#include <QDir>
#include <QFileInfo>
#include <QHostInfo>
#include <QTcpServer>

int FindWorkPort(int start, const QHostAddress &address)
{
    for (int port = start; port <= 65535; ++port) {
        QTcpServer probe;
        if (probe.listen(address, quint16(port)))
            return port;
        if (probe.serverError() != QAbstractSocket::AddressInUseError)
            return port;
    }
    return start;
}

QString ReadTitleFile(const QString &programFolder)
{
    const QString path = programFolder + QStringLiteral("Title.ini");
    if (!QFileInfo::exists(path))
        return QString();
    IniFile ini(path);
    return ini.ReadString(QStringLiteral("Title"), QStringLiteral("Title"));
}

QStringList CreateDataFolders(const QString &programFolder)
{
    QStringList folders;
    for (const char *name : {"prgFiles", "picFiles", "txtFiles", "tblFiles"}) {
        const QString path = programFolder + QLatin1String(name);
        if (!QFileInfo(path).isDir())
            QDir().mkpath(path);
        folders.append(path);
    }
    return folders;
}

QString FindAppIcon(const QString &programFolder)
{
    QString found;
    const QFileInfoList entries = QDir(programFolder).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &fi : entries) {
        if (fi.isDir())
            continue;
        if (fi.fileName().toUpper().endsWith(QLatin1String(".ICO")))
            found = fi.absoluteFilePath();
    }
    return found;
}

QString HostAddress()
{
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    if (info.error() != QHostInfo::NoError)
        return QString();
    QString last;
    for (const QHostAddress &a : info.addresses()) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            last = a.toString();
    }
    return last;
}
