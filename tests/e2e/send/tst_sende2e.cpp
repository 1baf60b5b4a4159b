// End to end: playbills sent to virtual cards over TCP, a pty serial line
// and a pty RS-485 bus. Run inside a private network namespace.

#include "signstudio/comm/cardlinks.h"
#include "signstudio/comm/codec/substituteschedules.h"
#include "signstudio/comm/send/programtext.h"
#include "signstudio/comm/send/sendprocedure.h"
#include "signstudio/comm/send/sendwiring.h"
#include "signstudio/comm/uploadconversation.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/render/convertforsend.h"
#include "signstudio/render/packpixels.h"
#include "signstudio/render/textlayout.h"
#include "tests/signstudio/comm/fakehost.h"
#include "tests/signstudio/send/sendrig.h"
#include "virtualcard/serialbus.h"
#include "virtualcard/virtualcard.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString T(const char *key)
{
    return LangText(3, QString::fromLatin1(key));
}

QString Run(const QString &text, int line, const QString &colour = QStringLiteral("clRed"))
{
    return colour + QStringLiteral("^宋体^12^0^0^0^0^0^") + QString::number(line) + QLatin1Char('^') + text;
}

// The program side: card list, links, reply handling and the send.
struct Side
{
    TProject Project;
    FakeHost LinkHost{Project.Cards};
    CardLinks Links{Project.Cards, LinkHost};
    UploadConversation Conversation{Project.Cards, LinkHost, Links};
    FakeSendHost Host;
    SendService Service{Project, Links, Conversation, Host};
    SendProcedure &Send = Service.Send;
    PlaybillBuilder Make{Project};
    QTemporaryDir Dir;

    Side()
    {
        Links.Wait = [](int) {};
        Links.MacLookup = [](const QString &) { return QStringLiteral("0:1:2:3:4:5"); };
        Links.ListenAddress = QHostAddress(QHostAddress::LocalHost);
    }

    // A picture of pure colour blocks, saved as PNG.
    QString Picture(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        p.fillRect(0, 0, w / 2, h / 2, QColor(255, 0, 0));
        p.fillRect(w / 2, 0, w / 2, h / 2, QColor(0, 255, 0));
        p.fillRect(0, h / 2, w / 3, h / 2, QColor(0, 0, 255));
        p.fillRect(w / 3, h / 2, w / 3, h / 2, QColor(255, 255, 255));
        p.end();
        const QString path = Dir.filePath(QStringLiteral("pic%1x%2.png").arg(w).arg(h));
        image.save(path);
        return path;
    }

    // Two pages: a text, a picture group and a time; then a second text.
    void Playbill(const QString &card, const QString &uidBase, int width, int height)
    {
        TProgram *p1 = Make.AddPage(card, uidBase + QStringLiteral("01"));
        TRegion *r1 = Make.AddRegion(p1, uidBase + QStringLiteral("11"), 0, 0, width / 2, height / 2);
        TFodder *text = Make.AddKind(r1, uidBase + QStringLiteral("21"), fkSingleText);
        text->Content = Run(QStringLiteral("AB"), 1) + QStringLiteral(">") + Run(QStringLiteral("CD"), 1, QStringLiteral("clLime"));
        TRegion *r2 = Make.AddRegion(p1, uidBase + QStringLiteral("12"), width / 2, 0, width / 2, height);
        TFodder *pics = Make.AddKind(r2, uidBase + QStringLiteral("22"), fkPictureGroup);
        pics->SetFileNames({Picture(width / 2, height), Picture(width / 4, height / 2)});
        TRegion *r3 = Make.AddRegion(p1, uidBase + QStringLiteral("13"), 0, height / 2, width / 2, height / 2);
        Make.AddTime(r3, uidBase + QStringLiteral("23"));
        TProgram *p2 = Make.AddPage(card, uidBase + QStringLiteral("02"), QStringLiteral("18:00"),
                                    QStringLiteral("24:00"));
        TRegion *r4 = Make.AddRegion(p2, uidBase + QStringLiteral("14"), 0, 0, width, height);
        TFodder *text2 = Make.AddKind(r4, uidBase + QStringLiteral("24"), fkMultiText);
        text2->Content = Run(QStringLiteral("Hello"), 1, QStringLiteral("clYellow"));
    }

    // What the card must end up with: per material (in send order) the
    // card data and the page pictures rendered for it.
    struct Expected
    {
        QByteArray CardData;
        QList<QImage> Pages;
    };
    QList<Expected> ExpectedFor(const QString &cardName)
    {
        TFIXModem *card = Project.FindCard(cardName);
        QList<Expected> out;
        for (const SendMaterial &m : PlanProgram(Project, cardName).Materials) {
            TFodder copy = *m.Fodder;
            Expected e;
            const int W = m.Region->Width;
            const int H = m.Region->Height;
            if (ConvertForSend(copy, W, H, card->ColourCode).Ok)
                e.CardData = copy.CardData;
            if (copy.Kind == fkSingleText || copy.Kind == fkMultiText) {
                const LayoutChoice c = ChooseLayout(copy.Kind, copy.DisplayMode, copy.StayTime);
                e.Pages = LayoutRichText(copy.Content, c.MultiLine, c.RichKind, false, copy.YAxisPos,
                                         copy.VerAlign, copy.RowSpan, H, W)
                              .Pages;
            } else if (copy.Kind == fkPictureGroup) {
                for (const QString &file : copy.FileNames())
                    e.Pages.append(FitToRegion(QImage(file), W, H));
            }
            out.append(e);
        }
        return out;
    }

