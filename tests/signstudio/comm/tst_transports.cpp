#include "signstudio/comm/cardserver.h"
#include "signstudio/comm/hostnet.h"
#include "signstudio/comm/seriallink.h"
#include "signstudio/comm/tcplink.h"
#include "signstudio/comm/udplink.h"
#include "tests/signstudio/comm/ptypair.h"
#include "tests/signstudio/comm/tst_suites.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QUdpSocket>

namespace {

const QByteArray kGreeting = QByteArray::fromHex("FE5C4B891300000071010203040000000" "0FFFF");

struct Bursts
{
    QList<QByteArray> list;
    QElapsedTimer clock;
    QList<qint64> at;
};

QTcpSocket *ConnectClient(quint16 port, QObject *parent)
{
    auto *client = new QTcpSocket(parent);
    client->connectToHost(QHostAddress::LocalHost, port);
    if (!client->waitForConnected(3000))
        return nullptr;
    return client;
}

// Lets the server side accept and handle what is pending.
void Spin(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

void TestTransports::serialBurstIsGatheredUntilSilence()
{
    PtyPair pty;
    QVERIFY(pty.IsValid());
    SerialLink link;
    link.SetPortName(pty.SlavePath());
    link.SetBaudRate(115200);
    QVERIFY2(link.Open(), qPrintable(link.ErrorText()));
    QSignalSpy spy(&link, &LinkInterface::Received);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(pty.WriteMaster(QByteArray("\xFE\x5C\x4B\x89", 4)));
    Spin(40); // shorter than the silence: still the same burst
    QVERIFY(pty.WriteMaster(QByteArray("tail")));
    const qint64 lastWrite = clock.elapsed();
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 2000);
    QVERIFY(clock.elapsed() - lastWrite >= SerialLink::SilenceMs);
    QCOMPARE(spy.at(0).at(0).toByteArray(), QByteArray("\xFE\x5C\x4B\x89tail", 8));
    // A second burst after silence is delivered on its own.
    QVERIFY(pty.WriteMaster(QByteArray("next")));
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 2000);
    QCOMPARE(spy.at(1).at(0).toByteArray(), QByteArray("next"));
}

void TestTransports::serialOversizedBurstIsDropped()
{
    PtyPair pty;
    QVERIFY(pty.IsValid());
    SerialLink link;
    link.SetPortName(pty.SlavePath());
    QVERIFY(link.Open());
    QSignalSpy spy(&link, &LinkInterface::Received);
    QVERIFY(pty.WriteMaster(QByteArray(SerialLink::MaxBurst + 1, 'x')));
    QTRY_COMPARE_WITH_TIMEOUT(link.DroppedBursts(), 1, 3000);
    QCOMPARE(spy.count(), 0);
    // Exactly the limit is still one burst.
    QVERIFY(pty.WriteMaster(QByteArray(SerialLink::MaxBurst, 'y')));
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 3000);
    QCOMPARE(spy.at(0).at(0).toByteArray().size(), SerialLink::MaxBurst);
}

void TestTransports::serialWriteReachesPeer()
{
    PtyPair pty;
    QVERIFY(pty.IsValid());
    SerialLink link;
    link.SetPortName(QStringLiteral("  ") + pty.SlavePath() + QStringLiteral(" "));
    QVERIFY(link.Open());
    QVERIFY(link.Write(kGreeting));
    QCOMPARE(pty.ReadMaster(2000), kGreeting);
    link.Close();
    QVERIFY(!link.IsOpen());
    QVERIFY(!link.Write(kGreeting));
}

void TestTransports::serialMissingPortFailsToOpen()
{
    SerialLink link;
    link.SetPortName(QStringLiteral("/dev/does-not-exist-link"));
    QVERIFY(!link.Open());
    QVERIFY(!link.IsOpen());
    QVERIFY(!link.ErrorText().isEmpty());
    QVERIFY(!link.Write("x"));
}

void TestTransports::serverGreetsBeforeClientSpeaks()
{
    CardServer server;
    server.SetGreeting(kGreeting);
    QVERIFY(server.Listen(0, QHostAddress::LocalHost));
    QSignalSpy connected(&server, &CardServer::Connected);
    QTcpSocket *client = ConnectClient(server.Port(), this);
    QVERIFY(client);
    QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(client->bytesAvailable(), qint64(19), 2000);
    QCOMPARE(client->readAll(), kGreeting);
    QCOMPARE(server.Connections().size(), 1);
    QCOMPARE(server.UnregisteredCount(), 1);
    delete client;
}

