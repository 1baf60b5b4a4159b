#include "signstudio/comm/codec/busenvelope.h"
#include "signstudio/comm/codec/cardframe.h"
#include "signstudio/comm/codec/innercode.h"
#include "signstudio/comm/send/programtext.h"
#include "signstudio/comm/send/sendprocedure.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/model/schedule.h"
#include "tests/signstudio/send/sendrig.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QString T(const char *key)
{
    return LangText(3, QString::fromLatin1(key));
}

// Payload of a bare frame.
QByteArray PayloadOf(const QByteArray &frame)
{
    return frame.mid(17, frame.size() - 19);
}

ReplyInfo Confirm(char first, int material = -1, int packet = -1)
{
    ReplyInfo r;
    r.Kind = ReplyKind::Confirm;
    r.Code = 0x81;
    r.FirstPayloadByte = first;
    r.ResendMaterial = material;
    r.ResendPacket = packet;
    return r;
}

// A reply envelope of the bus: marker, status, wanted slice, reply code and
// the first payload bytes of the carried frame.
QByteArray BusReply(quint8 marker, quint8 status, int wanted, quint8 code, char first = '1', int a = 0, int c = 0)
{
    QByteArray e(42, '\0');
    e[0] = char(0xFE);
    e[1] = char(0x98);
    e[2] = 0;
    e[3] = char(e.size() - 2);
    e[4] = char(0x97);
    e[5] = char(marker);
    e[6] = char(status);
    const QByteArray code8 = QByteArray::fromHex("0102030405060708");
    e.replace(7, 8, code8);
    e[15] = 1;
    e[16] = 1;
    e[17] = 1;
    e[18] = char(wanted);
    e[26] = char(code);
    e[35] = first;
    e[36] = char(a & 0xFF);
    e[37] = char(a >> 8);
    e[38] = char(c & 0xFF);
    e[39] = char(c >> 8);
    return e;
}

} // namespace

class TestSend : public QObject
{
    Q_OBJECT

    struct Rig
    {
        TProject Project;
        FakeSendHost Host;
        FakeSendLink Link;
        SendProcedure Send{Project, Host, Link};
        DeferQueue Waits;
        PlaybillBuilder Make{Project};

        Rig() { Waits.Install(Send); }
        // One card "C1" on the link with one page and n time materials.
        TFIXModem *OneCard(int linkKind, int materials = 1)
        {
            TFIXModem *card = Make.AddCard(QStringLiteral("C1"), linkKind);
            if (linkKind == 2)
                card->Socket = std::make_shared<NullCardLink>();
            TProgram *page = Make.AddPage(QStringLiteral("C1"), QStringLiteral("100000001"));
            TRegion *region = Make.AddRegion(page, QStringLiteral("200000001"), 16, 0, 64, 16);
            for (int i = 0; i < materials; ++i)
                Make.AddTime(region, QStringLiteral("3000000%1").arg(10 + i));
            Host.Nodes.append({QStringLiteral("C1"), 2});
            Host.Selected = 0;
            return card;
        }
    };

private slots:
    void initTestCase() { SetLanguage(true, 2); }

    void programTextOfOnePage();
    void secondCardTextHasNoPageIdentifier();
    void materialNumbersPadded_data();
    void materialNumbersPadded();
    void tcpGetsScheduleBytesBusGetsText();
    void weekdayScheduleBytes();
    void groupNodes_data();
    void groupNodes();
    void groupSendRunsCardsOneAfterAnother();
    void refusals_data();
    void refusals();
    void tcpPacing();
    void lastItemRepeatsThenFails();
    void innerCodeAndSerialIntervals_data();
    void innerCodeAndSerialIntervals();
    void resendRequestRewindsQueue();
    void exceptionAbandonsSend();
    void watchdogRewritesOnce();
    void silentCardAfterProgramFrame();
    void busTransfer();
    void busStatusByteRepeatsSlice();
    void busSilenceFails();
    void restartWhileConverting();
    void emptyMaterialStopsAndReleases();
};