    void AddNode(const QString &name, int image = 2) { Host.Nodes.append({name, image}); }
};

bool SamePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

// Compares what the card decoded with what was rendered.
void CheckReceived(const ReceivedPlaybill &got, const QList<Side::Expected> &expected)
{
    QVERIFY(got.IsComplete());
    QCOMPARE(got.Materials.size(), expected.size());
    int pictures = 0;
    for (int i = 0; i < expected.size(); ++i) {
        const ReceivedMaterial &m = got.Materials.at(i);
        if (expected.at(i).CardData.isEmpty())
            continue;
        QCOMPARE(m.CardData, expected.at(i).CardData);
        QCOMPARE(m.Pages.size(), expected.at(i).Pages.size());
        for (int p = 0; p < m.Pages.size(); ++p) {
            QVERIFY2(SamePixels(m.Pages.at(p), expected.at(i).Pages.at(p)),
                     qPrintable(QStringLiteral("material %1 page %2").arg(i + 1).arg(p + 1)));
            ++pictures;
        }
    }
    QVERIFY(pictures > 0);
}

CardProfile Profile(int n = 0)
{
    CardProfile p;
    p.Width = 128;
    p.Height = 64;
    p.ColourPlanes = 3;
    p.PaceDigit = 2;
    return n ? p.Stepped(n) : p;
}

} // namespace

class TestSendE2E : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SetLanguage(true, 2); }
    void tcp_data();
    void tcp();
    void serialLine();
    void busWithTwoCards();
};

void TestSendE2E::tcp_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("tip");
    QTest::newRow("whole playbill") << QString() << "sent" << T("tip_program_sent");
    QTest::newRow("dropped packet resent") << "drop" << "sent" << T("tip_program_sent");
    QTest::newRow("exception") << "exception" << "exception" << T("tip_except");
    QTest::newRow("silent card") << "silent" << "watchdog" << T("warn_comm_send_exception");
    QTest::newRow("disconnect mid-send") << "disconnect" << "failed" << T("warn_program_send_failed");
}

void TestSendE2E::tcp()
{
    QFETCH(QString, fault);
    QFETCH(QString, outcome);
    QFETCH(QString, tip);
    Side side;
    side.LinkHost.Mode = T("comm_param_network");
    QVERIFY(side.Links.Server().Listen(0, QHostAddress::LocalHost));
    VirtualCard card(Profile());
    card.SetReconnectInterval(60000);
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), side.Links.Server().Port()));
    QTRY_VERIFY_WITH_TIMEOUT(side.Project.Cards.Count() == 1 && side.Project.Cards.At(0)->Online, 5000);
    TFIXModem *c = side.Project.Cards.At(0);
    QCOMPARE(side.Send.BaseInterval(), 30);
    QCOMPARE(c->ColourCode, 58);
    side.AddNode(c->Name);
    side.Host.Selected = 0;
    side.Playbill(c->Name, QStringLiteral("1000000"), 128, 64);
    const QList<Side::Expected> expected = side.ExpectedFor(c->Name);
    const ProgramPlan plan = PlanProgram(side.Project, c->Name);

    if (fault == QLatin1String("drop")) {
        card.Faults().DropMaterialNo = 2;
        card.Faults().DropPacketNo = 1;
    } else if (fault == QLatin1String("exception")) {
        card.Faults().ExceptionOnContentFrame = 2;
    } else if (fault == QLatin1String("silent")) {
        card.Faults().SilentAfterProgram = true;
    } else if (fault == QLatin1String("disconnect")) {
        card.Faults().DisconnectAfterContentFrames = 2;
    }
    QSignalSpy ended(&side.Send, &SendProcedure::SendEnded);
    side.Send.actSend();
    QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), 20000);
    QCOMPARE(ended.first().at(1).toString(), outcome);
    QCOMPARE(side.Host.LastTip(), tip);
    QVERIFY(!side.Host.ProgressShown);
    QCOMPARE(card.Playbill().ProgramPayload, SubstituteSchedules(plan.Text.toLatin1(), plan.Schedules));
    if (outcome == QLatin1String("sent")) {
        CheckReceived(card.LastCompletePlaybill(), expected);
        QCOMPARE(side.Host.Nodes.at(0).Image, 3);
        QVERIFY(c->ContentQueue.isEmpty());
        if (fault == QLatin1String("drop"))
            QVERIFY(card.LastCompletePlaybill().ResendRequests >= 1);
    } else {
        QCOMPARE(side.Host.Nodes.at(0).Image, 2);
        QVERIFY(!side.Send.tAutoSend.isActive());
    }
    // Every material's conversion buffer is released.
    for (const auto &f : side.Project.Fodders)
        QVERIFY(f->CardData.isEmpty());
    card.DisconnectFromServer();
}

