#include "tests/signstudio/app/tst_suites.h"

#include "common/base/inifile.h"
#include "common/widgets/frmmulnetcardchoice.h"
#include "signstudio/app/commlinkseam.h"
#include "signstudio/app/frminittips.h"
#include "signstudio/app/frmmain.h"
#include "signstudio/ui/bmplistpanel.h"
#include "signstudio/ui/canvas.h"
#include "signstudio/ui/objectcontroller.h"
#include "signstudio/ui/objecttree.h"
#include "signstudio/ui/propertygrid.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QMenu>
#include <QProgressBar>
#include <QTableWidget>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

// Records what the window asks of the card links.
class FakeLink : public TCommLinkSeam
{
public:
    QStringList calls;
    bool segmentOk = true;
    void BindUdp(const QString &ip) override { calls << "BindUdp " + ip; }
    bool CheckCardSegment(const QString &ip, const QString &) override
    {
        calls << "CheckCardSegment " + ip;
        return segmentOk;
    }
    void SendNetConfig(const QString &ip, const QString &) override { calls << "SendNetConfig " + ip; }
    void StartLink(LinkStart kind, const QString &port, int number) override
    {
        const char *k = kind == LinkStart::TcpServer ? "tcp" : kind == LinkStart::Serial485 ? "485" : "232";
        calls << QStringLiteral("StartLink %1 %2 %3").arg(QLatin1String(k), port).arg(number);
    }
    void SendCloseNotices() override { calls << "SendCloseNotices"; }
    void CloseSerial() override { calls << "CloseSerial"; }
    void Search() override { calls << "Search"; }
    void Send() override { calls << "Send"; }
    void StopPlay() override { calls << "StopPlay"; }
    void BeginPlay() override { calls << "BeginPlay"; }
    void AdjustTime() override { calls << "AdjustTime"; }
    void CommParamConfig() override { calls << "CommParamConfig"; }
    void SendTextProgram() override { calls << "SendTextProgram"; }
    void Preview() override { calls << "Preview"; }
};

TAdapterInfo adapter(int id, const QString &ip)
{
    TAdapterInfo a;
    a.AdapterId = id;
    a.AdapterDescription = QStringLiteral("eth%1").arg(id);
    a.AdapterIP = ip;
    a.AdapterMac = QStringLiteral("00-00-00-00-00-0%1").arg(id);
    return a;
}

// A program folder with a settings file, and the window's surroundings
// with every dialog answered by the test.
struct Fixture {
    QTemporaryDir dir;
    QString folder;
    QList<TAdapterInfo> adapters{adapter(1, "192.168.1.20")};
    QString adapterError;
    QStringList dialogs;   // class names of the dialogs shown
    QStringList questions; // texts asked
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    std::function<void(QDialog *)> onDialog;
    QStringList openFiles; // answers of the open dialog, in order
    QString saveAnswer;    // answer of the save dialog
    QList<QStringList> started;
    FakeLink link;

    Fixture() { folder = dir.path() + QLatin1Char('/'); }

    void writeSettings(const QByteArray &ini)
    {
        QFile f(folder + "SetCfg.ini");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }

