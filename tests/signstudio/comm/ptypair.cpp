#include "tests/signstudio/comm/ptypair.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    termios t{};
    tcgetattr(m_master, &t);
    cfmakeraw(&t);
    tcsetattr(m_master, TCSANOW, &t);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_slavePath = QString::fromLocal8Bit(name);
}

PtyPair::~PtyPair()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyPair::WriteMaster(const QByteArray &bytes)
{
    qsizetype done = 0;
    QDeadlineTimer deadline(2000);
    while (done < bytes.size() && !deadline.hasExpired()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else
            QThread::msleep(1);
    }
    return done == bytes.size();
}

QByteArray PtyPair::ReadMaster(int timeoutMs)
{
    QByteArray out;
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, out.isEmpty() ? 10 : 50) > 0 && (p.revents & POLLIN)) {
            char buf[4096];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0) {
                out.append(buf, n);
                continue;
            }
        }
        if (!out.isEmpty())
            break;
    }
    return out;
}
