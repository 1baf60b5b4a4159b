#include "tests/signstudio/comm/rig.h"

#include "signstudio/comm/codec/packetid.h"
#include "signstudio/lang/langtext.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

Rig::Rig()
{
    SetPacketIdGenerator([] { return quint32(0x12345); });
    Clock = FixedNow();
    Links.Now = [this] { return Clock; };
    Links.Wait = [this](int ms) { Waits.append(ms); };
    Links.MacLookup = [](const QString &) { return QStringLiteral("0:26:158:10:171:255"); };
    Links.ListenAddress = QHostAddress(QHostAddress::LocalHost);
    Host.Mode = LangText(3, QStringLiteral("comm_param_network"));
}

TFIXModem *Rig::AddCard(const QString &name, const QString &innerCode, int linkKind, int width, int height,
                        int version)
{
    TFIXModem *card = Cards.Append(TFIXModem::Create(linkKind, name, QStringLiteral("pnCard1"), QString(),
                                                     innerCode, QString(), QString(), Cards.Count() + 1,
                                                     width, height, 56, version, 5, 8));
    Host.Nodes.append({name, 1});
    return card;
}

CardClient::CardClient(quint16 port)
{
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    m_socket.waitForConnected(3000);
}

QByteArray CardClient::ReadExactly(int n, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_socket.bytesAvailable() < n && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return m_socket.read(n);
}

QByteArray CardClient::ReadFor(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return m_socket.readAll();
}

void CardClient::Send(const QByteArray &bytes)
{
    m_socket.write(bytes);
    m_socket.flush();
}

QDateTime FixedNow()
{
    return QDateTime(QDate(2026, 12, 11), QTime(11, 49, 17));
}

QByteArray ExpectedNetworkClock(const QByteArray &pollDigits)
{
    return QByteArray::fromHex("FE5C4B892A00000062000123451700000000").left(17)
           + QByteArray("1#20261211051149" "17#") + pollDigits + QByteArray("#")
           + QByteArray::fromHex("FFFF");
}