void TestTransports::serverDeliversReadsAndDisconnects()
{
    CardServer server;
    QVERIFY(server.Listen(0, QHostAddress::LocalHost));
    QSignalSpy data(&server, &CardServer::DataReceived);
    QSignalSpy gone(&server, &CardServer::Disconnected);
    QTcpSocket *client = ConnectClient(server.Port(), this);
    QVERIFY(client);
    QTRY_COMPARE_WITH_TIMEOUT(server.Connections().size(), 1, 2000);
    TcpLink *link = server.Connections().first();
    QCOMPARE(link->PeerAddress(), QHostAddress(QHostAddress::LocalHost));
    client->write("hello");
    QTRY_COMPARE_WITH_TIMEOUT(data.count(), 1, 2000);
    QCOMPARE(data.at(0).at(1).toByteArray(), QByteArray("hello"));
    QVERIFY(link->Write("back"));
    QTRY_COMPARE_WITH_TIMEOUT(client->bytesAvailable(), qint64(4), 2000);
    client->disconnectFromHost();
    QTRY_COMPARE_WITH_TIMEOUT(gone.count(), 1, 2000);
    QCOMPARE(server.Connections().size(), 0);
    QCOMPARE(server.UnregisteredCount(), 0);
    delete client;
}

void TestTransports::serverDiscardsOversizedRead()
{
    CardServer server;
    QVERIFY(server.Listen(0, QHostAddress::LocalHost));
    QSignalSpy data(&server, &CardServer::DataReceived);
    QTcpSocket *client = ConnectClient(server.Port(), this);
    QVERIFY(client);
    QTRY_COMPARE_WITH_TIMEOUT(server.Connections().size(), 1, 2000);
    TcpLink *link = server.Connections().first();
    // Written while the server does not run its loop: the whole amount is
    // waiting at the next read event and is thrown away.
    client->write(QByteArray(TcpLink::MaxRead + 1, 'g'));
    QVERIFY(client->waitForBytesWritten(2000));
    QThread::msleep(50);
    QTRY_COMPARE_WITH_TIMEOUT(link->BytesDiscarded(), qint64(TcpLink::MaxRead + 1), 2000);
    QCOMPARE(data.count(), 0);
    client->write(QByteArray(TcpLink::MaxRead, 'h'));
    QVERIFY(client->waitForBytesWritten(2000));
    QThread::msleep(50);
    QTRY_COMPARE_WITH_TIMEOUT(data.count(), 1, 2000);
    QCOMPARE(data.at(0).at(1).toByteArray().size(), TcpLink::MaxRead);
    delete client;
}

void TestTransports::serverLimitsUnregisteredConnections()
{
    CardServer server;
    server.SetMaxUnregistered(2);
    QVERIFY(server.Listen(0, QHostAddress::LocalHost));
    QTcpSocket *a = ConnectClient(server.Port(), this);
    QTcpSocket *b = ConnectClient(server.Port(), this);
    QVERIFY(a && b);
    QTRY_COMPARE_WITH_TIMEOUT(server.Connections().size(), 2, 2000);
    QTcpSocket *c = ConnectClient(server.Port(), this);
    QVERIFY(c);
    QTRY_COMPARE_WITH_TIMEOUT(server.RefusedCount(), 1, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(c->state(), QAbstractSocket::UnconnectedState, 2000);
    QCOMPARE(server.Connections().size(), 2);
    // A registered connection frees its place.
    server.MarkRegistered(server.Connections().first());
    QTcpSocket *d = ConnectClient(server.Port(), this);
    QVERIFY(d);
    QTRY_COMPARE_WITH_TIMEOUT(server.Connections().size(), 3, 2000);
    QCOMPARE(server.RefusedCount(), 1);
    delete a;
    delete b;
    delete c;
    delete d;
}

void TestTransports::serverClosesGarbageSender()
{
    CardServer server;
    server.SetUnregisteredByteLimit(10000);
    QVERIFY(server.Listen(0, QHostAddress::LocalHost));
    QSignalSpy gone(&server, &CardServer::Disconnected);
    QTcpSocket *client = ConnectClient(server.Port(), this);
    QVERIFY(client);
    QTRY_COMPARE_WITH_TIMEOUT(server.Connections().size(), 1, 2000);
    for (int i = 0; i < 40 && gone.isEmpty(); ++i) {
        client->write(QByteArray(500, char(i)));
        client->flush();
        Spin(5);
    }
    QTRY_COMPARE_WITH_TIMEOUT(gone.count(), 1, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::UnconnectedState, 2000);
    QCOMPARE(server.RefusedCount(), 1);
    delete client;
}

void TestTransports::serverSweepsSilentUnregistered()
{
    CardServer server;
    server.SetUnregisteredLifetimeMs(0);
    QVERIFY(server.Listen(0, QHostAddress::LocalHost));
    QTcpSocket *client = ConnectClient(server.Port(), this);
    QVERIFY(client);
    QTRY_COMPARE_WITH_TIMEOUT(server.Connections().size(), 1, 2000);
    QThread::msleep(2);
    server.Sweep();
    QTRY_COMPARE_WITH_TIMEOUT(server.Connections().size(), 0, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::UnconnectedState, 2000);
    delete client;
}

void TestTransports::registeredConnectionIsNotSwept()
{
    CardServer server;
    server.SetUnregisteredLifetimeMs(0);
    server.SetUnregisteredByteLimit(10);
    QVERIFY(server.Listen(0, QHostAddress::LocalHost));
    QSignalSpy data(&server, &CardServer::DataReceived);
    QTcpSocket *client = ConnectClient(server.Port(), this);
    QVERIFY(client);
    QTRY_COMPARE_WITH_TIMEOUT(server.Connections().size(), 1, 2000);
    TcpLink *link = server.Connections().first();
    server.MarkRegistered(link);
    QVERIFY(server.IsRegistered(link));
    QThread::msleep(2);
    server.Sweep();
    client->write(QByteArray(100, 'a'));
    QTRY_COMPARE_WITH_TIMEOUT(data.count(), 1, 2000);
    QCOMPARE(server.Connections().size(), 1);
    QCOMPARE(client->state(), QAbstractSocket::ConnectedState);
    delete client;
}

void TestTransports::findFreePortSkipsTakenPort()
{
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::AnyIPv4, 0));
    const quint16 port = taken.serverPort();
    const quint16 found = FindFreePort(port);
    QVERIFY(found > port);
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::AnyIPv4, found));
    probe.close();
    taken.close();
    QCOMPARE(FindFreePort(port), port);
}

