// End to end: the card links against virtual cards on loopback and on pty
// serial lines. Run inside a private network namespace.

#include "signstudio/comm/cardoperations.h"
#include "signstudio/comm/hostnet.h"
#include "signstudio/comm/tcplink.h"
#include "signstudio/lang/langtext.h"
#include "tests/signstudio/comm/cardwire.h"
#include "tests/signstudio/comm/ptypair.h"
#include "tests/signstudio/comm/rig.h"
#include "virtualcard/serialbus.h"
#include "virtualcard/virtualcard.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

class TestLinkE2E : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cardRegistersWithClock_data();
    void cardRegistersWithClock();
    void heartbeatCardRegistersWithoutClock();
    void disconnectIsOfflineAtOnce();
    void commandsOverTcp();
    void commandsOnSerialLine();
    void commandsOnBusReachOnlyTheAddressedCard();
    void commandsByteExact_data();
    void commandsByteExact();
    void takenPortMovesServerUp();
    void manyCardsRegisterQuickly();
    void misbehavingClientCrashesNothing();
};

namespace {

quint16 Serve(Rig &rig)
{
    if (!rig.Links.Server().Listen(0, QHostAddress::LocalHost))
        return 0;
    return rig.Links.Server().Port();
}

CardProfile Profile(int n = 0)
{
    CardProfile p;
    p.Width = 128;
    p.Height = 64;
    return n ? p.Stepped(n) : p;
}

} // namespace

void TestLinkE2E::initTestCase()
{
    qRegisterMetaType<TcpLink *>();
    SetLanguage(true, 2);
}

void TestLinkE2E::cardRegistersWithClock_data()
{
    QTest::addColumn<int>("poll");
    QTest::newRow("poll 30") << 30;
    QTest::newRow("poll 45") << 45;
}

void TestLinkE2E::cardRegistersWithClock()
{
    QFETCH(int, poll);
    Rig rig;
    rig.Links.Now = [] { return QDateTime::currentDateTime(); };
    rig.Host.Poll = poll;
    const quint16 port = Serve(rig);
    QVERIFY(port);
    VirtualCard card(Profile());
    QSignalSpy clock(&card, &VirtualCard::ClockSet);
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), port));
    QTRY_COMPARE_WITH_TIMEOUT(clock.count(), 1, 5000);
    QCOMPARE(card.PollTime(), poll);
    QCOMPARE(rig.Cards.Count(), 1);
    TFIXModem *c = rig.Cards.At(0);
    QVERIFY(c->Online);
    QCOMPARE(c->InnerCode, card.Profile().InnerCodeText());
    QCOMPARE(c->ScreenWidth, 128);
    QCOMPARE(c->ScreenHeight, 64);
    QCOMPARE(c->ColourCode, 57);
    QCOMPARE(c->FirmwareVersion, 60);
    QCOMPARE(rig.Host.CardNodeImage(c->Name), 2);
    // The card's clock is the PC's, within a few seconds.
    QVERIFY(qAbs(card.CardTime().secsTo(QDateTime::currentDateTime())) < 5);
    card.DisconnectFromServer();
}

void TestLinkE2E::heartbeatCardRegistersWithoutClock()
{
    Rig rig;
    const quint16 port = Serve(rig);
    VirtualCard card(Profile());
    card.SetIdentityCode(0x91);
    QSignalSpy clock(&card, &VirtualCard::ClockSet);
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), port));
    QTRY_COMPARE_WITH_TIMEOUT(rig.Cards.Count(), 1, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.Cards.At(0)->Online, 2000);
    QTest::qWait(300);
    QCOMPARE(clock.count(), 0);
    card.DisconnectFromServer();
}

void TestLinkE2E::disconnectIsOfflineAtOnce()
{
    Rig rig;
    const quint16 port = Serve(rig);
    VirtualCard card(Profile());
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), port));
    QTRY_VERIFY_WITH_TIMEOUT(rig.Cards.Count() == 1 && rig.Cards.At(0)->Online, 5000);
    TFIXModem *c = rig.Cards.At(0);
    card.DisconnectFromServer();
    QTRY_VERIFY_WITH_TIMEOUT(!c->Online, 3000);
    QVERIFY(!c->Socket);
    rig.Links.OnOnlineTimer();
    QCOMPARE(rig.Host.CardNodeImage(c->Name), 1);
    // It comes back online on the same card object when it connects again.
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), port));
    QTRY_VERIFY_WITH_TIMEOUT(c->Online, 5000);
    QCOMPARE(rig.Cards.Count(), 1);
    card.DisconnectFromServer();
}