void TestSend::programTextOfOnePage()
{
    Rig rig;
    rig.OneCard(2);
    const ProgramPlan plan = PlanProgram(rig.Project, QStringLiteral("C1"));
    QCOMPARE(plan.Text, QStringLiteral("100000001,08:00-18:00.300000010" "1" "0020000080161000000000#01#10;"));
    QCOMPARE(plan.Materials.size(), 1);
    QCOMPARE(plan.Schedules, ScheduleBytes(*rig.Project.Pages.front()));
}

void TestSend::secondCardTextHasNoPageIdentifier()
{
    Rig rig;
    rig.OneCard(2);
    rig.Make.AddCard(QStringLiteral("C2"), 2);
    TProgram *p1 = rig.Make.AddPage(QStringLiteral("C2"), QStringLiteral("100000002"), QStringLiteral("00:00"),
                                    QStringLiteral("24:00"));
    TProgram *p2 = rig.Make.AddPage(QStringLiteral("C2"), QStringLiteral("100000003"), QStringLiteral("09:30"),
                                    QStringLiteral("10:00"));
    rig.Make.AddTime(rig.Make.AddRegion(p1, QStringLiteral("200000002"), 0, 8, 32, 8), QStringLiteral("300000020"));
    rig.Make.AddTime(rig.Make.AddRegion(p2, QStringLiteral("200000003"), 8, 0, 16, 16), QStringLiteral("300000021"),
                     12);
    const ProgramPlan plan = PlanProgram(rig.Project, QStringLiteral("C2"));
    QCOMPARE(plan.Text, QStringLiteral(",00:00-24:00.3000000201000008004008" "1000000000#01#10;"
                                       ",09:30-10:00.3000000211001000002016" "1000000000#012#10;"));
    QCOMPARE(plan.Schedules.size(), 22);
    QCOMPARE(plan.Materials.size(), 2);
}

void TestSend::materialNumbersPadded_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<QString>("numbers");
    QTest::newRow("small") << 16 << 64 << 16 << QStringLiteral("002000008016");
    QTest::newRow("odd x and width cut") << 15 << 71 << 5 << QStringLiteral("001000008005");
    QTest::newRow("four digits stay") << 8192 << 8192 << 1234 << QStringLiteral("102400010241234");
}

void TestSend::materialNumbersPadded()
{
    QFETCH(int, x);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(QString, numbers);
    TRegion region;
    region.Left = x;
    region.Width = w;
    region.Height = h;
    TFodder f;
    f.FodderUID = QStringLiteral("123456789");
    f.TypeCode = '8';
    QCOMPARE(MaterialEntry(f, region), QStringLiteral("1234567898") + numbers + QStringLiteral("1000000000#01#10;"));
}

void TestSend::tcpGetsScheduleBytesBusGetsText()
{
    for (bool bus : {false, true}) {
        Rig rig;
        rig.Host.Rs485 = bus;
        rig.OneCard(bus ? 1 : 2);
        TProgram *page = rig.Project.Pages.front().get();
        page->DateMode = dmWeekDays;
        page->WeekDays = QStringLiteral("0;6");
        rig.Send.actSend();
        QCOMPARE(rig.Link.Writes.size(), 1);
        const QByteArray written = rig.Link.Writes.first().second;
        QByteArray payload;
        if (bus) {
            QCOMPARE(quint8(written.at(0)), quint8(0xFE));
            QCOMPARE(quint8(written.at(1)), quint8(0x98));
            payload = PayloadOf(written.mid(18, written.size() - 21));
            QVERIFY(payload.startsWith("100000001,08:00-18:00."));
        } else {
            QCOMPARE(quint8(written.at(8)), quint8(0x22));
            payload = PayloadOf(written);
            QCOMPARE(payload.mid(0, 10), QByteArray("100000001,"));
            QCOMPARE(payload.mid(10, 11), ScheduleBytes(*page));
            QCOMPARE(payload.mid(21), QByteArray(".300000010" "1" "0020000080161000000000#01#10;"));
        }
        QCOMPARE(rig.Host.LastTip(), T("tip_program_send_start"));
        QVERIFY(rig.Host.Tips.contains(T("tip_load_send_contents")));
        QCOMPARE(rig.Project.Cards.At(0)->SendPhase, 1);
        QCOMPARE(rig.Project.Cards.At(0)->ContentQueue.size(), 1);
        // Conversion buffers are released once the program frame is out.
        QVERIFY(rig.Project.Fodders.front()->CardData.isEmpty());
        QCOMPARE(rig.Waits.Waits.mid(0, 3), (QList<int>{1, 50, 1}));
    }
}

