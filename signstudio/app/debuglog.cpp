#include "signstudio/app/debuglog.h"

#include "common/base/codepage.h"

#include <QDateTime>
#include <QFile>

TDebugLog::TDebugLog(const QString &programFolder)
    : m_folder(programFolder)
{
}

bool TDebugLog::EnabledByEnvironment()
{
    const QByteArray v = qgetenv("SIGN_DEBUG_LOG");
    return !v.isEmpty() && v != "0";
}

QString TDebugLog::FileName(const QDate &day) const
{
    return m_folder + QStringLiteral("DebugFile") + day.toString(QStringLiteral("yyyyMMdd"))
           + QStringLiteral(".Text");
}

void TDebugLog::CreateFile() const
{
    if (!m_enabled || QFile::exists(FileName()))
        return;
    QFile f(FileName());
    (void)f.open(QIODevice::WriteOnly);
}

void TDebugLog::Log(const QString &text) const
{
    if (!m_enabled)
        return;
    QFile f(FileName());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QString line = QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz ")) + text
                         + QStringLiteral("\r\n");
    f.write(CodePage::Encode(line));
}
