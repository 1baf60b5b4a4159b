#include "signstudio/model/naming.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex g_uidMutex;
int g_lastUidMs = -1;
constexpr int kDayMs = 24 * 3600 * 1000;

} // namespace

QString NewUIDAt(const QTime &now)
{
    int ms = now.isValid() ? now.msecsSinceStartOfDay() : 0;
    {
        QMutexLocker lock(&g_uidMutex);
        // A clock that did not move on (or moved back a little) takes the
        // next millisecond; a clock that passed midnight starts again.
        if (g_lastUidMs >= 0 && ms <= g_lastUidMs && g_lastUidMs - ms < 3600 * 1000)
            ms = g_lastUidMs + 1;
        if (ms >= kDayMs)
            ms -= kDayMs;
        g_lastUidMs = ms;
    }
    return QTime::fromMSecsSinceStartOfDay(ms).toString(QStringLiteral("HHmmsszzz"));
}

QString NewUID()
{
    return NewUIDAt(QTime::currentTime());
}

QString NextFreeName(const QStringList &siblingNames, const QString &base)
{
    for (int n = 1;; ++n) {
        const QString candidate = base + QString::number(n);
        if (n >= 100 || !siblingNames.contains(candidate))
            return candidate;
    }
}