void TestSend::weekdayScheduleBytes()
{
    TProgram page;
    page.StartTime = QStringLiteral("08:00");
    page.EndTime = QStringLiteral("18:00");
    page.DateMode = dmWeekDays;
    page.WeekDays = QStringLiteral("0;6");
    const QByteArray bytes = ScheduleBytes(page);
    QCOMPARE(bytes.size(), 11);
    QCOMPARE(quint8(bytes.at(2)), quint8(0x44));
    QCOMPARE(quint8(bytes.at(8)), quint8(0x41));
}

void TestSend::groupNodes_data()
{
    QTest::addColumn<QString>("prefixes");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QList<int>>("expected");
    // Nodes: A1 (online), B-1 (online), B-2 (offline), B-3 (sent), C1 (online).
    QTest::newRow("B-3 picks B") << QStringLiteral("A,B") << QStringLiteral("B-3") << QList<int>{1, 3};
    QTest::newRow("C1 fits no prefix") << QStringLiteral("A,B") << QStringLiteral("C1") << QList<int>{};
    QTest::newRow("no prefixes: every online node") << QString() << QString() << QList<int>{0, 1, 3, 4};
    QTest::newRow("first fitting prefix wins") << QStringLiteral("B,B-") << QStringLiteral("B-3")
                                               << QList<int>{1, 3};
}

void TestSend::groupNodes()
{
    QFETCH(QString, prefixes);
    QFETCH(QString, selected);
    QFETCH(QList<int>, expected);
    const QStringList texts{QStringLiteral("A1"), QStringLiteral("B-1"), QStringLiteral("B-2"), QStringLiteral("B-3"),
                            QStringLiteral("C1")};
    const QList<int> images{2, 2, 1, 3, 2};
    QStringList list = prefixes.isEmpty() ? QStringList() : prefixes.split(QLatin1Char(','));
    QCOMPARE(GroupNodes(list, selected, texts, images), expected);

    QStringList many;
    QList<int> on;
    for (int i = 0; i < 150; ++i) {
        many.append(QStringLiteral("B%1").arg(i));
        on.append(2);
    }
    QCOMPARE(GroupNodes({}, QString(), many, on).size(), MaxGroupCards);
}

void TestSend::groupSendRunsCardsOneAfterAnother()
{
    Rig rig;
    rig.OneCard(2);
    rig.Make.AddCard(QStringLiteral("B-1"), 2)->Socket = std::make_shared<NullCardLink>();
    rig.Make.AddCard(QStringLiteral("B-3"), 2)->Socket = std::make_shared<NullCardLink>();
    for (const char *name : {"B-1", "B-3"}) {
        TProgram *p = rig.Make.AddPage(QString::fromLatin1(name), QStringLiteral("1000000") + QString::number(rig.Project.Pages.size() + 10));
        rig.Make.AddTime(rig.Make.AddRegion(p, QStringLiteral("2000000") + QString::number(rig.Project.Pages.size() + 10), 0, 0, 32, 16),
                         QStringLiteral("3000000") + QString::number(rig.Project.Pages.size() + 50));
    }
    rig.Host.Nodes = {{QStringLiteral("C1"), 2}, {QStringLiteral("B-1"), 3}, {QStringLiteral("B-3"), 2}};
    rig.Host.Selected = 2;
    rig.Host.SendAll = true;
    rig.Host.Group = QStringLiteral("A,B");
    rig.Send.actSend();
    // Icon 3 went back to 2 first; then only B-1 has been started.
    QCOMPARE(rig.Host.Nodes.at(1).Image, 2);
    QCOMPARE(rig.Send.GroupList(), (QList<int>{1, 2}));
    QCOMPARE(rig.Link.Writes.size(), 1);
    QCOMPARE(rig.Link.Writes.at(0).first, QStringLiteral("B-1"));
    QVERIFY(rig.Send.GroupSendRunning());
    // B-1's program text does not own the project's first page.
    QVERIFY(PayloadOf(rig.Link.Writes.at(0).second).startsWith(','));
    // An exception from B-1 moves on to B-3.
    rig.Send.RplException(1);
    QCOMPARE(rig.Link.Writes.size(), 2);
    QCOMPARE(rig.Link.Writes.at(1).first, QStringLiteral("B-3"));
    QVERIFY(!rig.Send.GroupSendRunning());
}

