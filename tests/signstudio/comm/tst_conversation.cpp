#include "signstudio/comm/cardserver.h"
#include "signstudio/comm/tcplink.h"
#include "signstudio/lang/langtext.h"
#include "tests/signstudio/comm/cardwire.h"
#include "tests/signstudio/comm/rig.h"
#include "tests/signstudio/comm/tst_suites.h"

#include <QSignalSpy>
#include <QTest>

using CardWire::Identity;
using CardWire::IdentityFrame;

namespace {

// Opens the server on a free loopback port chosen by the system.
quint16 Serve(Rig &rig)
{
    rig.Links.CloseServer();
    if (!rig.Links.Server().Listen(0, QHostAddress::LocalHost))
        return 0;
    return rig.Links.Server().Port();
}

} // namespace

void TestConversation::identifyArrivesFirstThenClock_data()
{
    QTest::addColumn<int>("poll");
    QTest::addColumn<QByteArray>("digits");
    QTest::newRow("poll 30") << 30 << QByteArray("030");
    QTest::newRow("poll 45") << 45 << QByteArray("045");
    QTest::newRow("poll 999") << 999 << QByteArray("999");
}

void TestConversation::identifyArrivesFirstThenClock()
{
    QFETCH(int, poll);
    QFETCH(QByteArray, digits);
    Rig rig;
    rig.Host.Poll = poll;
    QSignalSpy pace(&rig.Conversation, &UploadConversation::BaseIntervalReported);
    const quint16 port = Serve(rig);
    QVERIFY(port);
    CardClient card(port);
    QVERIFY(card.Connected());
    QCOMPARE(card.ReadExactly(19), CardWire::IdentifyFrame);
    card.Send(IdentityFrame(Identity()));
    QCOMPARE(card.ReadExactly(42), ExpectedNetworkClock(digits));

    QCOMPARE(rig.Cards.Count(), 1);
    TFIXModem *c = rig.Cards.At(0);
    QCOMPARE(c->Name, QStringLiteral("1_2_3_4_5_6_7_8"));
    QCOMPARE(c->InnerCode, QStringLiteral("1_2_3_4_5_6_7_8"));
    QCOMPARE(c->LinkKind, 2);
    QCOMPARE(c->IpAddress, QStringLiteral("127.0.0.1"));
    QCOMPARE(c->MacAddress, QStringLiteral("0:26:158:10:171:255"));
    QCOMPARE(c->ScreenWidth, 128);
    QCOMPARE(c->ScreenHeight, 64);
    QCOMPARE(c->ColourCode, 58);
    QCOMPARE(c->FirmwareVersion, 55);
    QCOMPARE(c->FontCountShown, 4);
    QCOMPARE(c->FontCount, 8);
    QCOMPARE(c->Number, 1);
    // 0x1F: flags 0..4 set; 0x15 = 10101: flags 5, 7 and 9.
    const std::array<bool, 10> caps{true, true, true, true, true, true, false, true, false, true};
    QVERIFY(c->Capabilities == caps);
    QVERIFY(c->Online);
    QVERIFY(c->Socket);
    QCOMPARE(c->TimeoutSpan, qint64(3 * poll));
    QCOMPARE(c->LastHeard, FixedNow());
    QCOMPARE(c->LastPacketId, QStringLiteral("00012345"));
    QCOMPARE(c->SendMark, 0);
    QCOMPARE(rig.Host.Nodes.size(), 1);
    QCOMPARE(rig.Host.Nodes.first(), (QPair<QString, int>(c->Name, 2)));
    QCOMPARE(rig.Host.CardSelectedCalls, QStringList{c->Name});
    QVERIFY(rig.Host.Resized.isEmpty());
    QCOMPARE(pace.count(), 1);
    QCOMPARE(pace.first().first().toInt(), 30);
    QCOMPARE(rig.Links.Server().UnregisteredCount(), 0);
    QCOMPARE(rig.Links.CurrentCardName, c->InnerCode);
}

void TestConversation::heartbeatRegistersWithoutClock_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("heartbeat 91") << 0x91;
    QTest::newRow("material upload 72") << 0x72;
}

