#include "signstudio/comm/serialreplydispatch.h"
#include "tests/signstudio/comm/cardwire.h"
#include "tests/signstudio/comm/rig.h"
#include "tests/signstudio/comm/tst_suites.h"

#include <QSignalSpy>
#include <QTest>

namespace {

struct DispatchRig : Rig
{
    DispatchRig()
    {
        SerialPort->Open();
        Host.Mode = QStringLiteral("Serial Port");
    }
    SerialReplyDispatch Dispatch{Cards, Links, Conversation};
};

} // namespace

void TestSerialDispatch::bareFrames_data()
{
    QTest::addColumn<QByteArray>("burst");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("identities");
    QTest::addColumn<int>("confirmIndex");
    QTest::addColumn<int>("clocks");
    QTest::newRow("inner code, current card") << CardWire::IdentityFrame(CardWire::Identity()) << "B" << 1 << -1 << 1;
    QTest::newRow("answer 71 registers, no clock") << CardWire::IdentityFrame([] {
        CardWire::Identity i;
        i.Code = 0x71;
        return i;
    }()) << "B" << 1 << -1 << 0;
    QTest::newRow("confirm, current card") << CardWire::Frame(0x81, "1") << "B" << 0 << 1 << 0;
    QTest::newRow("confirm, no current card") << CardWire::Frame(0x81, "1") << "" << 0 << 0 << 0;
    QTest::newRow("confirm, current name unknown") << CardWire::Frame(0x81, "3") << "Z" << 0 << 0 << 0;
}

void TestSerialDispatch::bareFrames()
{
    QFETCH(QByteArray, burst);
    QFETCH(QString, current);
    QFETCH(int, identities);
    QFETCH(int, confirmIndex);
    QFETCH(int, clocks);
    DispatchRig rig;
    rig.AddCard(QStringLiteral("A"), QStringLiteral("9_9_9_9_9_9_9_9"), 0);
    rig.AddCard(QStringLiteral("B"), QStringLiteral("1_2_3_4_5_6_7_8"), 0);
    rig.Links.CurrentCardName = current;
    QSignalSpy seen(&rig.Dispatch, &SerialReplyDispatch::BareFrameSeen);
    QSignalSpy identity(&rig.Dispatch, &SerialReplyDispatch::SerialIdentity);
    QSignalSpy confirm(&rig.Conversation, &UploadConversation::ConfirmReceived);
    rig.SerialPort->Inject(burst);
    QCOMPARE(seen.count(), 1);
    QCOMPARE(identity.count(), identities);
    if (identities) {
        QCOMPARE(identity.first().at(1).toInt(), 0);
        QCOMPARE(identity.first().at(2).toBool(), false);
    }
    QCOMPARE(confirm.count(), confirmIndex >= 0 ? 1 : 0);
    if (confirmIndex >= 0)
        QCOMPARE(confirm.first().first().toInt(), confirmIndex);
    QCOMPARE(rig.SerialPort->Writes.size(), clocks);
    if (clocks)
        QCOMPARE(rig.SerialPort->Writes.first(), ExpectedNetworkClock("030"));
}

void TestSerialDispatch::bareFrameWithoutCards()
{
    DispatchRig rig;
    QSignalSpy seen(&rig.Dispatch, &SerialReplyDispatch::BareFrameSeen);
    QSignalSpy confirm(&rig.Conversation, &UploadConversation::ConfirmReceived);
    rig.SerialPort->Inject(CardWire::Frame(0x81, "1"));
    QCOMPARE(seen.count(), 1);
    QCOMPARE(confirm.count(), 0);
    QVERIFY(rig.SerialPort->Writes.isEmpty());
}