void TestSend::refusals_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("box");
    QTest::newRow("no node selected") << "noselection" << T("warn_send_program_card") << QString();
    QTest::newRow("offline") << "offline" << T("warn_card_offline") << QString();
    QTest::newRow("empty lists") << "empty" << T("warn_contents_empty_Send") << QString();
    QTest::newRow("all-255 inner code") << "innercode" << T("warn_innercode_error") << QString();
    QTest::newRow("firmware -1") << "version-1" << QString() << T("warn_card_version_low_send");
    QTest::newRow("firmware 51") << "version51" << QString() << T("warn_card_version_low_send");
    QTest::newRow("network card without socket") << "nosocket" << QString() << QString();
    QTest::newRow("card without playbill of its own") << "otherscard" << T("warn_contents_empty_Send") << QString();
}

void TestSend::refusals()
{
    QFETCH(QString, fault);
    QFETCH(QString, tip);
    QFETCH(QString, box);
    Rig rig;
    TFIXModem *card = rig.OneCard(2);
    if (fault == QLatin1String("noselection"))
        rig.Host.Selected = -1;
    else if (fault == QLatin1String("offline"))
        rig.Host.Nodes[0].Image = 1;
    else if (fault == QLatin1String("empty"))
        rig.Project.Fodders.clear();
    else if (fault == QLatin1String("innercode"))
        card->InnerCode = QString::fromLatin1(kUnsetInnerCode);
    else if (fault == QLatin1String("version-1"))
        card->FirmwareVersion = -1;
    else if (fault == QLatin1String("version51"))
        card->FirmwareVersion = 51;
    else if (fault == QLatin1String("nosocket"))
        card->Socket.reset();
    else if (fault == QLatin1String("otherscard")) {
        rig.Make.AddCard(QStringLiteral("C2"), 2)->Socket = std::make_shared<NullCardLink>();
        rig.Host.Nodes.append({QStringLiteral("C2"), 2});
        rig.Host.Selected = 1;
    }
    rig.Send.actSend();
    QVERIFY(rig.Link.Writes.isEmpty());
    QCOMPARE(rig.Host.LastTip(), tip);
    QCOMPARE(rig.Host.Boxes.value(0), box);
    QVERIFY(!rig.Send.tSendStutas.isActive());
    QVERIFY(!rig.Send.tAutoSend.isActive());
}