void TestConversation::heartbeatRegistersWithoutClock()
{
    QFETCH(int, code);
    Rig rig;
    const quint16 port = Serve(rig);
    CardClient card(port);
    QCOMPARE(card.ReadExactly(19), CardWire::IdentifyFrame);
    Identity id;
    id.Code = quint8(code);
    card.Send(IdentityFrame(id));
    QTRY_COMPARE_WITH_TIMEOUT(rig.Cards.Count(), 1, 3000);
    QVERIFY(rig.Cards.At(0)->Online);
    QCOMPARE(rig.Host.Nodes.first().second, 2);
    QCOMPARE(card.ReadFor(300), QByteArray());
    QCOMPARE(rig.Cards.At(0)->SendMark, -1);
}

void TestConversation::refusedIdentityIsAskedAgain_data()
{
    QTest::addColumn<QByteArray>("frame");
    Identity answer;
    answer.Code = 0x71;
    Identity zeros;
    zeros.Trailer = QByteArray::fromHex("0000");
    Identity badVersion;
    badVersion.Version = "5x";
    QTest::newRow("answer 71 not accepted on TCP") << IdentityFrame(answer);
    QTest::newRow("trailer 00 00") << IdentityFrame(zeros);
    QTest::newRow("version not a number") << IdentityFrame(badVersion);
    QTest::newRow("confirmation from unknown connection") << CardWire::Frame(0x81, "1");
    QTest::newRow("short 61 without identity") << CardWire::Frame(0x61, "");
}

void TestConversation::refusedIdentityIsAskedAgain()
{
    QFETCH(QByteArray, frame);
    Rig rig;
    const quint16 port = Serve(rig);
    CardClient card(port);
    QCOMPARE(card.ReadExactly(19), CardWire::IdentifyFrame);
    card.Send(frame);
    const QByteArray answer = card.ReadFor(300);
    // A 19-byte 61 has FF FF at its end but no identity in it: nothing to
    // register and nothing to answer.
    if (frame.size() == 19 && quint8(frame.at(8)) == 0x61)
        QCOMPARE(answer, QByteArray());
    else
        QCOMPARE(answer, CardWire::IdentifyFrame);
    QCOMPARE(rig.Cards.Count(), 0);
    QVERIFY(card.Connected());
    QCOMPARE(rig.Links.Server().UnregisteredCount(), 1);
}

void TestConversation::unreadableSizeDropsTheRead_data()
{
    QTest::addColumn<QByteArray>("width");
    QTest::addColumn<char>("colour");
    QTest::newRow("width") << QByteArray("01x8") << '3';
    QTest::newRow("colour") << QByteArray("0128") << 'x';
}

void TestConversation::unreadableSizeDropsTheRead()
{
    QFETCH(QByteArray, width);
    QFETCH(char, colour);
    Rig rig;
    const quint16 port = Serve(rig);
    CardClient card(port);
    QCOMPARE(card.ReadExactly(19), CardWire::IdentifyFrame);
    Identity bad;
    bad.Width = width;
    bad.Colour = colour;
    // The good identity behind it in the same read is dropped too.
    card.Send(IdentityFrame(bad) + IdentityFrame(Identity()));
    QCOMPARE(card.ReadFor(300), QByteArray());
    QCOMPARE(rig.Cards.Count(), 0);
    QVERIFY(card.Connected());
}

void TestConversation::knownCardTwoFramesInOneRead_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("clocks");
    QTest::newRow("two heartbeats") << 0x91 << 0;
    QTest::newRow("two inner-code uploads") << 0x61 << 2;
}

void TestConversation::knownCardTwoFramesInOneRead()
{
    QFETCH(int, code);
    QFETCH(int, clocks);
    Rig rig;
    TFIXModem *hall = rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_8"), 0, 128, 32, -1);
    const quint16 port = Serve(rig);
    CardClient card(port);
    QCOMPARE(card.ReadExactly(19), CardWire::IdentifyFrame);
    Identity id;
    id.Code = quint8(code);
    card.Send(IdentityFrame(id) + IdentityFrame(id));
    QTRY_VERIFY_WITH_TIMEOUT(hall->Online, 3000);
    const QByteArray answers = card.ReadFor(300);
    QCOMPARE(answers.size(), 42 * clocks);
    if (clocks)
        QCOMPARE(answers.left(42), ExpectedNetworkClock("030"));
    QCOMPARE(rig.Cards.Count(), 1);
    QCOMPARE(hall->LinkKind, 2);
    QCOMPARE(hall->ScreenHeight, 64);
    QCOMPARE(hall->FirmwareVersion, 55);
    QCOMPARE(rig.Host.Nodes.first(), (QPair<QString, int>(QStringLiteral("Hall"), 2)));
    QCOMPARE(rig.Host.Selected, QStringLiteral("Hall"));
    QCOMPARE(rig.Host.Resized, QStringList{QStringLiteral("Hall")});
}