    QByteArray settings() const
    {
        QFile f(folder + "SetCfg.ini");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    IniFile ini() const { return IniFile(folder + "SetCfg.ini"); }

    TfrmMain::Environment env()
    {
        TfrmMain::Environment e;
        e.programFolder = folder;
        e.interactive = true;
        e.adapters = [this] { return AdapterListResult{adapters, adapterError}; };
        e.hostAddress = [] { return QStringLiteral("10.9.9.9"); };
        e.execDialog = [this](QDialog *d) {
            dialogs << QString::fromLatin1(d->metaObject()->className());
            if (onDialog)
                onDialog(d);
            return int(QDialog::Accepted);
        };
        e.ask = [this](const QString &text, QMessageBox::StandardButtons) {
            questions << text;
            return answer;
        };
        e.message = [](const QString &) {};
        e.openFileName = [this](const QString &) { return openFiles.isEmpty() ? QString() : openFiles.takeFirst(); };
        e.saveFileName = [this](const QString &, const QString &) { return saveAnswer; };
        e.startProgram = [this](const QString &p, const QStringList &args) {
            started << (QStringList{p} + args);
            return true;
        };
        return e;
    }

    std::unique_ptr<TfrmMain> start()
    {
        auto w = std::make_unique<TfrmMain>(env());
        w->SetCommLink(&link);
        w->FirstShow();
        return w;
    }
};

const QByteArray CardsIni =
    "[IsShowTips]\r\nIsShowTips=1\r\n"
    "[CommSet]\r\nCommMode=Network\r\nCommParam01=COM1\r\nCommParam02=\r\n"
    "[PollTime]\r\nPollTime=5\r\n"
    "[CardsInfo]\r\n"
    "Hall=256,128,prgFiles\\Hall.prg,1_2_3_4_5_6_7_8,,,\r\n"
    "Short=64,32,x.prg,1_1_1_1_1_1_1_1,1.2.3.4,00:11\r\n"
    "Gate=96,16,/srv/none/gate.prg,9_9_9_9_9_9_9_9,192.168.1.50,00:1A:2B:3C:4D:5E,54\r\n";

QStringList menuTexts(const QMenu *menu)
{
    QStringList t;
    for (const QAction *a : menu->actions())
        t << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return t;
}

QTreeWidget *tree(TfrmMain &w)
{
    return qobject_cast<QTreeWidget *>(w.tvObject());
}

} // namespace

void TestMainWindow::startupReadsCardsAndWritesBack()
{
    Fixture fx;
    fx.writeSettings(CardsIni);
    {
        auto w = fx.start();
        QCOMPARE(w->Project().Cards.Count(), 2);
        QCOMPARE(w->Project().Cards.At(0)->Name, QString("Hall"));
        QCOMPARE(w->Project().Cards.At(0)->FirmwareVersion, -1);
        QCOMPARE(w->Project().Cards.At(0)->Number, 1);
        QCOMPARE(w->Project().Cards.At(1)->Number, 2);
        QCOMPARE(w->Project().Cards.At(1)->ProgramFile, QString("/srv/none/gate.prg"));
        QCOMPARE(tree(*w)->topLevelItemCount(), 2);
        QCOMPARE(w->Settings().PollTime, 30);
        // "COM1" with the mode "Network" starts the serial port.
        QCOMPARE(w->Settings().CommMode, QString("Serial Port"));
        QVERIFY(fx.link.calls.contains("StartLink 232 COM1 9600"));
        // Serial mode: no segment check even for a new card with IP and MAC.
        QVERIFY(!fx.link.calls.join(' ').contains("CheckCardSegment"));
        QVERIFY(w->Action("actNewPrg")->isEnabled());
        QVERIFY(!w->Action("actDelPrg")->isEnabled());
        QCOMPARE(w->StatusText(0), QString("Current Card"));
        QCOMPARE(w->StatusText(3), QString("Serial Port"));
        QVERIFY(w->SendProgress()->parentWidget() == w->StatusPanel(5));
        QVERIFY(!w->pnBmpList()->isVisible());
        for (const char *sub : {"prgFiles", "picFiles", "txtFiles", "tblFiles"})
            QVERIFY(QFileInfo(fx.folder + sub).isDir());
        QVERIFY(fx.settings().contains("PollTime=5")); // nothing written before exit
    }
    QVERIFY(fx.link.calls.endsWith("CloseSerial"));
    const IniFile ini = fx.ini();
    QCOMPARE(ini.ReadString("PollTime", "PollTime"), QString("30"));
    QCOMPARE(ini.SectionKeys("CardsInfo"), (QStringList{"Hall", "Gate"}));
    QCOMPARE(ini.ReadString("CardsInfo", "Hall"), QString("256,128,prgFiles/Hall.prg,1_2_3_4_5_6_7_8,,,-1"));
    QCOMPARE(ini.ReadString("CardsInfo", "Gate"),
             QString("96,16,/srv/none/gate.prg,9_9_9_9_9_9_9_9,192.168.1.50,00:1A:2B:3C:4D:5E,54"));
    QCOMPARE(ini.ReadString("CommSet", "CommMode"), QString("Serial Port"));
    QCOMPARE(ini.ReadString("CommSet", "CommParam01"), QString("COM1"));
    QCOMPARE(ini.ReadString("LgType", "LgType"), QString("2"));
    // The written order of the fixed keys.
    const QStringList sections = ini.Sections();
    QStringList fixed;
    for (const QString &s : sections) {
        if (s != "IsShowTips")
            fixed << s;
    }
    QCOMPARE(fixed, (QStringList{"CommSet", "PollTime", "CardsInfo", "GroupName", "NetDelayTime", "IsSendAll",
                                 "IsOPenSearch", "LgType", "IsShowMulNetCard", "ServerIP"}));
}