void TestSend::tcpPacing()
{
    Rig rig;
    TFIXModem *card = rig.OneCard(2, 3);
    rig.Send.SetBaseInterval(30);
    QCOMPARE(rig.Send.tAutoSend.interval(), 130);
    rig.Send.actSend();
    QCOMPARE(rig.Link.Writes.size(), 1);
    rig.Send.RplConfirm(0, Confirm('1'));
    QVERIFY(rig.Send.tAutoSend.isActive());
    QCOMPARE(rig.Host.LastTip(), T("tip_program_sending"));
    QCOMPARE(rig.Host.ProgressMax, 3);
    QVERIFY(rig.Host.ProgressShown);
    for (int i = 0; i < 2; ++i) {
        rig.Send.OnAutoSendTick();
        QCOMPARE(rig.Send.tAutoSend.interval(), 130);
        QVERIFY(rig.Send.tAutoSend.isActive());
        QCOMPARE(rig.Host.ProgressPos, i + 1);
        QCOMPARE(card->ContentQueue.at(i).Sent, quint8(1));
        QCOMPARE(rig.Link.Writes.last().second, card->ContentQueue.at(i).Data);
    }
    QCOMPARE(card->SendPhase, 3);
    rig.Send.OnAutoSendTick();
    QCOMPARE(rig.Send.tAutoSend.interval(), 850);
    QCOMPARE(card->ContentQueue.at(2).Sent, quint8(0));
    // Only the last frame of the send carries the end mark.
    QVERIFY(rig.Link.Writes.last().second.endsWith(QByteArray("-1,\xFF\xFF")));
    QVERIFY(!rig.Link.Writes.at(1).second.contains("-1,"));
    rig.Send.RplConfirm(0, Confirm('1'));
    QCOMPARE(rig.Host.LastTip(), T("tip_program_sent"));
    QVERIFY(!rig.Send.tAutoSend.isActive());
    QCOMPARE(rig.Send.tAutoSend.interval(), 30);
    QVERIFY(!rig.Host.ProgressShown);
    QCOMPARE(rig.Host.ProgressPos, 0);
    QVERIFY(card->ContentQueue.isEmpty());
    QCOMPARE(rig.Host.Nodes.at(0).Image, 3);
}

void TestSend::lastItemRepeatsThenFails()
{
    Rig rig;
    TFIXModem *card = rig.OneCard(2, 1);
    rig.Send.SetBaseInterval(30);
    rig.Send.actSend();
    rig.Send.RplConfirm(0, Confirm('1'));
    for (int tick = 1; tick <= 4; ++tick) {
        rig.Send.OnAutoSendTick();
        QCOMPARE(rig.Send.tAutoSend.interval(), 850);
        QVERIFY2(rig.Send.tAutoSend.isActive(), qPrintable(QString::number(tick)));
        QCOMPARE(rig.Link.Writes.size(), 1 + tick);
    }
    QSignalSpy ended(&rig.Send, &SendProcedure::SendEnded);
    rig.Send.OnAutoSendTick();
    QVERIFY(!rig.Send.tAutoSend.isActive());
    QCOMPARE(rig.Host.LastTip(), T("warn_program_send_failed"));
    QCOMPARE(rig.Send.FailCount(), -1);
    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended.at(0).at(1).toString(), QStringLiteral("failed"));
    QVERIFY(card->ContentQueue.isEmpty());
    // A new send may start right away.
    rig.Send.actSend();
    QCOMPARE(rig.Link.Writes.size(), 7);
    QCOMPARE(card->ContentQueue.size(), 1);
}

void TestSend::innerCodeAndSerialIntervals_data()
{
    QTest::addColumn<int>("linkKind");
    QTest::addColumn<int>("typeCode");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("interval");
    // TCP, base 30, delay 100.
    QTest::newRow("tcp inner-code text") << 2 << int('7') << 9600 << 30 * 10 + 100;
    QTest::newRow("tcp time") << 2 << int('1') << 9600 << 130;
    // Plain serial: base from the item length and baud rate, at least 35,
    // and 1000 ms more.
    QTest::newRow("serial 9600") << 0 << int('1') << 9600 << -1;
    QTest::newRow("serial 115200 floor 35") << 0 << int('1') << 115200 << 35 + 100 + 1000;
}