void TestConversation::severalCardsShareOneCode()
{
    Rig rig;
    TFIXModem *a = rig.AddCard(QStringLiteral("A"), QStringLiteral("1_2_3_4_5_6_7_8"), 0);
    TFIXModem *b = rig.AddCard(QStringLiteral("B"), QStringLiteral("1_2_3_4_5_6_7_8"), 0);
    rig.AddCard(QStringLiteral("C"), QStringLiteral("9_9_9_9_9_9_9_9"), 0);
    const quint16 port = Serve(rig);
    CardClient card(port);
    QCOMPARE(card.ReadExactly(19), CardWire::IdentifyFrame);
    card.Send(IdentityFrame(Identity()));
    QCOMPARE(card.ReadExactly(42), ExpectedNetworkClock("030"));
    QVERIFY(a->Online && b->Online);
    QVERIFY(a->Socket && a->Socket == b->Socket);
    QCOMPARE(rig.Host.Selected, QStringLiteral("B"));
    QCOMPARE(rig.Host.CardNodeImage(QStringLiteral("B")), 2);
    QCOMPARE(rig.Cards.Count(), 3);
    QVERIFY(!rig.Cards.At(2)->Online);
}

void TestConversation::disconnectTakesCardOffline()
{
    Rig rig;
    const quint16 port = Serve(rig);
    auto card = std::make_unique<CardClient>(port);
    QCOMPARE(card->ReadExactly(19), CardWire::IdentifyFrame);
    card->Send(IdentityFrame(Identity()));
    QTRY_COMPARE_WITH_TIMEOUT(rig.Cards.Count(), 1, 3000);
    TFIXModem *c = rig.Cards.At(0);
    QVERIFY(c->Online);
    card->Disconnect();
    QTRY_VERIFY_WITH_TIMEOUT(!c->Online, 3000);
    QVERIFY(!c->Socket);
    QCOMPARE(rig.Host.Nodes.first().second, 2); // the icon follows at the next tick
    rig.Links.OnOnlineTimer();
    QCOMPARE(rig.Host.Nodes.first().second, 1);
    // Writing to it now fails instead of reaching a stale connection.
    QVERIFY(!rig.Links.WriteToCard(c, "x"));
    card.reset();
    QTRY_COMPARE_WITH_TIMEOUT(rig.Links.Server().Connections().size(), 0, 3000);
}

void TestConversation::silenceShowsOfflineAtTick_data()
{
    QTest::addColumn<int>("poll");
    QTest::addColumn<int>("silence");
    QTest::addColumn<int>("image");
    QTest::newRow("30 s poll, 89 s") << 30 << 89 << 2;
    QTest::newRow("30 s poll, 90 s") << 30 << 90 << 2;
    QTest::newRow("30 s poll, 91 s") << 30 << 91 << 1;
    QTest::newRow("45 s poll, 134 s") << 45 << 134 << 2;
    QTest::newRow("45 s poll, 136 s") << 45 << 136 << 1;
}