void TestMainWindow::networkCardsChecked_data()
{
    QTest::addColumn<bool>("segmentOk");
    QTest::addColumn<bool>("search");
    QTest::addColumn<QString>("serverIp");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("warned");
    QTest::newRow("fits, search on") << true << true << "192.168.1.20"
                                     << QStringList{"CheckCardSegment 192.168.1.50", "SendNetConfig 192.168.1.50"} << false;
    QTest::newRow("fits, search off") << true << false << "192.168.1.20"
                                      << QStringList{"CheckCardSegment 192.168.1.50"} << false;
    QTest::newRow("other segment") << false << true << "192.168.1.20"
                                   << QStringList{"CheckCardSegment 192.168.1.50"} << true;
    QTest::newRow("loopback server") << true << true << "127.0.0.1" << QStringList{} << false;
}

void TestMainWindow::networkCardsChecked()
{
    QFETCH(bool, segmentOk);
    QFETCH(bool, search);
    QFETCH(QString, serverIp);
    QFETCH(QStringList, expected);
    QFETCH(bool, warned);
    Fixture fx;
    fx.link.segmentOk = segmentOk;
    fx.adapters = {adapter(1, serverIp), adapter(2, "10.1.1.1")};
    fx.onDialog = [](QDialog *) {};
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n[IsShowMulNetCard]\r\nIsShowMulNetCard=0\r\n"
                     "[ServerIP]\r\nServerIP=" + serverIp.toLatin1() + "\r\n"
                     "[IsOPenSearch]\r\nIsOPenSearch=" + QByteArray(search ? "1" : "0") + "\r\n"
                     "[CardsInfo]\r\n"
                     "Old=96,16,,1_1_1_1_1_1_1_1,192.168.1.40,00:1A:2B:3C:4D:5F,53\r\n"
                     "New=96,16,,9_9_9_9_9_9_9_9,192.168.1.50,00:1A:2B:3C:4D:5E,54\r\n"
                     "NoMac=96,16,,9_9_9_9_9_9_9_8,192.168.1.51,,60\r\n");
    auto w = fx.start();
    QStringList segmentCalls;
    for (const QString &c : fx.link.calls) {
        if (c.startsWith("CheckCardSegment") || c.startsWith("SendNetConfig"))
            segmentCalls << c;
    }
    QCOMPARE(segmentCalls, expected);
    QCOMPARE(w->StatusText(4) == QString("Card not in same network segment or occupied!"), warned);
    QCOMPARE(w->Project().Cards.Count(), 3);
    QVERIFY(fx.link.calls.contains(QStringLiteral("BindUdp ") + serverIp));
    QVERIFY(fx.link.calls.last().startsWith("StartLink tcp"));
}

void TestMainWindow::noCardsOffersOnlyNewCard()
{
    Fixture fx;
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n");
    auto w = fx.start();
    for (const char *name : {"actSendPrg", "actNewPrg", "actInsertPrg", "actSavePrg", "actAddPrg", "actDelPrg",
                             "actAddRgn", "actDelRegion", "actDelFodder", "actSglTxt", "actCallNo", "actTxtSet"})
        QVERIFY2(!w->Action(name)->isEnabled(), name);
    QVERIFY(w->PopupItem("actNewCard")->isEnabled());
    for (const char *name : {"actDelCard", "actSendPrg", "actSend", "actNewPrg", "actInsertPrg", "actSavePrg",
                             "actAddPrg", "actDelPrg", "actAddRgn", "actDelRegion", "actDelFodder"})
        QVERIFY2(!w->PopupItem(name)->isEnabled(), name);
    QVERIFY(!w->Action("actMovieTool")->isEnabled());
    // New Card makes a node; the pop-up no longer offers it.
    w->PopupItem("actNewCard")->trigger();
    QCOMPARE(tree(*w)->topLevelItemCount(), 1);
    QCOMPARE(tree(*w)->topLevelItem(0)->text(0), QString("card"));
    QVERIFY(!w->PopupItem("actNewCard")->isEnabled());
    QCOMPARE(w->Project().Cards.Count(), 0);
}