void TestSendE2E::serialLine()
{
    Side side;
    side.LinkHost.Mode = T("comm_param_serial_port");
    VirtualCard card(Profile());
    const QString path = card.OpenPty(false);
    QVERIFY(!path.isEmpty());
    QVERIFY(side.Links.OpenSerial(CardLinks::SerialMode::Rs232, path, 115200));
    TFIXModem *c = side.Make.AddCard(QStringLiteral("Line"), 0, 128, 64, 60, card.Profile().InnerCodeText(), 58);
    side.AddNode(c->Name);
    side.Host.Selected = 0;
    side.Send.SetBaseInterval(30);
    // A small playbill: the line adds a second per item.
    TProgram *page = side.Make.AddPage(c->Name, QStringLiteral("100000001"));
    TRegion *region = side.Make.AddRegion(page, QStringLiteral("200000001"), 0, 0, 64, 32);
    side.Make.AddKind(region, QStringLiteral("300000001"), fkSingleText)->Content = Run(QStringLiteral("Hi"), 1);
    side.Make.AddTime(side.Make.AddRegion(page, QStringLiteral("200000002"), 64, 0, 64, 32),
                      QStringLiteral("300000002"));
    const QList<Side::Expected> expected = side.ExpectedFor(c->Name);
    QSignalSpy ended(&side.Send, &SendProcedure::SendEnded);
    side.Send.actSend();
    QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), 20000);
    QCOMPARE(ended.first().at(1).toString(), QStringLiteral("sent"));
    QCOMPARE(side.Host.LastTip(), T("tip_program_sent"));
    CheckReceived(card.LastCompletePlaybill(), expected);
    side.Links.CloseSerial();
}

void TestSendE2E::busWithTwoCards()
{
    Side side;
    side.LinkHost.Mode = QStringLiteral("485");
    side.Host.Rs485 = true;
    side.Host.SendAll = true;
    side.Host.Delay = 50;
    SerialBus bus(true);
    QVERIFY(bus.Open());
    bus.SetWriteGap(20);
    VirtualCard first(Profile());
    VirtualCard second(Profile(1));
    first.AttachToBus(&bus);
    second.AttachToBus(&bus);
    second.Faults().DropMaterialNo = 1;
    second.Faults().DropPacketNo = 2;
    QVERIFY(side.Links.OpenSerial(CardLinks::SerialMode::Rs485, bus.DevicePath(), 115200));
    QList<QList<Side::Expected>> expected;
    int n = 0;
    for (VirtualCard *vc : {&first, &second}) {
        const QString name = QStringLiteral("Bus%1").arg(++n);
        side.Make.AddCard(name, 1, 128, 64, 60, vc->Profile().InnerCodeText(), 58);
        side.AddNode(name);
        TProgram *page = side.Make.AddPage(name, QStringLiteral("10000000%1").arg(n));
        TRegion *region = side.Make.AddRegion(page, QStringLiteral("20000000%1").arg(n), 0, 0, 128, 64);
        side.Make.AddKind(region, QStringLiteral("30000000%1").arg(n), fkPictureGroup)
            ->SetFileNames({side.Picture(128, 64)});
        side.Make.AddTime(region, QStringLiteral("30000001%1").arg(n));
        expected.append(side.ExpectedFor(name));
    }
    QSignalSpy ended(&side.Send, &SendProcedure::SendEnded);
    side.Send.actSend();
    QTRY_VERIFY_WITH_TIMEOUT(ended.size() == 2, 40000);
    QCOMPARE(ended.at(0).at(0).toString(), QStringLiteral("Bus1"));
    QCOMPARE(ended.at(0).at(1).toString(), QStringLiteral("sent"));
    QCOMPARE(ended.at(1).at(0).toString(), QStringLiteral("Bus2"));
    QCOMPARE(ended.at(1).at(1).toString(), QStringLiteral("sent"));
    // The bus carries the schedule as text.
    QVERIFY(first.LastCompletePlaybill().ProgramPayload.startsWith("100000001,08:00-18:00."));
    CheckReceived(first.LastCompletePlaybill(), expected.at(0));
    CheckReceived(second.LastCompletePlaybill(), expected.at(1));
    QVERIFY(second.LastCompletePlaybill().ResendRequests >= 1);
    QCOMPARE(side.Host.Nodes.at(0).Image, 3);
    QCOMPARE(side.Host.Nodes.at(1).Image, 3);
    side.Links.CloseSerial();
}

QTEST_MAIN(TestSendE2E)
#include "tst_sende2e.moc"