void TestLinkE2E::commandsOverTcp()
{
    Rig rig;
    rig.Links.Now = [] { return QDateTime::currentDateTime(); };
    const quint16 port = Serve(rig);
    VirtualCard card(Profile());
    QSignalSpy play(&card, &VirtualCard::PlayStateChanged);
    QSignalSpy clock(&card, &VirtualCard::ClockSet);
    QSignalSpy frames(&card, &VirtualCard::FrameReceived);
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), port));
    QTRY_COMPARE_WITH_TIMEOUT(clock.count(), 1, 5000);
    rig.Host.Selected = rig.Cards.At(0)->Name;
    CardOperations ops(rig.Cards, rig.Host, rig.Links);
    ops.actStopPlay();
    QTRY_COMPARE_WITH_TIMEOUT(play.count(), 1, 3000);
    QCOMPARE(play.last().first().toBool(), false);
    ops.actBeginPlay();
    QTRY_COMPARE_WITH_TIMEOUT(play.count(), 2, 3000);
    QCOMPARE(play.last().first().toBool(), true);
    ops.actAdjTime();
    QTRY_COMPARE_WITH_TIMEOUT(clock.count(), 2, 3000);
    QVERIFY(qAbs(card.CardTime().secsTo(QDateTime::currentDateTime())) < 5);
    QCOMPARE(rig.Host.Status.value(4), QStringLiteral("Send completed calibration."));
    card.DisconnectFromServer();
}

void TestLinkE2E::commandsOnSerialLine()
{
    Rig rig;
    TCardList &cards = rig.Cards;
    FakeHost host(cards);
    host.Mode = LangText(3, QStringLiteral("comm_param_serial_port"));
    CardLinks links(cards, host); // the real serial port
    links.Wait = [](int) {};
    VirtualCard card(Profile());
    const QString path = card.OpenPty(false);
    QVERIFY(!path.isEmpty());
    QSignalSpy frames(&card, &VirtualCard::FrameReceived);
    QSignalSpy serialIn(&links, &CardLinks::SerialReceived);
    QVERIFY(links.OpenSerial(CardLinks::SerialMode::Rs232, path, 9600));
    // The identify written at open is answered with the card's identity.
    QTRY_VERIFY_WITH_TIMEOUT(!frames.isEmpty(), 3000);
    QCOMPARE(frames.first().first().toInt(), 0x71);
    QTRY_COMPARE_WITH_TIMEOUT(serialIn.count(), 1, 3000);
    const QByteArray answer = serialIn.first().first().toByteArray();
    QCOMPARE(quint8(answer.at(8)), quint8(0x71));
    QCOMPARE(answer.mid(17, 8), card.Profile().InnerCode);

    cards.Append(TFIXModem::Create(0, QStringLiteral("Line"), QString(), QString(),
                                   card.Profile().InnerCodeText(), QString(), QString(), 1, 128, 64, 57,
                                   60, 5, 8));
    host.Nodes.append({QStringLiteral("Line"), 2});
    host.Selected = QStringLiteral("Line");
    CardOperations ops(cards, host, links);
    QSignalSpy play(&card, &VirtualCard::PlayStateChanged);
    QSignalSpy clock(&card, &VirtualCard::ClockSet);
    ops.actStopPlay();
    QTRY_COMPARE_WITH_TIMEOUT(play.count(), 1, 3000);
    QCOMPARE(play.last().first().toBool(), false);
    ops.actBeginPlay();
    QTRY_COMPARE_WITH_TIMEOUT(play.count(), 2, 3000);
    ops.actAdjTime();
    QTRY_COMPARE_WITH_TIMEOUT(clock.count(), 1, 3000);
    // The parameter read is answered on the line.
    const int before = serialIn.count();
    ops.actScreenParam();
    QTRY_VERIFY_WITH_TIMEOUT(serialIn.count() > before, 3000);
    QCOMPARE(quint8(serialIn.last().first().toByteArray().at(8)), quint8(0xF2));
    links.CloseSerial();
}

