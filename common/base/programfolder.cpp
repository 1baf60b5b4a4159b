#include "common/base/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withSlash(const QString &path)
{
    QString p = QDir::cleanPath(path);
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}

} // namespace

QString ProgramFolder()
{
    const QString forced = qEnvironmentVariable("SIGN_PROGRAM_DIR");
    if (!forced.isEmpty()) {
        QDir().mkpath(forced);
        return withSlash(QFileInfo(forced).absoluteFilePath());
    }
    const QString appDir = QCoreApplication::applicationDirPath();
    if (!appDir.isEmpty() && QFileInfo(appDir).isWritable())
        return withSlash(appDir);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return withSlash(data);
}
