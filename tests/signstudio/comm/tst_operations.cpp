#include "signstudio/comm/cardoperations.h"
#include "signstudio/comm/seriallink.h"
#include "signstudio/lang/langtext.h"
#include "tests/signstudio/comm/cardwire.h"
#include "tests/signstudio/comm/rig.h"
#include "tests/signstudio/comm/tst_suites.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

namespace {

QString Net()
{
    return LangText(3, QStringLiteral("comm_param_network"));
}
QString Ser()
{
    return LangText(3, QStringLiteral("comm_param_serial_port"));
}

// A payload-less frame with identifier 00 01 23 45, from the frame table.
QByteArray ShortFrame(quint8 code)
{
    QByteArray f = QByteArray::fromHex("FE5C4B891300000000000123450000000000FFFF");
    f.remove(17, 1);
    f[8] = char(code);
    return f;
}

quint8 Xor(const QByteArray &b, int from, int to)
{
    quint8 x = 0;
    for (int i = from; i <= to; ++i)
        x ^= quint8(b.at(i));
    return x;
}

} // namespace

void TestCardOperations::playCommands_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("linkKind");
    QTest::addColumn<bool>("start");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("status");
    QTest::newRow("start, network card") << Net() << 2 << true << "socket" << "Has been sent to start playing.";
    QTest::newRow("stop, network card") << Net() << 2 << false << "socket" << "Has been sent to stop playing.";
    QTest::newRow("start, serial card") << Ser() << 0 << true << "serial" << "Has been sent to start playing.";
    QTest::newRow("stop, bus card on plain mode") << Ser() << 1 << false << "serial" << "Has been sent to stop playing.";
    QTest::newRow("start, bus") << "485" << 1 << true << "bus" << "Has been sent to start playing.";
    QTest::newRow("stop, bus, network card") << "485" << 2 << false << "bus" << "Has been sent to stop playing.";
}

void TestCardOperations::playCommands()
{
    QFETCH(QString, mode);
    QFETCH(int, linkKind);
    QFETCH(bool, start);
    QFETCH(QString, where);
    QFETCH(QString, status);
    Rig rig;
    rig.Host.Mode = mode;
    QVERIFY(rig.SerialPort->Open());
    rig.AddCard(QStringLiteral("Other"), QStringLiteral("9_9_9_9_9_9_9_9"), linkKind);
    TFIXModem *card = rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_256"), linkKind);
    auto socket = std::make_shared<RecordingCardLink>();
    if (linkKind == 2)
        card->GoOnline(socket, 30);
    rig.Host.Selected = QStringLiteral("Hall");
    CardOperations ops(rig.Cards, rig.Host, rig.Links);
    start ? ops.actBeginPlay() : ops.actStopPlay();
    const QByteArray frame = ShortFrame(start ? 0x51 : 0x52);
    QCOMPARE(rig.Host.Status.value(4), status);
    QCOMPARE(card->LastPacketId, QStringLiteral("00012345"));
    QCOMPARE(rig.Links.CurrentCardName, QStringLiteral("Hall"));
    if (where == QLatin1String("socket")) {
        QCOMPARE(socket->Writes, QList<QByteArray>{frame});
        QVERIFY(rig.SerialPort->Writes.isEmpty());
    } else if (where == QLatin1String("serial")) {
        QCOMPARE(rig.SerialPort->Writes, QList<QByteArray>{frame});
    } else {
        QCOMPARE(rig.SerialPort->Writes.size(), 1);
        const QByteArray env = rig.SerialPort->Writes.first();
        QCOMPARE(env.size(), 40);
        QCOMPARE(env.left(7), QByteArray::fromHex("FE98002697" "5400"));
        QCOMPARE(env.mid(7, 8), QByteArray::fromHex("0102030405060700"));
        QCOMPARE(env.mid(15, 3), QByteArray::fromHex("010101"));
        QCOMPARE(env.mid(18, 19), frame);
        QCOMPARE(quint8(env.at(39)), Xor(env, 1, 38));
        QVERIFY(socket->Writes.isEmpty());
    }
}

