// End to end with the main window: a networked virtual card connects to the
// server the window starts and appears online in the object tree by itself.
// Run inside a private network namespace.

#include "signstudio/app/commlinkadapter.h"
#include "signstudio/app/frmmain.h"
#include "signstudio/comm/cardlinks.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/ui/bmplistpanel.h"
#include "signstudio/ui/canvas.h"
#include "signstudio/ui/objectcontroller.h"
#include "signstudio/ui/objecttree.h"
#include "signstudio/ui/propertygrid.h"
#include "virtualcard/virtualcard.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestLinkWindowE2E : public QObject
{
    Q_OBJECT
private slots:
    void networkCardAppearsOnlineInTree();
    void sendActionDeliversPlaybill();
};

namespace {

TfrmMain::Environment QuietEnvironment(const QTemporaryDir &dir)
{
    TfrmMain::Environment env;
    env.programFolder = dir.path() + QLatin1Char('/');
    env.interactive = false;
    env.adapters = [] { return AdapterListResult{}; };
    env.hostAddress = [] { return QStringLiteral("127.0.0.1"); };
    env.execDialog = [](QDialog *) { return int(QDialog::Accepted); };
    env.ask = [](const QString &, QMessageBox::StandardButtons) { return QMessageBox::No; };
    env.message = [](const QString &) {};
    env.startProgram = [](const QString &, const QStringList &) { return true; };
    return env;
}

} // namespace

void TestLinkWindowE2E::networkCardAppearsOnlineInTree()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TfrmMain::Environment env;
    env.programFolder = dir.path() + QLatin1Char('/');
    env.interactive = false;
    env.adapters = [] { return AdapterListResult{}; };
    env.hostAddress = [] { return QStringLiteral("127.0.0.1"); };
    env.execDialog = [](QDialog *) { return int(QDialog::Accepted); };
    env.ask = [](const QString &, QMessageBox::StandardButtons) { return QMessageBox::No; };
    env.message = [](const QString &) {};
    env.startProgram = [](const QString &, const QStringList &) { return true; };

    TCommLinkAdapter link;
    auto window = std::make_unique<TfrmMain>(env);
    window->SetCommLink(&link);
    window->SetLanguage(2);
    window->FirstShow();
    QVERIFY(link.Links()->ServerActive());
    const int port = link.Links()->ServerPort();
    QCOMPARE(window->Settings().CommParam02, QString::number(port));
    QCOMPARE(window->StatusText(3), QStringLiteral("Network Port[%1]").arg(port));

    CardProfile profile;
    profile.Width = 96;
    profile.Height = 48;
    VirtualCard card(profile);
    QSignalSpy clock(&card, &VirtualCard::ClockSet);
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), quint16(port)));
    TObjectTree *tree = window->ObjectViews()->Tree();
    QTRY_COMPARE_WITH_TIMEOUT(tree->topLevelItemCount(), 1, 5000);
    QTreeWidgetItem *node = tree->topLevelItem(0);
    QCOMPARE(node->text(0), profile.InnerCodeText());
    QCOMPARE(TObjectTree::StateImage(node), 2);
    QTRY_COMPARE_WITH_TIMEOUT(clock.count(), 1, 3000);
    TFIXModem *model = window->Project().Cards.FindByName(profile.InnerCodeText());
    QVERIFY(model);
    QCOMPARE(model->ScreenWidth, 96);
    QCOMPARE(model->LinkKind, 2);

    // The card commands reach it through the window's actions.
    QSignalSpy play(&card, &VirtualCard::PlayStateChanged);
    tree->setCurrentItem(node);
    node->setSelected(true);
    window->Action(QStringLiteral("actStopPlay"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(play.count(), 1, 3000);
    QCOMPARE(play.first().first().toBool(), false);
    QCOMPARE(window->StatusText(4), QStringLiteral("Has been sent to stop playing."));

    // Gone: offline at once, and the icon follows at the next tick.
    card.DisconnectFromServer();
    QTRY_VERIFY_WITH_TIMEOUT(!model->Online, 3000);
    link.Links()->OnOnlineTimer();
    QCOMPARE(TObjectTree::StateImage(node), 1);
    window.reset(); // closes the links with the window
    QVERIFY(!link.Links());
}

// The operator's road: a card connects, a page with a region and a text is
// added, Send is pressed; the card receives the whole playbill and the
// window reports it sent.
void TestLinkWindowE2E::sendActionDeliversPlaybill()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TCommLinkAdapter link;
    auto window = std::make_unique<TfrmMain>(QuietEnvironment(dir));
    window->SetCommLink(&link);
    window->SetLanguage(2);
    window->FirstShow();
    QVERIFY(link.Links()->ServerActive());

    CardProfile profile;
    profile.Width = 64;
    profile.Height = 32;
    VirtualCard card(profile);
    QSignalSpy received(&card, &VirtualCard::PlaybillReceived);
    QVERIFY(card.ConnectToServer(QStringLiteral("127.0.0.1"), quint16(link.Links()->ServerPort())));
    TObjectTree *tree = window->ObjectViews()->Tree();
    QTRY_COMPARE_WITH_TIMEOUT(tree->topLevelItemCount(), 1, 5000);
    const QString name = profile.InnerCodeText();

    TProject &project = window->Project();
    const TAddResult page = project.AddPage(TSelection::ForCard(name));
    QVERIFY2(page.ok(), qPrintable(page.error));
    const TAddResult region = project.AddRegion(TSelection::ForPage(page.page));
    QVERIFY2(region.ok(), qPrintable(region.error));
    const TAddResult text = project.AddFodder(TSelection::ForRegion(region.region), 0);
    QVERIFY2(text.ok(), qPrintable(text.error));
    text.fodder->Content = QStringLiteral("clRed^宋体^12^0^0^0^0^0^1^Hello");

    QTreeWidgetItem *node = tree->topLevelItem(0);
    tree->setCurrentItem(node);
    node->setSelected(true);
    window->Action(QStringLiteral("actSend"))->trigger();

    QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 15000);
    const ReceivedPlaybill &playbill = card.LastCompletePlaybill();
    QVERIFY(playbill.IsComplete());
    QCOMPARE(playbill.Materials.size(), 1);
    QVERIFY(!playbill.Materials.first().Pages.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(window->StatusText(4), LangText(3, QStringLiteral("tip_program_sent")), 5000);
    QCOMPARE(TObjectTree::StateImage(node), 3);
}

QTEST_MAIN(TestLinkWindowE2E)
#include "tst_windowe2e.moc"