void TestSerialDispatch::envelopes_data()
{
    QTest::addColumn<QByteArray>("burst");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("outcome");
    const QByteArray block = QByteArray::fromHex("0101008000400100000101220022000000");
    QTest::newRow("identity 71") << CardWire::Envelope(CardWire::IdentityFrame([] {
        CardWire::Identity i;
        i.Code = 0x71;
        return i;
    }())) << "B" << "identity";
    QTest::newRow("acknowledgement") << CardWire::Envelope(CardWire::Frame(0x81, "1"), 0x55) << "B" << "bus";
    QTest::newRow("acknowledgement without current card") << CardWire::Envelope(CardWire::Frame(0x81, "1")) << ""
                                                           << "";
    QTest::newRow("parameters") << CardWire::Envelope(CardWire::Frame(0xF2, block)) << "B" << "params";
    QTest::newRow("parameters without current card") << CardWire::Envelope(CardWire::Frame(0xF2, block)) << ""
                                                      << "";
    QTest::newRow("parameters written") << CardWire::Envelope(CardWire::Frame(0xF1)) << "" << "written";
    QTest::newRow("noise") << QByteArray("\xFE\x98\x00", 3) << "B" << "";
    QTest::newRow("length past the read") << CardWire::Envelope(CardWire::Frame(0x81, "1")).left(30) << "B" << "";
}

void TestSerialDispatch::envelopes()
{
    QFETCH(QByteArray, burst);
    QFETCH(QString, current);
    QFETCH(QString, outcome);
    DispatchRig rig;
    rig.Host.Mode = QStringLiteral("485");
    rig.AddCard(QStringLiteral("A"), QStringLiteral("9_9_9_9_9_9_9_9"), 1);
    rig.AddCard(QStringLiteral("B"), QStringLiteral("1_2_3_4_5_6_7_8"), 1);
    rig.Links.CurrentCardName = current;
    QSignalSpy identity(&rig.Dispatch, &SerialReplyDispatch::SerialIdentity);
    QSignalSpy bus(&rig.Dispatch, &SerialReplyDispatch::BusReply);
    QSignalSpy params(&rig.Conversation, &UploadConversation::ParamsRead);
    QSignalSpy written(&rig.Conversation, &UploadConversation::ParamsWritten);
    QSignalSpy seen(&rig.Dispatch, &SerialReplyDispatch::BareFrameSeen);
    rig.SerialPort->Inject(burst);
    QCOMPARE(seen.count(), 0);
    QCOMPARE(identity.count(), outcome == QLatin1String("identity") ? 1 : 0);
    if (!identity.isEmpty()) {
        QCOMPARE(identity.first().at(1).toInt(), 18);
        QCOMPARE(identity.first().at(2).toBool(), true);
    }
    QCOMPARE(bus.count(), outcome == QLatin1String("bus") ? 1 : 0);
    if (!bus.isEmpty())
        QCOMPARE(bus.first().first().toInt(), 1);
    QCOMPARE(params.count(), outcome == QLatin1String("params") ? 1 : 0);
    if (!params.isEmpty())
        QCOMPARE(params.first().first().toString(), QStringLiteral("B"));
    QCOMPARE(written.count(), outcome == QLatin1String("written") ? 1 : 0);
    QVERIFY(rig.SerialPort->Writes.isEmpty());
}

void TestSerialDispatch::secondEnvelopeFollowsLater()
{
    DispatchRig rig;
    rig.AddCard(QStringLiteral("B"), QStringLiteral("1_2_3_4_5_6_7_8"), 1);
    rig.Links.CurrentCardName = QStringLiteral("B");
    QSignalSpy bus(&rig.Dispatch, &SerialReplyDispatch::BusReply);
    const QByteArray one = CardWire::Envelope(CardWire::Frame(0x81, "1"));
    rig.SerialPort->Inject(one + CardWire::Envelope(CardWire::Frame(0x81, "1"), 0x55) + one);
    QCOMPARE(bus.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(bus.count(), 2, 1000);
    QTest::qWait(100);
    QCOMPARE(bus.count(), 2); // a third envelope in the same burst is ignored
}