void TestLinkE2E::commandsOnBusReachOnlyTheAddressedCard()
{
    Rig rig;
    TCardList &cards = rig.Cards;
    FakeHost host(cards);
    host.Mode = QStringLiteral("485");
    CardLinks links(cards, host);
    links.Wait = [](int) {};
    VirtualCard first(Profile(0));
    VirtualCard second(Profile(1));
    const QString path = first.OpenPty(true);
    QVERIFY(!path.isEmpty());
    second.AttachToBus(first.Bus());
    QSignalSpy busOpened(&links, &CardLinks::Rs485Opened);
    QVERIFY(links.OpenSerial(CardLinks::SerialMode::Rs485, path, 115200));
    QCOMPARE(busOpened.count(), 1);
    for (VirtualCard *vc : {&first, &second}) {
        const QString name = vc->Profile().InnerCodeText();
        cards.Append(TFIXModem::Create(1, name, QString(), QString(), name, QString(), QString(),
                                       cards.Count() + 1, 128, 64, 57, 60, 5, 8));
        host.Nodes.append({name, 2});
    }
    QSignalSpy firstPlay(&first, &VirtualCard::PlayStateChanged);
    QSignalSpy secondPlay(&second, &VirtualCard::PlayStateChanged);
    QSignalSpy secondClock(&second, &VirtualCard::ClockSet);
    CardOperations ops(cards, host, links);
    host.Selected = second.Profile().InnerCodeText();
    ops.actStopPlay();
    QTRY_COMPARE_WITH_TIMEOUT(secondPlay.count(), 1, 3000);
    QCOMPARE(secondPlay.first().first().toBool(), false);
    ops.actAdjTime();
    QTRY_COMPARE_WITH_TIMEOUT(secondClock.count(), 1, 3000);
    QCOMPARE(firstPlay.count(), 0);
    host.Selected = first.Profile().InnerCodeText();
    ops.actStopPlay();
    QTRY_COMPARE_WITH_TIMEOUT(firstPlay.count(), 1, 3000);
    QCOMPARE(secondPlay.count(), 1);
    links.CloseSerial();
}

void TestLinkE2E::commandsByteExact_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("start");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray startPlay = QByteArray::fromHex("FE5C4B8913000000510001234500000000FFFF");
    const QByteArray stopPlay = QByteArray::fromHex("FE5C4B8913000000520001234500000000FFFF");
    QTest::newRow("TCP start") << "tcp" << true << startPlay;
    QTest::newRow("TCP stop") << "tcp" << false << stopPlay;
    QTest::newRow("serial start") << "serial" << true << startPlay;
    QTest::newRow("serial stop") << "serial" << false << stopPlay;
    QTest::newRow("bus start, 40 bytes")
        << "485" << true
        << QByteArray::fromHex("FE9800269754000102030405060708010101FE5C4B8913000000510001234500000000FFFF02F5C6");
    QTest::newRow("bus stop, 40 bytes")
        << "485" << false
        << QByteArray::fromHex("FE9800269754000102030405060708010101FE5C4B8913000000520001234500000000FFFF0DB18E");
}

void TestLinkE2E::commandsByteExact()
{
    QFETCH(QString, link);
    QFETCH(bool, start);
    QFETCH(QByteArray, bytes);
    Rig rig; // identifiers are 00 01 23 45
    TCardList &cards = rig.Cards;
    FakeHost host(cards);
    CardLinks links(cards, host); // the real serial port
    links.Wait = [](int) {};
    links.ListenAddress = QHostAddress(QHostAddress::LocalHost);
    UploadConversation conversation(cards, host, links);
    CardOperations ops(cards, host, links);
    PtyPair pty;
    std::unique_ptr<QTcpSocket> client;
    QByteArray got;
    if (link == QLatin1String("tcp")) {
        host.Mode = LangText(3, QStringLiteral("comm_param_network"));
        QVERIFY(links.Server().Listen(0, QHostAddress::LocalHost));
        client = std::make_unique<QTcpSocket>();
        client->connectToHost(QHostAddress::LocalHost, links.Server().Port());
        QVERIFY(client->waitForConnected(3000));
        QTRY_COMPARE_WITH_TIMEOUT(client->bytesAvailable(), qint64(19), 3000);
        QCOMPARE(client->readAll(), CardWire::IdentifyFrame);
        CardWire::Identity heartbeat;
        heartbeat.Code = 0x91;
        client->write(CardWire::IdentityFrame(heartbeat));
        QTRY_COMPARE_WITH_TIMEOUT(cards.Count(), 1, 3000);
        host.Selected = cards.At(0)->Name;
        start ? ops.actBeginPlay() : ops.actStopPlay();
        QTRY_COMPARE_WITH_TIMEOUT(client->bytesAvailable(), qint64(bytes.size()), 3000);
        got = client->readAll();
    } else {
        QVERIFY(pty.IsValid());
        const bool bus = link == QLatin1String("485");
        host.Mode = bus ? QStringLiteral("485") : LangText(3, QStringLiteral("comm_param_serial_port"));
        QVERIFY(links.OpenSerial(bus ? CardLinks::SerialMode::Rs485 : CardLinks::SerialMode::Rs232,
                                 pty.SlavePath(), 9600));
        if (!bus)
            QCOMPARE(pty.ReadMaster(2000), CardWire::IdentifyFrame);
        cards.Append(TFIXModem::Create(bus ? 1 : 0, QStringLiteral("Line"), QString(), QString(),
                                       QStringLiteral("1_2_3_4_5_6_7_8"), QString(), QString(), 1, 64, 32, 57, 60,
                                       5, 8));
        host.Selected = QStringLiteral("Line");
        start ? ops.actBeginPlay() : ops.actStopPlay();
        got = pty.ReadMaster(2000);
    }
    QCOMPARE(got.toHex(' '), bytes.toHex(' '));
}

