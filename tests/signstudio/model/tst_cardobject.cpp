#include "signstudio/comm/codec/cardidentity.h"
#include "signstudio/model/cardlist.h"
#include "tests/signstudio/model/tst_helpers.h"
#include "tests/signstudio/model/tst_suites.h"

#include <QTest>

void TestCardObject::createDefaults()
{
    auto card = TFIXModem::Create(lkSerial, QStringLiteral("Card1"), QStringLiteral("pnCard3"), QString(),
                                  QString::fromLatin1(kUnsetInnerCode), QString(), QStringLiteral("a.prg"), 1, 256,
                                  128, 56, -1, 5, 8);
    QCOMPARE(card->LinkKind, int(lkSerial));
    QCOMPARE(card->Name, QStringLiteral("Card1"));
    QCOMPARE(card->PanelName, QStringLiteral("pnCard3"));
    QCOMPARE(card->ProgramFile, QStringLiteral("a.prg"));
    QCOMPARE(card->ScreenWidth, 256);
    QCOMPARE(card->ScreenHeight, 128);
    QCOMPARE(card->FirmwareVersion, -1);
    QCOMPARE(card->FontCountShown, 5);
    QCOMPARE(card->FontCount, 8);
    QCOMPARE(card->SendMark, -1);
    QCOMPARE(card->SendPhase, -1);
    QVERIFY(card->LastPacketId.isEmpty());
    QVERIFY(!card->Online);
    QVERIFY(!card->Modified);
    QVERIFY(card->RemoteTextFree);
    QVERIFY(!card->Socket);
    QVERIFY(card->SliceQueue.isEmpty() && card->ContentQueue.isEmpty());
    for (bool flag : card->Capabilities)
        QVERIFY(flag);
    // never heard: offline at the first tick
    QVERIFY(card->IsTimedOut(QDateTime::currentDateTime()));
}

void TestCardObject::onlineAndOffline()
{
    TFIXModem card;
    auto link = std::make_shared<FakeLink>();
    card.GoOnline(link, 30);
    QVERIFY(card.Online);
    QCOMPARE(card.Socket.get(), link.get());
    QCOMPARE(card.TimeoutSpan, qint64(90));
    card.GoOffline();
    QVERIFY(!card.Online);
    QVERIFY(!card.Socket);
    QCOMPARE(link->closes, 1);

    // a link that fails while closing is forgotten all the same
    auto bad = std::make_shared<FakeLink>();
    bad->throwOnClose = true;
    card.GoOnline(bad, 40);
    QCOMPARE(card.TimeoutSpan, qint64(120));
    card.GoOffline();
    QVERIFY(!card.Online);
    QVERIFY(!card.Socket);
    QCOMPARE(bad->closes, 1);
    // offline twice: nothing to close
    card.GoOffline();
    QCOMPARE(bad->closes, 1);
}

void TestCardObject::timeout_data()
{
    QTest::addColumn<int>("pollTime");
    QTest::addColumn<int>("silentSeconds");
    QTest::addColumn<bool>("timedOut");
    QTest::newRow("89 s of 90") << 30 << 89 << false;
    QTest::newRow("exactly 90 s") << 30 << 90 << false;
    QTest::newRow("91 s of 90") << 30 << 91 << true;
    QTest::newRow("poll 999") << 999 << 2996 << false;
    QTest::newRow("poll 999 passed") << 999 << 2998 << true;
}

void TestCardObject::timeout()
{
    QFETCH(int, pollTime);
    QFETCH(int, silentSeconds);
    QFETCH(bool, timedOut);
    TFIXModem card;
    const QDateTime heard(QDate(2026, 3, 1), QTime(23, 59, 30));
    card.GoOnline(std::make_shared<FakeLink>(), pollTime);
    card.Touch(heard);
    QCOMPARE(card.IsTimedOut(heard.addSecs(silentSeconds)), timedOut);
}

void TestCardObject::onlineTick_data()
{
    QTest::addColumn<bool>("networkMode");
    QTest::addColumn<bool>("searching");
    QTest::addColumn<bool>("groupSending");
    QTest::addColumn<bool>("applied");
    QTest::newRow("network mode") << true << false << false << true;
    QTest::newRow("serial mode") << false << false << false << false;
    QTest::newRow("search running") << true << true << false << false;
    QTest::newRow("group send") << true << false << true << false;
}