void TestTransports::macFromArpTable_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mac");
    QTest::newRow("complete entry") << "192.168.1.20" << "0:26:158:10:171:255";
    QTest::newRow("second entry") << "192.168.1.21" << "170:187:204:221:238:1";
    QTest::newRow("incomplete entry") << "192.168.1.22" << "";
    QTest::newRow("absent") << "192.168.1.99" << "";
    QTest::newRow("not an address") << "192.168.1" << "";
    QTest::newRow("blanks around") << " 192.168.1.20 " << "0:26:158:10:171:255";
}

void TestTransports::macFromArpTable()
{
    QFETCH(QString, ip);
    QFETCH(QString, mac);
    const QByteArray table =
        "IP address       HW type     Flags       HW address            Mask     Device\n"
        "192.168.1.20     0x1         0x2         00:1a:9e:0a:ab:ff     *        eth0\n"
        "192.168.1.21     0x1         0x6         aa:bb:cc:dd:ee:01     *        eth0\n"
        "192.168.1.22     0x1         0x0         00:00:00:00:00:00     *        eth0\n"
        "192.168.1.23     0x1         0x2         zz:bb                 *        eth0\n";
    QCOMPARE(MacFromArpTable(table, ip), mac);
}

void TestTransports::flushArpRejectsUnsafeText_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << "127.0.0.5" << true;
    QTest::newRow("shell text") << "127.0.0.5;reboot" << false;
    QTest::newRow("option") << "-all" << false;
    QTest::newRow("octet too big") << "127.0.0.256" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("host name") << "localhost" << false;
}

void TestTransports::flushArpRejectsUnsafeText()
{
    QFETCH(QString, ip);
    QFETCH(bool, accepted);
    const QStringList command = FlushArpCommand(ip);
    QCOMPARE(!command.isEmpty(), accepted);
    if (accepted)
        QCOMPARE(command.last(), ip);
}

void TestTransports::udpBindSendReceive()
{
    QUdpSocket peer;
    QVERIFY(peer.bind(QHostAddress(QStringLiteral("127.0.0.3")), 0));
    UdpLink udp;
    udp.SetPort(0);
    QVERIFY(!udp.Bind(QStringLiteral("not an address")));
    QVERIFY(!udp.IsBound());
    QVERIFY(udp.Bind(QStringLiteral("127.0.0.2")));
    QCOMPARE(udp.LocalIp(), QStringLiteral("127.0.0.2"));
    QSignalSpy spy(&udp, &UdpSender::DatagramReceived);
    QVERIFY(udp.SendDatagram("ping", peer.localAddress(), peer.localPort()));
    QTRY_VERIFY_WITH_TIMEOUT(peer.hasPendingDatagrams(), 2000);
    QHostAddress from;
    quint16 fromPort = 0;
    QByteArray buf(16, 0);
    buf.resize(peer.readDatagram(buf.data(), buf.size(), &from, &fromPort));
    QCOMPARE(buf, QByteArray("ping"));
    QCOMPARE(from, QHostAddress(QStringLiteral("127.0.0.2")));
    peer.writeDatagram("pong", from, fromPort);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 2000);
    QCOMPARE(spy.at(0).at(0).toByteArray(), QByteArray("pong"));
    QCOMPARE(spy.at(0).at(3).toString(), QStringLiteral("127.0.0.2"));
    udp.Unbind();
    QVERIFY(!udp.SendDatagram("x", peer.localAddress(), peer.localPort()));
}
