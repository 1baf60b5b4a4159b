#include "signstudio/comm/fakelink.h"

bool FakeLink::Open()
{
    ++OpenCount;
    m_open = !m_openFails;
    if (!m_open)
        SetErrorText(QStringLiteral("open refused"));
    return m_open;
}

void FakeLink::Close()
{
    m_open = false;
}

bool FakeLink::Write(const QByteArray &bytes)
{
    if (!m_open || m_writeFails) {
        SetErrorText(QStringLiteral("write failed"));
        return false;
    }
    Writes.append(bytes);
    return true;
}

void FakeLink::PeerClose()
{
    if (!m_open)
        return;
    m_open = false;
    emit Closed();
}