void TestCardOperations::nothingSelectedWritesNothing()
{
    Rig rig;
    QVERIFY(rig.SerialPort->Open());
    rig.Host.Mode = Ser();
    rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_8"), 0);
    CardOperations ops(rig.Cards, rig.Host, rig.Links);
    ops.actBeginPlay();
    ops.actStopPlay();
    ops.actAdjTime();
    ops.actScreenParam();
    QVERIFY(rig.SerialPort->Writes.isEmpty());
    QVERIFY(rig.Host.Status.isEmpty());
}

void TestCardOperations::failuresLeaveSameStatus()
{
    Rig rig;
    rig.Host.Mode = Net();
    TFIXModem *card = rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_8"), 2);
    auto socket = std::make_shared<RecordingCardLink>();
    socket->Fails = true;
    card->GoOnline(socket, 30);
    CardOperations ops(rig.Cards, rig.Host, rig.Links);
    rig.Host.Selected = QStringLiteral("Hall");
    ops.actBeginPlay();
    QCOMPARE(rig.Host.Status.value(4), QStringLiteral("Has been sent to start playing."));
    QVERIFY(card->Online); // a failed command does not take the card offline
    // A card without socket, and a name not in the list.
    card->GoOffline();
    ops.actStopPlay();
    QCOMPARE(rig.Host.Status.value(4), QStringLiteral("Has been sent to stop playing."));
    rig.Host.Selected = QStringLiteral("Gone");
    ops.actAdjTime();
    QCOMPARE(rig.Host.Status.value(4), QStringLiteral("Send completed calibration."));
    QCOMPARE(rig.Links.CurrentCardName, QStringLiteral("Gone"));
}

void TestCardOperations::clockIsSerialVariant()
{
    Rig rig;
    rig.Host.Mode = Ser();
    QVERIFY(rig.SerialPort->Open());
    rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_8"), 0);
    rig.Host.Selected = QStringLiteral("Hall");
    CardOperations ops(rig.Cards, rig.Host, rig.Links);
    ops.Now = [] { return FixedNow(); };
    ops.actAdjTime();
    const QByteArray expected = QByteArray::fromHex("FE5C4B89260000006200012345130000") + QByteArray(1, '\0')
                                + QByteArray("1#2026121105114917#") + QByteArray::fromHex("FFFF");
    QCOMPARE(rig.SerialPort->Writes, QList<QByteArray>{expected});
    QCOMPARE(rig.Cards.At(0)->SendMark, 0);
}

void TestCardOperations::screenParamsAlwaysOnSerial_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("linkKind");
    QTest::addColumn<int>("size");
    QTest::newRow("serial") << Ser() << 0 << 19;
    QTest::newRow("network card, serial open") << Net() << 2 << 19;
    QTest::newRow("bus") << "485" << 1 << 40;
}

void TestCardOperations::screenParamsAlwaysOnSerial()
{
    QFETCH(QString, mode);
    QFETCH(int, linkKind);
    QFETCH(int, size);
    Rig rig;
    rig.Host.Mode = mode;
    QVERIFY(rig.SerialPort->Open());
    TFIXModem *card = rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_8"), linkKind);
    auto socket = std::make_shared<RecordingCardLink>();
    card->GoOnline(socket, 30);
    rig.Host.Selected = QStringLiteral("Hall");
    CardOperations ops(rig.Cards, rig.Host, rig.Links);
    ops.actScreenParam();
    QCOMPARE(rig.SerialPort->Writes.size(), 1);
    QCOMPARE(rig.SerialPort->Writes.first().size(), size);
    const int codeAt = size == 19 ? 8 : 26;
    QCOMPARE(quint8(rig.SerialPort->Writes.first().at(codeAt)), quint8(0xF2));
    QVERIFY(socket->Writes.isEmpty());
    QVERIFY(rig.Host.Status.isEmpty());
}

void TestCardOperations::paramWindowChecks_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("image");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("noCard");
    QTest::addColumn<bool>("warned");
    QTest::newRow("network, online, firmware 53") << Net() << 53 << 2 << false << false << true;
    QTest::newRow("network, offline, firmware 53") << Net() << 53 << 1 << true << true << false;
    QTest::newRow("network, online, firmware 54") << Net() << 54 << 2 << true << false << false;
    QTest::newRow("network, sent, firmware 54") << Net() << 54 << 3 << true << false << false;
    QTest::newRow("serial, online, firmware 53") << Ser() << 53 << 2 << true << false << false;
}