void TestCardObject::onlineTick()
{
    QFETCH(bool, networkMode);
    QFETCH(bool, searching);
    QFETCH(bool, groupSending);
    QFETCH(bool, applied);
    TProject project;
    TFIXModem *quiet = addCard(project, QStringLiteral("Quiet"));
    TFIXModem *talking = addCard(project, QStringLiteral("Talking"));
    const QDateTime now = QDateTime::currentDateTime();
    quiet->GoOnline(std::make_shared<FakeLink>(), 30);
    quiet->Touch(now.addSecs(-91));
    talking->GoOnline(std::make_shared<FakeLink>(), 30);
    talking->Touch(now.addSecs(-89));

    const TOnlineTick tick = OnlineTick(project.Cards, networkMode, searching, groupSending, now);
    QCOMPARE(tick.Applied, applied);
    if (!applied) {
        QVERIFY(tick.Images.isEmpty());
        QCOMPARE(tick.NextInterval, 0);
        return;
    }
    QCOMPARE(tick.NextInterval, 3000);
    QCOMPARE(tick.Images.size(), 2);
    QCOMPARE(tick.Images.at(0), qMakePair(QStringLiteral("Quiet"), int(ciOffline)));
    QCOMPARE(tick.Images.at(1), qMakePair(QStringLiteral("Talking"), int(ciOnline)));
}

void TestCardObject::repeatedNamesTakeLastCard()
{
    // Every root node with the card's text takes the state; with two cards
    // of one name the later entry decides.
    TProject project;
    TFIXModem *a = addCard(project, QStringLiteral("Same"));
    TFIXModem *b = addCard(project, QStringLiteral("Same"));
    const QDateTime now = QDateTime::currentDateTime();
    a->GoOnline(std::make_shared<FakeLink>(), 30);
    a->Touch(now);
    b->GoOnline(std::make_shared<FakeLink>(), 30);
    b->Touch(now.addSecs(-200));
    const TOnlineTick tick = OnlineTick(project.Cards, true, false, false, now);
    QCOMPARE(tick.Images.size(), 2);
    QCOMPARE(tick.Images.last().second, int(ciOffline));
    QCOMPARE(project.Cards.FindByName(QStringLiteral("Same")), a);
}

void TestCardObject::pollTimeClamp_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("used");
    QTest::newRow("10 -> 30") << 10 << 30;
    QTest::newRow("5000 -> 999") << 5000 << 999;
    QTest::newRow("30") << 30 << 30;
    QTest::newRow("999") << 999 << 999;
    QTest::newRow("120") << 120 << 120;
    QTest::newRow("negative") << -5 << 30;
}

void TestCardObject::pollTimeClamp()
{
    QFETCH(int, stored);
    QFETCH(int, used);
    QCOMPARE(ClampPollTime(stored), used);
}

void TestCardObject::capabilityBytes_data()
{
    QTest::addColumn<int>("byte52");
    QTest::addColumn<int>("byte53");
    QTest::addColumn<QString>("flags");
    QTest::newRow("none") << 0x00 << 0x00 << "0000000000";
    QTest::newRow("all five bits") << 0x1F << 0x1F << "1111111111";
    QTest::newRow("bit 4 of 52 is queue") << 0x10 << 0x00 << "1000000000";
    QTest::newRow("bit 0 of 52 is pictures and texts") << 0x01 << 0x00 << "0000100000";
    QTest::newRow("bit 4 of 53 is remote text") << 0x00 << 0x10 << "0000010000";
    QTest::newRow("bit 0 of 53 is time") << 0x00 << 0x01 << "0000000001";
    QTest::newRow("high bits ignored") << 0xE0 << 0xE2 << "0000000010";
}

void TestCardObject::capabilityBytes()
{
    QFETCH(int, byte52);
    QFETCH(int, byte53);
    QFETCH(QString, flags);
    TFIXModem card;
    card.SetCapabilityBytes(quint8(byte52), quint8(byte53));
    QString got;
    for (bool f : card.Capabilities)
        got += f ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(got, flags);
}

