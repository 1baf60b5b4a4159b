#include "virtualcard/ptyport.h"

#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPort::PtyPort(QObject *parent)
    : QObject(parent)
{
}

PtyPort::~PtyPort()
{
    Close();
}

bool PtyPort::Open()
{
    Close();
    char name[256] = {};
    struct termios raw;
    std::memset(&raw, 0, sizeof raw);
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    if (openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        m_master = m_slave = -1;
        return false;
    }
    tcsetattr(m_slave, TCSANOW, &raw);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyPort::ReadAvailable);
    m_error.clear();
    return true;
}

void PtyPort::Close()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

bool PtyPort::Write(const QByteArray &bytes)
{
    if (m_master < 0)
        return false;
    qsizetype done = 0;
    int stalls = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            stalls = 0;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR) && stalls < 200) {
            ++stalls;
            QThread::msleep(5);
        } else {
            return false;
        }
    }
    return true;
}

void PtyPort::ReadAvailable()
{
    char buffer[4096];
    QByteArray bytes;
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            if (bytes.size() > (1 << 20))
                break;
            continue;
        }
        break;
    }
    if (!bytes.isEmpty())
        emit BytesReceived(bytes);
}