void TestCardOperations::paramWindowChecks()
{
    QFETCH(QString, mode);
    QFETCH(int, version);
    QFETCH(int, image);
    QFETCH(bool, open);
    QFETCH(bool, noCard);
    QFETCH(bool, warned);
    Rig rig;
    rig.Host.Mode = mode;
    rig.Host.ShowNetCards = true;
    TFIXModem *card = rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_8"), 2, 128, 64, version);
    card->MacAddress = QStringLiteral("0:26:158:10:171:255");
    rig.Host.Nodes.first().second = image;
    rig.Host.Selected = QStringLiteral("Hall");
    CardOperations ops(rig.Cards, rig.Host, rig.Links);
    const CardOperations::ParamWindowRequest request = ops.CheckCmmParaSet();
    QCOMPARE(request.Open, open);
    QCOMPARE(rig.Host.Messages.size(), warned ? 1 : 0);
    if (warned)
        QCOMPARE(rig.Host.Messages.first(), LangText(3, QStringLiteral("warn_card_version_low_cfg")));
    if (open) {
        QCOMPARE(request.NoCardSelected, noCard);
        QCOMPARE(request.CardName, QStringLiteral("Hall"));
        QVERIFY(request.ShowNetCardChoice);
        QCOMPARE(request.Mac, mode == Net() ? QByteArray::fromHex("001A9E0AABFF") : QByteArray());
    }
}

void TestCardOperations::paramWindowWithoutSelection()
{
    Rig rig;
    rig.Host.Mode = Net();
    CardOperations ops(rig.Cards, rig.Host, rig.Links);
    CardOperations::ParamWindowRequest request = ops.CheckCmmParaSet();
    QVERIFY(request.Open);
    QVERIFY(request.NoCardSelected);
    rig.Host.Selected = QStringLiteral("Missing");
    request = ops.CheckCmmParaSet();
    QVERIFY(!request.Open);
    QVERIFY(rig.Host.Messages.isEmpty());
}

void TestLinkStart::openSerialWaitsAndShows_data()
{
    QTest::addColumn<bool>("bus");
    QTest::addColumn<bool>("alreadyOpen");
    QTest::addColumn<QList<int>>("waits");
    QTest::newRow("plain, closed") << false << false << QList<int>{80, 150};
    QTest::newRow("plain, reopened") << false << true << QList<int>{80, 80, 150};
    QTest::newRow("bus") << true << false << QList<int>{80, 150};
}

void TestLinkStart::openSerialWaitsAndShows()
{
    QFETCH(bool, bus);
    QFETCH(bool, alreadyOpen);
    QFETCH(QList<int>, waits);
    Rig rig;
    if (alreadyOpen)
        QVERIFY(rig.SerialPort->Open());
    rig.Links.tOnOffLine.start();
    QSignalSpy busOpened(&rig.Links, &CardLinks::Rs485Opened);
    QVERIFY(rig.Links.OpenSerial(bus ? CardLinks::SerialMode::Rs485 : CardLinks::SerialMode::Rs232,
                                 QStringLiteral(" COM3 "), 19200));
    QCOMPARE(rig.Waits, waits);
    QCOMPARE(rig.Host.Status.value(3), QStringLiteral("Serial Port[COM3]baud rate[19200]"));
    QVERIFY(!rig.Links.tOnOffLine.isActive());
    QCOMPARE(rig.Links.BaudRate(), 19200);
    if (bus) {
        QVERIFY(rig.SerialPort->Writes.isEmpty());
        QCOMPARE(busOpened.count(), 1);
    } else {
        QCOMPARE(rig.SerialPort->Writes, QList<QByteArray>{CardWire::IdentifyFrame});
        QCOMPARE(busOpened.count(), 0);
    }
}

void TestLinkStart::openSerialFailureShowsOpenFailed()
{
    Rig rig;
    rig.SerialPort->SetOpenFails(true);
    rig.Links.tOnOffLine.start();
    QVERIFY(!rig.Links.OpenSerial(CardLinks::SerialMode::Rs232, QStringLiteral("COM9"), 9600));
    QCOMPARE(rig.Host.Status.value(3), QStringLiteral("Serial Port[COM9]open failed!"));
    QVERIFY(rig.SerialPort->Writes.isEmpty());
}