void TestMainWindow::choiceDialog_data()
{
    QTest::addColumn<int>("adapterCount");
    QTest::addColumn<bool>("showChoice");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("serverIp");
    QTest::addColumn<bool>("showChoiceAfter");
    QTest::newRow("none") << 0 << true << false << "10.9.9.9" << true;
    QTest::newRow("one") << 1 << true << false << "10.9.9.9" << true;
    QTest::newRow("two, dialog on") << 2 << true << true << "10.0.0.2" << false;
    QTest::newRow("three, dialog off") << 3 << false << false << "172.16.5.5" << false;
}

void TestMainWindow::choiceDialog()
{
    QFETCH(int, adapterCount);
    QFETCH(bool, showChoice);
    QFETCH(bool, shown);
    QFETCH(QString, serverIp);
    QFETCH(bool, showChoiceAfter);
    Fixture fx;
    fx.adapters.clear();
    for (int i = 1; i <= adapterCount; ++i)
        fx.adapters << adapter(i, QStringLiteral("10.0.0.%1").arg(i));
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n[ServerIP]\r\nServerIP=172.16.5.5\r\n"
                     "[IsShowMulNetCard]\r\nIsShowMulNetCard=" + QByteArray(showChoice ? "1" : "0") + "\r\n");
    fx.onDialog = [](QDialog *d) {
        if (auto *choice = qobject_cast<TfrmMulNetCardChoice *>(d)) {
            QCOMPARE(choice->lvNetCard()->rowCount(), 2);
            choice->show();
            QCOMPARE(choice->windowTitle(), QString("You must choice one netWork card"));
            QCOMPARE(choice->lvNetCard()->horizontalHeaderItem(0)->text(), QString("ID"));
            QCOMPARE(choice->lvNetCard()->horizontalHeaderItem(3)->text(), QString("Mac Address"));
            choice->lvNetCard()->selectRow(1);
            choice->cbNotShow()->setChecked(true);
            choice->accept();
        }
    };
    {
        auto w = fx.start();
        QCOMPARE(fx.dialogs.contains("TfrmMulNetCardChoice"), shown);
        QCOMPARE(w->Settings().ServerIP, serverIp);
        QCOMPARE(w->Settings().IsShowMulNetCard, showChoiceAfter);
        QVERIFY(fx.link.calls.contains("BindUdp " + serverIp));
    }
    QCOMPARE(fx.ini().ReadString("ServerIP", "ServerIP"), serverIp);
}

void TestMainWindow::failedAdapterListSkipsBinding()
{
    Fixture fx;
    fx.adapterError = QStringLiteral("The network adapters could not be listed.");
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n[ServerIP]\r\nServerIP=172.16.5.5\r\n");
    auto w = fx.start();
    QVERIFY(!fx.link.calls.join(' ').contains("BindUdp"));
    QCOMPARE(w->Settings().ServerIP, QString("172.16.5.5"));
    // The rest of the start goes on.
    QVERIFY(fx.link.calls.last().startsWith("StartLink tcp"));
}

void TestMainWindow::tipsWindow_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("shown");
    QTest::newRow("never asked") << QByteArray() << true;
    QTest::newRow("turned off") << QByteArray("[IsShowTips]\r\nIsShowTips=1\r\n") << false;
    QTest::newRow("zero") << QByteArray("[IsShowTips]\r\nIsShowTips=0\r\n") << true;
}

void TestMainWindow::tipsWindow()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, shown);
    Fixture fx;
    fx.writeSettings(stored);
    fx.onDialog = [](QDialog *d) {
        if (auto *tips = qobject_cast<TfrmInitTips *>(d)) {
            tips->show(); // texts come from the tables at show
            QCOMPARE(tips->windowTitle(), QString("Run Tips"));
            QCOMPARE(tips->cbCheck()->text(), QString("Do not show again"));
            QCOMPARE(tips->btSure()->text(), QString("OK"));
            QVERIFY(!tips->lbTipInfo()->text().isEmpty());
            tips->cbCheck()->setChecked(true);
            tips->accept();
        }
    };
    auto w = fx.start();
    QCOMPARE(fx.dialogs.contains("TfrmInitTips"), shown);
    // Written at once, not at exit.
    QCOMPARE(fx.ini().ReadString("IsShowTips", "IsShowTips"), QString("1"));
}