void TestConversation::silenceShowsOfflineAtTick()
{
    QFETCH(int, poll);
    QFETCH(int, silence);
    QFETCH(int, image);
    Rig rig;
    rig.Host.Poll = poll;
    const quint16 port = Serve(rig);
    CardClient card(port);
    QCOMPARE(card.ReadExactly(19), CardWire::IdentifyFrame);
    Identity id;
    id.Code = 0x91;
    card.Send(IdentityFrame(id));
    QTRY_COMPARE_WITH_TIMEOUT(rig.Cards.Count(), 1, 3000);
    rig.Clock = FixedNow().addSecs(silence);
    rig.Links.OnOnlineTimer();
    QCOMPARE(rig.Host.Nodes.first().second, image);
    QCOMPARE(rig.Links.tOnOffLine.interval(), CardLinks::OnlineRunningIntervalMs);
    // A heartbeat refreshes the card: online again at the next tick.
    card.Send(IdentityFrame(id));
    QTRY_COMPARE_WITH_TIMEOUT(rig.Cards.At(0)->LastHeard, rig.Clock, 3000);
    rig.Links.OnOnlineTimer();
    QCOMPARE(rig.Host.Nodes.first().second, 2);
}

void TestConversation::onlineTimerGates_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("searching");
    QTest::addColumn<bool>("groupSending");
    QTest::addColumn<bool>("applied");
    QTest::newRow("network") << "Network" << false << false << true;
    QTest::newRow("serial mode") << "Serial Port" << false << false << false;
    QTest::newRow("bus") << "485" << false << false << false;
    QTest::newRow("searching") << "Network" << true << false << false;
    QTest::newRow("group send") << "Network" << false << true << false;
}

void TestConversation::onlineTimerGates()
{
    QFETCH(QString, mode);
    QFETCH(bool, searching);
    QFETCH(bool, groupSending);
    QFETCH(bool, applied);
    Rig rig;
    rig.Host.Mode = mode;
    rig.Host.Searching = searching;
    rig.Host.GroupSending = groupSending;
    rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_8"), 2);
    rig.Host.Nodes.append({QStringLiteral("Hall"), 2}); // a second node with the same text
    rig.Host.Nodes.first().second = 2;
    QCOMPARE(rig.Links.tOnOffLine.interval(), CardLinks::OnlineDesignIntervalMs);
    rig.Links.OnOnlineTimer();
    QCOMPARE(rig.Links.tOnOffLine.interval(),
             applied ? CardLinks::OnlineRunningIntervalMs : CardLinks::OnlineDesignIntervalMs);
    QCOMPARE(rig.Host.Nodes.at(0).second, applied ? 1 : 2);
    QCOMPARE(rig.Host.Nodes.at(1).second, applied ? 1 : 2);
}

void TestConversation::replyHandling_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("exception 34") << CardWire::Frame(0x34, "x") << "exception";
    QTest::newRow("parameters written F1") << CardWire::Frame(0xF1) << "written";
    QTest::newRow("confirm everything") << CardWire::Frame(0x81, "1") << "confirm";
    QTest::newRow("confirm resend") << CardWire::Frame(0x81, QByteArray("3\x02\x00\x05\x00", 5)) << "confirm";
    QTest::newRow("confirm other") << CardWire::Frame(0x81, "2") << "";
    QTest::newRow("confirm without payload") << CardWire::Frame(0x81) << "";
    QTest::newRow("heartbeat") << IdentityFrame([] { Identity i; i.Code = 0x91; return i; }()) << "";
    QTest::newRow("program notice 21") << CardWire::Frame(0x21) << "";
    QTest::newRow("program notice 74") << CardWire::Frame(0x74) << "";
    QTest::newRow("content notice 32") << CardWire::Frame(0x32) << "";
    QTest::newRow("unknown code") << CardWire::Frame(0x99) << "";
    QTest::newRow("inner code 61") << IdentityFrame(Identity()) << "clock";
    QTest::newRow("truncated header") << QByteArray::fromHex("FE5C4B89") << "";
}

void TestConversation::replyHandling()
{
    QFETCH(QByteArray, frame);
    QFETCH(QString, outcome);
    Rig rig;
    TFIXModem *card = rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_8"), 2);
    auto socket = std::make_shared<RecordingCardLink>();
    card->GoOnline(socket, 30);
    QSignalSpy exception(&rig.Conversation, &UploadConversation::ExceptionReceived);
    QSignalSpy written(&rig.Conversation, &UploadConversation::ParamsWritten);
    QSignalSpy confirm(&rig.Conversation, &UploadConversation::ConfirmReceived);
    rig.Conversation.HandleReply(0, frame);
    QCOMPARE(exception.count(), outcome == QLatin1String("exception") ? 1 : 0);
    QCOMPARE(written.count(), outcome == QLatin1String("written") ? 1 : 0);
    QCOMPARE(confirm.count(), outcome == QLatin1String("confirm") ? 1 : 0);
    if (outcome == QLatin1String("clock"))
        QCOMPARE(socket->Writes, QList<QByteArray>{ExpectedNetworkClock("030")});
    else
        QVERIFY(socket->Writes.isEmpty());
    // An index outside the list is ignored.
    rig.Conversation.HandleReply(5, frame);
    rig.Conversation.HandleReply(-1, frame);
}