void TestSend::innerCodeAndSerialIntervals()
{
    QFETCH(int, linkKind);
    QFETCH(int, typeCode);
    QFETCH(int, baud);
    QFETCH(int, interval);
    Rig rig;
    rig.Link.Baud = baud;
    TFIXModem *card = rig.OneCard(linkKind, 2);
    if (typeCode == '7') {
        TFodder *f = rig.Project.Fodders.front().get();
        f->Kind = fkInnerCode;
        f->TypeCode = '7';
        f->Content = QStringLiteral("hello");
    }
    rig.Send.SetBaseInterval(30);
    rig.Send.actSend();
    rig.Send.RplConfirm(0, Confirm('1'));
    rig.Send.OnAutoSendTick();
    if (interval < 0) {
        const int len = card->ContentQueue.at(0).Length;
        interval = std::max(35, (len + 300) * 10000 / baud) + 100 + 1000;
        QVERIFY(interval > 1135);
    }
    QCOMPARE(rig.Send.tAutoSend.interval(), interval);
}

void TestSend::resendRequestRewindsQueue()
{
    Rig rig;
    TFIXModem *card = rig.OneCard(2, 4);
    rig.Send.SetBaseInterval(30);
    rig.Send.actSend();
    rig.Send.RplConfirm(0, Confirm('1'));
    for (int i = 0; i < 3; ++i)
        rig.Send.OnAutoSendTick();
    QCOMPARE(rig.Host.ProgressPos, 3);
    // Material 2 packet 1 again: items 2.. are unsent, item 2 written now.
    rig.Send.RplConfirm(0, Confirm('3', 2, 1));
    QCOMPARE(rig.Link.Writes.last().second, card->ContentQueue.at(1).Data);
    QCOMPARE(rig.Host.ProgressPos, 2);
    QCOMPARE(card->ContentQueue.at(2).Sent, quint8(0));
    QVERIFY(rig.Send.tAutoSend.isActive());
    QCOMPARE(rig.Host.LastTip(), T("tip_program_sending"));
    rig.Send.OnAutoSendTick();
    QCOMPARE(rig.Link.Writes.last().second, card->ContentQueue.at(2).Data);
    // A material number beyond the send is taken as the last material.
    rig.Send.RplConfirm(0, Confirm('3', 99, 1));
    QCOMPARE(rig.Link.Writes.last().second, card->ContentQueue.at(3).Data);
    QCOMPARE(rig.Host.ProgressPos, 4);
}

void TestSend::exceptionAbandonsSend()
{
    Rig rig;
    TFIXModem *card = rig.OneCard(2, 2);
    rig.Send.SetBaseInterval(45);
    rig.Send.actSend();
    rig.Send.RplConfirm(0, Confirm('1'));
    rig.Send.OnAutoSendTick();
    rig.Send.RplException(0);
    QCOMPARE(rig.Host.LastTip(), T("tip_except"));
    QVERIFY(!rig.Send.tAutoSend.isActive());
    QCOMPARE(rig.Send.tAutoSend.interval(), 45);
    QVERIFY(card->ContentQueue.isEmpty());
    QVERIFY(!rig.Host.ProgressShown);
    QCOMPARE(rig.Host.Nodes.at(0).Image, 2);
}

void TestSend::watchdogRewritesOnce()
{
    Rig rig;
    rig.OneCard(2, 1);
    rig.Link.Fail = true;
    rig.Send.actSend();
    QVERIFY(rig.Send.tSendStutas.isActive());
    QCOMPARE(rig.Send.tSendStutas.interval(), 5000);
    rig.Link.Fail = false;
    rig.Send.OnSendStatusTick();
    QCOMPARE(rig.Host.LastTip(), T("warn_comm_send_exception"));
    QVERIFY(!rig.Send.tSendStutas.isActive());
    QCOMPARE(rig.Link.Writes.size(), 1);
    QCOMPARE(quint8(rig.Link.Writes.at(0).second.at(8)), quint8(0x22));
    rig.Send.OnSendStatusTick();
    QCOMPARE(rig.Link.Writes.size(), 1);
    // The card answers the rewritten frame: the transfer runs.
    rig.Send.RplConfirm(0, Confirm('1'));
    QVERIFY(rig.Send.tAutoSend.isActive());
}