void TestMainWindow::exitQuestion_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("fileWritten");
    QTest::newRow("nothing modified") << false << int(QMessageBox::Cancel) << false << true << false;
    QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << true << false << false;
    QTest::newRow("no") << true << int(QMessageBox::No) << true << true << false;
    QTest::newRow("yes") << true << int(QMessageBox::Yes) << true << true << true;
}

void TestMainWindow::exitQuestion()
{
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);
    QFETCH(bool, fileWritten);
    Fixture fx;
    fx.answer = QMessageBox::StandardButton(answer);
    fx.saveAnswer = fx.folder + "prgFiles/Hall.prg";
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n[CardsInfo]\r\nHall=256,128,prgFiles/Hall.prg,1_2_3_4_5_6_7_8,,,\r\n");
    auto w = fx.start();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->ObjectViews()->SelectNode(tree(*w)->topLevelItem(0));
    QCOMPARE(w->Selection().cardName, QString("Hall"));
    if (modified) {
        w->Action("actAddPrg")->trigger();
        QCOMPARE(w->Project().PagesOfCard("Hall").size(), 1);
        w->Project().MarkModified("Hall");
    }
    QVERIFY(w->Project().AnyModified() == modified);
    QVERIFY(fx.link.calls.filter("SendCloseNotices").isEmpty());
    w->close();
    QCOMPARE(!fx.questions.isEmpty(), asked);
    if (asked)
        QCOMPARE(fx.questions.first(), QString("Exit when you want to save?"));
    QCOMPARE(!w->isVisible(), closed);
    QCOMPARE(fx.link.calls.filter("SendCloseNotices").size(), closed ? 1 : 0);
    if (!closed) {
        // Cancel keeps the card, its page and its modified mark.
        QCOMPARE(w->Project().Cards.Count(), 1);
        QCOMPARE(w->Project().PagesOfCard("Hall").size(), 1);
        QVERIFY(w->Project().AnyModified());
    }
    QCOMPARE(QFile::exists(fx.folder + "prgFiles/Hall.prg"), fileWritten);
}

void TestMainWindow::workPortMovesUp()
{
    QTcpServer busy;
    if (!busy.listen(QHostAddress(QStringLiteral("127.0.0.1")), 8900))
        QSKIP("port 8900 is in use by something else on this machine");
    Fixture fx;
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n[CommSet]\r\nCommMode=\r\nCommParam01=\r\nCommParam02=\r\n");
    {
        auto w = fx.start();
        QCOMPARE(w->Settings().WorkPort, 8901);
        QCOMPARE(w->Settings().CommMode, QString("Network"));
        QVERIFY(fx.link.calls.contains("StartLink tcp  8901"));
    }
    QCOMPARE(fx.ini().ReadString("CommSet", "CommParam02"), QString("8901"));
    QCOMPARE(fx.ini().ReadString("CommSet", "CommMode"), QString("Network"));
}

void TestMainWindow::titleFile()
{
    Fixture fx;
    QFile t(fx.folder + "Title.ini");
    QVERIFY(t.open(QIODevice::WriteOnly));
    t.write("[Title]\r\nTitle=City Hall Screens\r\n");
    t.close();
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n");
    auto w = fx.start();
    QCOMPARE(w->windowTitle(), QString("City Hall Screens V2.23"));
    // Still after a language switch.
    w->Action("actSimpleChn")->trigger();
    QCOMPARE(w->windowTitle(), QString("City Hall Screens V2.23"));
}