void TestConversation::paramReplyIsWrittenBack()
{
    Rig rig;
    QVERIFY(rig.SerialPort->Open());
    TFIXModem *card = rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_8"), 2);
    QSignalSpy read(&rig.Conversation, &UploadConversation::ParamsRead);
    QByteArray block = QByteArray::fromHex("0101008000400100003101330022000000");
    QCOMPARE(block.size(), 17);
    rig.Conversation.HandleParamReply(card, CardWire::Frame(0xF2, block), 0);
    QCOMPARE(read.count(), 1);
    QCOMPARE(read.first().at(1).toByteArray(), block);
    QCOMPARE(rig.SerialPort->Writes.size(), 1);
    const QByteArray back = rig.SerialPort->Writes.first();
    QCOMPARE(back.size(), 36);
    QCOMPARE(quint8(back.at(8)), quint8(0xF1));
    QByteArray expected = block;
    expected[9] = 0x01;  // high nibble of byte 9 cleared
    expected[11] = 0x22; // the serial interface
    QCOMPARE(back.mid(17, 17), expected);
    // A block that already says serial is not written back.
    block[11] = 0x22;
    block[9] = 0x01;
    rig.Conversation.HandleParamReply(card, CardWire::Frame(0xF2, block), 0);
    QCOMPARE(rig.SerialPort->Writes.size(), 1);
    // A reply too short for a block changes nothing.
    rig.Conversation.HandleParamReply(card, CardWire::Frame(0xF2, "abc"), 0);
    QCOMPARE(read.count(), 2);
}

void TestConversation::writeErrorTakesCardOffline()
{
    Rig rig;
    TFIXModem *card = rig.AddCard(QStringLiteral("Hall"), QStringLiteral("1_2_3_4_5_6_7_8"), 2);
    auto socket = std::make_shared<RecordingCardLink>();
    card->GoOnline(socket, 30);
    QVERIFY(rig.Links.WriteToCard(card, "ok"));
    socket->Fails = true;
    QVERIFY(!rig.Links.WriteToCard(card, "lost"));
    QVERIFY(!card->Online);
    QVERIFY(!card->Socket);
    QCOMPARE(socket->Closed, 1);
    // Serial cards write to the serial port, which is closed here.
    TFIXModem *serialCard = rig.AddCard(QStringLiteral("S"), QStringLiteral("1_1_1_1_1_1_1_1"), 0);
    QVERIFY(!rig.Links.WriteToCard(serialCard, "x"));
    QVERIFY(rig.SerialPort->Open());
    QVERIFY(rig.Links.WriteToCard(serialCard, "x"));
    QCOMPARE(rig.SerialPort->Writes, QList<QByteArray>{"x"});
    QVERIFY(!rig.Links.WriteToCard(nullptr, "x"));
}

void TestConversation::offlineCardClosesItsConnection()
{
    Rig rig;
    const quint16 port = Serve(rig);
    CardClient card(port);
    QCOMPARE(card.ReadExactly(19), CardWire::IdentifyFrame);
    card.Send(IdentityFrame(Identity()));
    QCOMPARE(card.ReadExactly(42), ExpectedNetworkClock("030"));
    TFIXModem *c = rig.Cards.At(0);
    // Going offline closes the connection from the event loop; the
    // disconnect that follows finds no card holding it any more.
    c->GoOffline();
    QVERIFY(!c->Online);
    QTRY_COMPARE_WITH_TIMEOUT(card.Socket().state(), QAbstractSocket::UnconnectedState, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(rig.Links.Server().Connections().size(), 0, 3000);
    QVERIFY(!rig.Links.WriteToCard(c, "x"));
}