void TestSend::silentCardAfterProgramFrame()
{
    Rig rig;
    rig.OneCard(2, 1);
    rig.Send.actSend();
    QCOMPARE(rig.Link.Writes.size(), 1);
    // The confirmation stops the watchdog.
    QVERIFY(rig.Send.tSendStutas.isActive());
    rig.Send.RplConfirm(0, Confirm('1'));
    QVERIFY(!rig.Send.tSendStutas.isActive());

    // A card that says nothing is told about after 5 s, and the program
    // frame goes out once more.
    Rig quiet;
    quiet.OneCard(2, 1);
    quiet.Send.actSend();
    QSignalSpy ended(&quiet.Send, &SendProcedure::SendEnded);
    quiet.Send.OnSendStatusTick();
    QCOMPARE(quiet.Host.LastTip(), T("warn_comm_send_exception"));
    QCOMPARE(ended.size(), 1);
    QCOMPARE(quiet.Link.Writes.size(), 2);
    QCOMPARE(quiet.Link.Writes.at(1).second.mid(17), quiet.Link.Writes.at(0).second.mid(17));
}

void TestSend::busTransfer()
{
    Rig rig;
    rig.Host.Rs485 = true;
    TFIXModem *card = rig.OneCard(1, 3);
    // A long program text: more than one slice.
    for (int i = 0; i < 20; ++i)
        rig.Make.AddTime(rig.Project.Regions.front().get(), QStringLiteral("3100000%1").arg(10 + i));
    rig.Send.actSend();
    const int slices = card->SliceQueue.size();
    QVERIFY(slices >= 3);
    QVERIFY(rig.Send.tSendStutas.isActive());
    QVERIFY(rig.Send.tReSend.isActive());
    QCOMPARE(card->CurrentSlice, 1);
    for (int n = 2; n <= slices; ++n) {
        rig.Send.HandleBusReply(0, BusReply(0x54, 0x00, n, 0x81));
        QCOMPARE(card->CurrentSlice, n);
        QCOMPARE(rig.Link.Writes.last().second, card->SliceQueue.at(n - 1).Bytes);
    }
    QCOMPARE(rig.Link.Writes.size(), slices);
    rig.Send.HandleBusReply(0, BusReply(0x55, 0x00, 1, 0x81));
    QVERIFY(!rig.Send.tSendStutas.isActive());
    QVERIFY(card->SliceQueue.isEmpty());
    QCOMPARE(card->SendPhase, 2);
    QCOMPARE(rig.Host.LastTip(), T("tip_program_sending"));
    QCOMPARE(rig.Host.ProgressMax, 23);
    const QByteArray item1 = rig.Link.Writes.last().second;
    QCOMPARE(item1.mid(18, item1.size() - 21), card->ContentQueue.at(0).Data);
    // Next item on every acknowledgement, resend request by slice number.
    rig.Send.HandleBusReply(0, BusReply(0x54, 0x00, 1, 0x81, '1'));
    rig.Send.HandleBusReply(0, BusReply(0x54, 0x00, 1, 0x81, '1'));
    QCOMPARE(rig.Host.ProgressPos, 3);
    rig.Send.HandleBusReply(0, BusReply(0x54, 0x00, 1, 0x81, '3', 2, 1));
    QCOMPARE(rig.Host.ProgressPos, 2);
    QCOMPARE(card->ContentQueue.at(2).Sent, quint8(0));
    // Ignored codes change nothing.
    const int before = rig.Link.Writes.size();
    rig.Send.HandleBusReply(0, BusReply(0x54, 0x00, 1, 0x91));
    QCOMPARE(rig.Link.Writes.size(), before);
    rig.Send.HandleBusReply(0, BusReply(0x55, 0x00, 1, 0x81, '1'));
    QCOMPARE(rig.Host.LastTip(), T("tip_program_sent"));
    QVERIFY(card->ContentQueue.isEmpty());
    QCOMPARE(rig.Host.Nodes.at(0).Image, 3);
    QVERIFY(rig.Waits.Waits.count(100) >= 4);
}