void TestCardObject::applyIdentity()
{
    CardIdentity id;
    id.Width = 320;
    id.Height = 96;
    id.ColourCode = 57;
    id.VersionValid = true;
    id.Version = 53;
    id.FontFigure1 = 3;
    id.FontFigure2 = 6;
    id.Capabilities = {true, false, true, false, true, false, true, false, true, false};
    TFIXModem card;
    card.ApplyIdentity(id, lkRs485);
    QCOMPARE(card.ScreenWidth, 320);
    QCOMPARE(card.ScreenHeight, 96);
    QCOMPARE(card.ColourCode, 57);
    QCOMPARE(card.FirmwareVersion, 53);
    QCOMPARE(card.FontCountShown, 3);
    QCOMPARE(card.FontCount, 7); // the second figure + 1
    QCOMPARE(card.LinkKind, int(lkRs485));
    QVERIFY(card.Capabilities[0] && !card.Capabilities[1] && card.Capabilities[8] && !card.Capabilities[9]);

    id.VersionValid = false;
    card.ApplyIdentity(id, lkNetwork);
    QCOMPARE(card.FirmwareVersion, -1);
}

void TestCardObject::failedWriteGoesOffline()
{
    TFIXModem card;
    QVERIFY(!card.WriteToSocket("x"));
    auto link = std::make_shared<FakeLink>();
    card.GoOnline(link, 30);
    QVERIFY(card.WriteToSocket("ab"));
    QCOMPARE(link->written, QByteArray("ab"));
    QVERIFY(card.Online);
    link->writeOk = false;
    QVERIFY(!card.WriteToSocket("cd"));
    QVERIFY(!card.Online);
    QVERIFY(!card.Socket);
    QCOMPARE(link->closes, 1);
}

void TestCardObject::cardListLookups()
{
    TCardList list;
    auto a = TFIXModem::Create(lkNetwork, QStringLiteral("A"), {}, {}, QStringLiteral("1_1_1_1_1_1_1_1"), {}, {}, 1,
                               64, 32, 56, 60, 5, 8);
    auto b = TFIXModem::Create(lkNetwork, QStringLiteral("B"), {}, {}, QStringLiteral("2_2_2_2_2_2_2_2"), {}, {}, 2,
                               64, 32, 56, 60, 5, 8);
    auto c = TFIXModem::Create(lkNetwork, QStringLiteral("A"), {}, {}, QStringLiteral("2_2_2_2_2_2_2_2"), {}, {}, 3,
                               64, 32, 56, 60, 5, 8);
    TFIXModem *pa = list.Append(std::move(a));
    TFIXModem *pb = list.Append(std::move(b));
    TFIXModem *pc = list.Append(std::move(c));
    QCOMPARE(list.FindByName(QStringLiteral("A")), pa);
    QCOMPARE(list.FindByInnerCode(QStringLiteral("2_2_2_2_2_2_2_2")), pb);
    QCOMPARE(list.FindAllByInnerCode(QStringLiteral("2_2_2_2_2_2_2_2")), (QList<TFIXModem *>{pb, pc}));
    QCOMPARE(list.FindByName(QStringLiteral("none")), nullptr);
    QCOMPARE(list.At(3), nullptr);
    QCOMPARE(list.At(-1), nullptr);

    auto link = std::make_shared<FakeLink>();
    pb->GoOnline(link, 30);
    pc->GoOnline(link, 30);
    QCOMPARE(list.FindBySocket(link.get()), (QList<TFIXModem *>{pb, pc}));
    QVERIFY(list.FindBySocket(nullptr).isEmpty());

    list.Move(2, 0);
    QCOMPARE(list.At(0), pc);
    QCOMPARE(list.FindByName(QStringLiteral("A")), pc);
    list.RemoveAt(0);
    QCOMPARE(list.Count(), 2);
    QCOMPARE(list.IndexOf(pb), 1);
    list.RemoveAt(7); // out of range: nothing
    QCOMPARE(list.Count(), 2);
}