void TestLinkStart::missingDeviceShowsOpenFailed()
{
    TCardList cards;
    FakeHost host(cards);
    CardLinks links(cards, host); // the real serial port
    links.Wait = [](int) {};
    QVERIFY(!links.OpenSerial(CardLinks::SerialMode::Rs232, QStringLiteral("/dev/ttyNoSuchPort7"), 9600));
    QCOMPARE(host.Status.value(3), QStringLiteral("Serial Port[/dev/ttyNoSuchPort7]open failed!"));
    QVERIFY(!links.SerialOpen());
}

void TestLinkStart::openServerStoresPortAndStartsTimer()
{
    Rig rig;
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const int port = probe.serverPort();
    probe.close();
    QVERIFY(rig.Links.OpenServer(port));
    QCOMPARE(rig.Waits, QList<int>{100});
    QCOMPARE(rig.Host.StoredPort, port);
    QCOMPARE(rig.Links.ServerPort(), port);
    QCOMPARE(rig.Host.Status.value(3), QStringLiteral("Network Port[%1]").arg(port));
    QVERIFY(rig.Links.tOnOffLine.isActive());
    QCOMPARE(rig.Links.tOnOffLine.interval(), CardLinks::OnlineDesignIntervalMs);
    // Already active: nothing changes.
    rig.Host.StoredPort = 0;
    QVERIFY(rig.Links.OpenServer(port + 1));
    QCOMPARE(rig.Host.StoredPort, 0);
    QCOMPARE(rig.Links.Server().Port(), quint16(port));
    // A serial link stops the online timer; a search restarts it at 30 s.
    QVERIFY(rig.Links.OpenSerial(CardLinks::SerialMode::Rs232, QStringLiteral("COM1"), 9600));
    QVERIFY(!rig.Links.tOnOffLine.isActive());
    rig.Links.RestartOnlineTimerAfterSearch();
    QVERIFY(rig.Links.tOnOffLine.isActive());
    QCOMPARE(rig.Links.tOnOffLine.interval(), CardLinks::OnlineAfterSearchIntervalMs);
}

void TestLinkStart::openServerOnTakenPortFails()
{
    Rig rig;
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
    QVERIFY(!rig.Links.OpenServer(taken.serverPort()));
    QCOMPARE(rig.Host.Status.value(3), QStringLiteral("Failed to open server-side service!"));
    QVERIFY(!rig.Links.tOnOffLine.isActive());
    QCOMPARE(rig.Host.StoredPort, 0);
}

void TestLinkStart::modeOfCommModeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mode");
    QTest::newRow("network") << Net() << int(CardLinks::Mode::Network);
    QTest::newRow("serial") << Ser() << int(CardLinks::Mode::Serial);
    QTest::newRow("bus") << "485" << int(CardLinks::Mode::Rs485);
    QTest::newRow("other") << "COM1" << int(CardLinks::Mode::Other);
}

void TestLinkStart::modeOfCommModeText()
{
    QFETCH(QString, text);
    QFETCH(int, mode);
    QCOMPARE(int(CardLinks::ModeOf(text)), mode);
}

void TestLinkStart::startLinkByMode()
{
    Rig rig;
    rig.Links.StartLink(CardLinks::Mode::Serial, QStringLiteral("COM2"), 0);
    QVERIFY(rig.SerialPort->IsOpen());
    QCOMPARE(rig.Links.BaudRate(), 9600);
    QCOMPARE(rig.SerialPort->Writes, QList<QByteArray>{CardWire::IdentifyFrame});
    rig.Links.CloseSerial();
    QVERIFY(!rig.SerialPort->IsOpen());
    QSignalSpy busOpened(&rig.Links, &CardLinks::Rs485Opened);
    rig.Links.StartLink(CardLinks::Mode::Rs485, QStringLiteral("COM2"), 38400);
    QCOMPARE(busOpened.count(), 1);
    QCOMPARE(rig.Links.BaudRate(), 38400);
}