void TestSend::busStatusByteRepeatsSlice()
{
    Rig rig;
    rig.Host.Rs485 = true;
    TFIXModem *card = rig.OneCard(1, 1);
    rig.Send.actSend();
    QCOMPARE(rig.Link.Writes.size(), 1);
    rig.Send.HandleBusReply(0, BusReply(0x54, 0x07, 2, 0x81));
    QCOMPARE(rig.Link.Writes.size(), 2);
    QCOMPARE(rig.Link.Writes.at(1).second, rig.Link.Writes.at(0).second);
    QCOMPARE(card->SliceQueue.at(0).Sent, quint8(0));
}

void TestSend::busSilenceFails()
{
    Rig rig;
    rig.Host.Rs485 = true;
    TFIXModem *card = rig.OneCard(1, 2);
    rig.Send.actSend();
    // Silence in the program phase repeats the slice without counting.
    for (int i = 0; i < 6; ++i)
        rig.Send.OnReSendTick();
    QCOMPARE(rig.Link.Writes.size(), 7);
    QCOMPARE(rig.Send.FailCount(), -1);
    rig.Send.OnSendStatusTick();
    QCOMPARE(rig.Host.LastTip(), T("warn_comm_send_exception"));
    QCOMPARE(rig.Link.Writes.size(), 7);
    // Content phase: the first tick notes the progress, the next three
    // without progress count, and the tick after them fails.
    rig.Send.HandleBusReply(0, BusReply(0x55, 0x00, 1, 0x81));
    rig.Send.HandleBusReply(0, BusReply(0x54, 0x00, 1, 0x81));
    QCOMPARE(rig.Host.ProgressPos, 2);
    QSignalSpy ended(&rig.Send, &SendProcedure::SendEnded);
    int ticks = 0;
    const int writes = rig.Link.Writes.size();
    while (ended.isEmpty() && ticks < 10) {
        rig.Send.OnReSendTick();
        ++ticks;
    }
    QCOMPARE(ticks, 6);
    // Each silent tick wrote the last item again.
    QCOMPARE(rig.Link.Writes.size(), writes + 5);
    QCOMPARE(rig.Host.LastTip(), T("warn_program_send_failed"));
    QVERIFY(!rig.Send.tReSend.isActive());
    QVERIFY(card->ContentQueue.isEmpty());
}

void TestSend::restartWhileConverting()
{
    Rig rig;
    TFIXModem *card = rig.OneCard(2, 3);
    rig.Waits.RunAtOnce = false;
    rig.Send.actSend();
    // Run the first steps: tSendToCard, the 50 ms wait, the first material.
    for (int i = 0; i < 3; ++i) {
        auto next = std::move(rig.Waits.Pending.front());
        rig.Waits.Pending.pop_front();
        next();
    }
    QVERIFY(rig.Send.Converting());
    QCOMPARE(card->ContentQueue.size(), 1);
    rig.Send.actSend();
    rig.Waits.Flush();
    QVERIFY(!rig.Send.Converting());
    QCOMPARE(rig.Link.Writes.size(), 1);
    QCOMPARE(card->ContentQueue.size(), 3);
    QCOMPARE(card->ContentQueue.at(0).MaterialNo, 1);
    QCOMPARE(card->ContentQueue.at(2).MaterialNo, 3);
}

void TestSend::emptyMaterialStopsAndReleases()
{
    Rig rig;
    TFIXModem *card = rig.OneCard(2, 2);
    TFodder *empty = rig.Make.AddKind(rig.Project.Regions.front().get(), QStringLiteral("300000099"), fkSingleText);
    Q_UNUSED(empty);
    rig.Send.actSend();
    QVERIFY(rig.Link.Writes.isEmpty());
    QCOMPARE(rig.Host.LastTip(), T("warn_material_empty_send"));
    QVERIFY(card->ContentQueue.isEmpty());
    for (const auto &f : rig.Project.Fodders)
        QVERIFY(f->CardData.isEmpty());
}

QTEST_MAIN(TestSend)
#include "tst_send.moc"