void TestMainWindow::languageSwitch()
{
    Fixture fx;
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n");
    {
        auto w = fx.start();
        QCOMPARE(w->windowTitle(), QString("TARVO Edit Softwear V2.23"));
        QCOMPARE(w->Action("actNewPrg")->text(), QString("New"));
        QVERIFY(w->Action("actEnglish")->isChecked());
        w->Action("actSimpleChn")->trigger();
        QVERIFY(w->Action("actSimpleChn")->isChecked());
        QVERIFY(!w->Action("actEnglish")->isChecked());
        QCOMPARE(w->Action("actNewPrg")->text(), QString::fromUtf8("新建"));
        QCOMPARE(w->PopupItem("actNewPrg")->text(), QString::fromUtf8("新建"));
        QCOMPARE(w->Action("actFile")->menu()->title(), QString::fromUtf8("文件(&F)"));
        QVERIFY(w->windowTitle().endsWith("V2.23"));
        QVERIFY(w->windowTitle() != QString("TARVO Edit Softwear V2.23"));
        QVERIFY(w->Settings().CommMode != QString("Network"));
        QCOMPARE(w->StatusText(3), w->Settings().CommMode);
        w->Action("actTraditionalChn")->trigger();
        QCOMPARE(w->Action("actInsertPrg")->text(), QString::fromUtf8("打開"));
    }
    QCOMPARE(fx.ini().ReadString("LgType", "LgType"), QString("1"));
}

void TestMainWindow::keyboard()
{
    Fixture fx;
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n");
    auto w = fx.start();
    QCOMPARE(w->Action("actNewPrg")->shortcut(), QKeySequence(QKeySequence::New));
    QCOMPARE(w->Action("actInsertPrg")->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(w->Action("actSavePrg")->shortcut(), QKeySequence(QKeySequence::Save));
    QVERIFY(!w->Action("actNewPrg")->shortcut().isEmpty());
    QVERIFY(!w->Action("actExit")->shortcut().isEmpty());
    // Every menu heading carries an accelerator.
    for (const char *name : {"actFile", "actItemEdit", "actSoftTools", "actCardDo", "actPlayPreview",
                             "actSetting", "actSysHelp"})
        QVERIFY2(w->Action(name)->menu()->title().contains('&'), name);
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::keySequence(w.get(), w->Action("actExit")->shortcut());
    QVERIFY(!w->isVisible());
}

void TestMainWindow::menusInDesignedOrder()
{
    Fixture fx;
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n");
    auto w = fx.start();
    QCOMPARE(menuTexts(w->Action("actCardDo")->menu()),
             (QStringList{"Search", "-", "Send", "-", "Stop Play", "Start Play", "-", "Adjust Time", "-",
                          "Del Current Card"}));
    QCOMPARE(menuTexts(w->Action("actItemEdit")->menu()),
             (QStringList{"Single Text", "Multi Text", "-", "Time", "Is Time", "Count Down", "-", "Table",
                          "Image", "Movie", "-", "Code", "Queue", "Collection", "-", "Remote Text"}));
    QCOMPARE(menuTexts(w->pMenuObject()),
             (QStringList{"New Card", "Del Current Card", "-", "Send Text Program", "Send", "-", "New", "Open",
                          "Save", "-", "Add Page", "Del Page", "-", "Add Area", "Del Area", "-", "Del Fodder"}));
    // The recent-file separator is in place even with no recent file.
    QCOMPARE(menuTexts(w->FileMenu()), (QStringList{"New", "Open", "Save", "Save As...", "-", "-", "Exit"}));
}

void TestMainWindow::recentFiles()
{
    Fixture fx;
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n[PrgFilePathList]\r\n/srv/a.prg=\r\n/srv/b&c.prg=\r\n"
                     "[CardsInfo]\r\nHall=256,128,,1_2_3_4_5_6_7_8,,,\r\n");
    QStringList files;
    {
        auto w = fx.start();
        QCOMPARE(menuTexts(w->FileMenu()),
                 (QStringList{"New", "Open", "Save", "Save As...", "-", "& /srv/a.prg", "& /srv/b&&c.prg", "-", "Exit"}));
        // Four opened files leave three entries, the newest last.
        for (int i = 1; i <= 4; ++i) {
            const QString path = fx.folder + QStringLiteral("prgFiles/show%1.prg").arg(i);
            QVERIFY(w->Files().WritePlaybill("Hall", path, true));
            files << path;
        }
        fx.openFiles = files;
        w->ObjectViews()->SelectNode(tree(*w)->topLevelItem(0));
        for (int i = 0; i < 4; ++i)
            w->Action("actInsertPrg")->trigger();
        QCOMPARE(menuTexts(w->FileMenu()),
                 (QStringList{"New", "Open", "Save", "Save As...", "-", "& " + files[1], "& " + files[2],
                              "& " + files[3], "-", "Exit"}));
        QCOMPARE(w->Files().Recent.Paths, files.mid(1));
    }
    QCOMPARE(fx.ini().SectionKeys("PrgFilePathList"), files.mid(1));
}