void TestLinkE2E::takenPortMovesServerUp()
{
    QTcpServer taken;
    if (!taken.listen(QHostAddress::AnyIPv4, CardLinks::DefaultServerPort))
        QSKIP("port 8900 is in use by something else");
    Rig rig;
    rig.Links.ListenAddress = QHostAddress(QHostAddress::AnyIPv4);
    const quint16 port = FindFreePort(CardLinks::DefaultServerPort);
    QCOMPARE(port, quint16(8901));
    QVERIFY(rig.Links.OpenServer(port));
    QCOMPARE(rig.Host.StoredPort, 8901);
    QCOMPARE(rig.Host.Status.value(3), QStringLiteral("Network Port[8901]"));
    VirtualCard card(Profile());
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), 8901));
    QTRY_VERIFY_WITH_TIMEOUT(rig.Cards.Count() == 1 && rig.Cards.At(0)->Online, 5000);
    card.DisconnectFromServer();
}

void TestLinkE2E::manyCardsRegisterQuickly()
{
    Rig rig;
    rig.Links.Now = [] { return QDateTime::currentDateTime(); };
    const quint16 port = Serve(rig);
    constexpr int Count = 200;
    std::vector<std::unique_ptr<VirtualCard>> fleet;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Count; ++i) {
        fleet.push_back(std::make_unique<VirtualCard>(Profile(i + 1)));
        fleet.back()->ConnectToServer(QStringLiteral("127.0.0.1"), port);
    }
    QTRY_COMPARE_WITH_TIMEOUT(rig.Cards.Count(), Count, 5000);
    const qint64 ms = clock.elapsed();
    qInfo("%d cards registered in %lld ms", Count, ms);
    for (const auto &card : rig.Cards) {
        QVERIFY(card->Online);
        QCOMPARE(rig.Host.CardNodeImage(card->Name), 2);
    }
    QVERIFY(ms < 5000);
    for (auto &card : fleet)
        card->DisconnectFromServer();
}

void TestLinkE2E::misbehavingClientCrashesNothing()
{
    Rig rig;
    const quint16 port = Serve(rig);
    QRandomGenerator random(20261211);
    const QByteArray identity = CardWire::IdentityFrame(CardWire::Identity());
    constexpr int Frames = 10000;
    auto client = std::make_unique<QTcpSocket>();
    int reconnects = 0;
    auto ensureConnected = [&] {
        if (client->state() == QAbstractSocket::ConnectedState)
            return true;
        client = std::make_unique<QTcpSocket>();
        client->connectToHost(QHostAddress::LocalHost, port);
        ++reconnects;
        return client->waitForConnected(3000);
    };
    for (int i = 0; i < Frames; ++i) {
        QByteArray frame;
        switch (i % 4) {
        case 0: // a truncated identity
            frame = identity.left(int(random.bounded(identity.size())));
            break;
        case 1: { // a header, a random code and random bytes, sometimes with the trailer
            frame = CardWire::Frame(quint8(random.bounded(256)));
            frame.resize(int(random.bounded(4, 120)));
            for (int k = 9; k < frame.size(); ++k)
                frame[k] = char(random.bounded(256));
            if (random.bounded(2))
                frame += QByteArray::fromHex("FFFF");
            break;
        }
        case 2: { // an identity with random bytes where digits belong
            frame = identity;
            for (int k = 17; k < 57; ++k)
                if (random.bounded(3) == 0)
                    frame[k] = char(random.bounded(256));
            frame[26] = char('A' + random.bounded(20)); // the width is never a number
            break;
        }
        default: // plain noise
            frame.resize(int(random.bounded(1, 200)));
            for (char &c : frame)
                c = char(random.bounded(256));
            break;
        }
        QVERIFY(ensureConnected());
        client->write(frame);
        if (i % 50 == 0) {
            client->flush();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }
    client->flush();
    QTest::qWait(200);
    qInfo("%d frames sent over %d connections; %d connections closed by the server's limits", Frames,
          reconnects, rig.Links.Server().RefusedCount());
    QCOMPARE(rig.Cards.Count(), 0);
    QCOMPARE(rig.Conversation.RegistrationCount(), 0);
    // The server still serves a real card afterwards.
    VirtualCard card(Profile());
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), port));
    QTRY_VERIFY_WITH_TIMEOUT(rig.Cards.Count() == 1 && rig.Cards.At(0)->Online, 5000);
    card.DisconnectFromServer();
}

QTEST_GUILESS_MAIN(TestLinkE2E)
#include "tst_linke2e.moc"