void TestMainWindow::enablingFollowsSelection()
{
    Fixture fx;
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n[CardsInfo]\r\nHall=256,128,,1_2_3_4_5_6_7_8,,,\r\n");
    auto w = fx.start();
    w->ObjectViews()->SelectNode(tree(*w)->topLevelItem(0));
    QCOMPARE(w->Selection().level, TSelection::Card);
    QCOMPARE(w->StatusText(1), QString("Hall"));
    QVERIFY(w->PopupItem("actDelCard")->isEnabled());
    QVERIFY(w->Action("actNewPrg")->isEnabled());
    w->Action("actAddPrg")->trigger();
    QCOMPARE(w->Selection().level, TSelection::Page);
    QVERIFY(w->Action("actDelPrg")->isEnabled());
    QVERIFY(!w->Action("actNewPrg")->isEnabled());
    QVERIFY(!w->PopupItem("actDelCard")->isEnabled());
    w->Action("actAddRgn")->trigger();
    QCOMPARE(w->Selection().level, TSelection::Region);
    QVERIFY(w->Action("actSglTxt")->isEnabled());
    QVERIFY(w->Action("actCallNo")->isEnabled()); // a region of the first page
    QVERIFY(w->Action("actTxtSet")->isEnabled());
    w->Action("actCallNo")->trigger();
    // The region stays selected; its queue action is off at once.
    QCOMPARE(w->Selection().level, TSelection::Region);
    QVERIFY(!w->Action("actCallNo")->isEnabled());
    QVERIFY(w->Action("actSglTxt")->isEnabled());
    const QList<TFodder *> fodders = w->Project().FoddersOfRegion(w->Selection().region);
    QCOMPARE(fodders.size(), 1);
    w->ObjectViews()->SelectFodder(fodders.first());
    QCOMPARE(w->Selection().level, TSelection::Material);
    QVERIFY(w->Action("actDelFodder")->isEnabled());
    QVERIFY(!w->Action("actAddRgn")->isEnabled());
    // A card without picture-and-text capability.
    w->Project().FindCard("Hall")->Capabilities[4] = false;
    w->SelectionChanged(w->Selection());
    QVERIFY(!w->Action("actSglTxt")->isEnabled());
    QVERIFY(!w->Action("actPicture")->isEnabled());
    QVERIFY(w->Action("actDateTime")->isEnabled());
}

void TestMainWindow::outsidePrograms()
{
    qputenv("SIGN_PAINT_PROGRAM", "/usr/bin/mypaint-test");
    qputenv("SIGN_TEXT_EDITOR", "/usr/bin/myeditor-test");
    qputenv("SIGN_HELP_VIEWER", "/usr/bin/myhelp-test");
    Fixture fx;
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n");
    auto w = fx.start();
    w->Action("actBmp")->trigger();
    w->Action("actNote")->trigger();
    w->Action("actHelp")->trigger();
    qunsetenv("SIGN_PAINT_PROGRAM");
    qunsetenv("SIGN_TEXT_EDITOR");
    qunsetenv("SIGN_HELP_VIEWER");
    QCOMPARE(fx.started.size(), 3);
    QCOMPARE(fx.started[0], QStringList{"/usr/bin/mypaint-test"});
    QCOMPARE(fx.started[1], QStringList{"/usr/bin/myeditor-test"});
    QCOMPARE(fx.started[2], (QStringList{"/usr/bin/myhelp-test", fx.folder + "help.chm"}));
}

void TestMainWindow::cardCommandsReachTheLink()
{
    Fixture fx;
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n");
    auto w = fx.start();
    fx.link.calls.clear();
    for (const char *name : {"actSearch", "actSend", "actStopPlay", "actBeginPlay", "actAdjTime", "actCmmParaSet",
                             "actPreview"})
        w->Action(name)->trigger();
    QCOMPARE(fx.link.calls, (QStringList{"Search", "Send", "StopPlay", "BeginPlay", "AdjustTime", "CommParamConfig",
                                         "Preview"}));
}

void TestMainWindow::startupLanguage_data()
{
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QByteArray>("stored"); // null: no LgType key
    QTest::addColumn<QString>("newCaption");
    QTest::addColumn<bool>("simpleShown");
    QTest::addColumn<bool>("traditionalShown");
    QTest::addColumn<QString>("writtenBack");
    QTest::newRow("English system, 0") << QByteArray("en_US.UTF-8") << QByteArray("0") << "New" << false << false << "2";
    QTest::newRow("Simplified system, 2") << QByteArray("zh_CN.UTF-8") << QByteArray("2") << "New" << true << false << "2";
    QTest::newRow("Simplified system, default") << QByteArray("zh_CN.UTF-8") << QByteArray() << QString::fromUtf8("新建") << true << false << "0";
    QTest::newRow("Traditional system, 0") << QByteArray("zh_TW.UTF-8") << QByteArray("0") << QString::fromUtf8("新建") << false << true << "1";
}

void TestMainWindow::startupLanguage()
{
    QFETCH(QByteArray, locale);
    QFETCH(QByteArray, stored);
    QFETCH(QString, newCaption);
    QFETCH(bool, simpleShown);
    QFETCH(bool, traditionalShown);
    QFETCH(QString, writtenBack);
    const QByteArray old = qgetenv("LC_ALL");
    qputenv("LC_ALL", locale);
    Fixture fx;
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n"
                     + (stored.isNull() ? QByteArray() : "[LgType]\r\nLgType=" + stored + "\r\n"));
    {
        auto w = fx.start();
        QCOMPARE(w->Action("actNewPrg")->text(), newCaption);
        QCOMPARE(w->Action("actSimpleChn")->isVisible(), simpleShown);
        QCOMPARE(w->Action("actTraditionalChn")->isVisible(), traditionalShown);
        QVERIFY(w->Action("actEnglish")->isVisible());
        w->Action("actEnglish")->trigger();
        QCOMPARE(w->Action("actNewPrg")->text(), QString("New"));
        if (writtenBack != "2")
            w->Action(writtenBack == "0" ? "actSimpleChn" : "actTraditionalChn")->trigger();
    }
    if (old.isNull())
        qunsetenv("LC_ALL");
    else
        qputenv("LC_ALL", old);
    QCOMPARE(fx.ini().ReadString("LgType", "LgType"), writtenBack);
}

void TestMainWindow::deletedCardLeavesTheSettings_data()
{
    QTest::addColumn<bool>("fromCanvasMenu");
    QTest::addColumn<int>("answer");
    QTest::newRow("pop-up, yes") << false << int(QMessageBox::Yes);
    QTest::newRow("canvas menu, yes") << true << int(QMessageBox::Yes);
    QTest::newRow("pop-up, no") << false << int(QMessageBox::No);
}

void TestMainWindow::deletedCardLeavesTheSettings()
{
    QFETCH(bool, fromCanvasMenu);
    QFETCH(int, answer);
    const bool deleted = answer == QMessageBox::Yes;
    Fixture fx;
    fx.answer = QMessageBox::StandardButton(answer);
    fx.writeSettings("[IsShowTips]\r\nIsShowTips=1\r\n[CardsInfo]\r\nHall=256,128,,1_2_3_4_5_6_7_8,,,\r\n"
                     "Gate=96,16,,9_9_9_9_9_9_9_9,,,\r\n");
    {
        auto w = fx.start();
        w->ObjectViews()->SelectNode(tree(*w)->topLevelItem(0));
        QCOMPARE(w->Selection().cardName, QString("Hall"));
        QAction *del = fromCanvasMenu ? w->pMenuEdit()->actions().first() : w->PopupItem("actDelCard");
        del->trigger();
        QCOMPARE(fx.questions.size(), 1);
        QCOMPARE(w->Project().Cards.Count(), deleted ? 1 : 2);
        QCOMPARE(tree(*w)->topLevelItemCount(), deleted ? 1 : 2);
    }
    QCOMPARE(fx.ini().SectionKeys("CardsInfo"), deleted ? QStringList{"Gate"} : (QStringList{"Hall", "Gate"}));
}
