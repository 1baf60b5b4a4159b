#include "signstudio/editors/frmplaydate.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/model/fodderkind.h"
#include "signstudio/model/modelui.h"
#include "signstudio/model/project.h"
#include "signstudio/ui/bmplistpanel.h"
#include "signstudio/ui/materialpreview.h"
#include "signstudio/ui/canvas.h"
#include "signstudio/ui/objectcontroller.h"
#include "signstudio/ui/objecttree.h"
#include "signstudio/ui/propertygrid.h"
#include "signstudio/ui/sizercontrol.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

class FakeModelUi : public TModelUi
{
public:
    bool answer = true;
    QStringList asked;
    bool AskYesNo(const QString &key) override
    {
        asked << key;
        return answer;
    }
    QString AskSaveFileName(const QString &, const QString &) override { return QString(); }
    QString AskOpenFileName(const QString &) override { return QString(); }
    void ShowMessage(const QString &) override {}
};

void sendMouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QRect boundsOf(const TRegion *r)
{
    return QRect(r->Left, r->Top, r->Width, r->Height);
}

} // namespace

// The tree, grid, canvas and picture list driven together over a model.
class TestController : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SetLanguage(true, 2); }
    void init();
    void cleanup();
    void addShowsEverywhere();
    void regionRowsMovePanel_data();
    void regionRowsMovePanel();
    void stayAndTimesThroughGrid();
    void pageDialogsExclude();
    void countTimeAndAnimationButtons();
    void moveMaterials();
    void moveCards();
    void sizerDrag_data();
    void sizerDrag();
    void sizerMouse();
    void regionColourKeptAfterRename();
    void pictureListOnce();
    void visibility();
    void materialClick();
    void deleteFromCanvasMenu();
    void languageSwitchRefills();
    void undoRedo();
    void undoKeyInGrid();
    void modelDeletionReselects();
    void previewDrawn();
    void treeFollowsCode();
    void clearCardWhileMaterialSelected();

private:
    TFIXModem *addCard(const QString &name, int w, int h);

    std::unique_ptr<TProject> m_project;
    QWidget *m_window = nullptr;
    TObjectTree *m_tree = nullptr;
    TPropertyGrid *m_grid = nullptr;
    TCanvas *m_canvas = nullptr;
    TBmpListPanel *m_bmp = nullptr;
    TObjectController *m_ctl = nullptr;
    FakeModelUi m_ui;
};

void TestController::init()
{
    m_project = std::make_unique<TProject>();
    m_project->SetTextSource([](const QString &key) { return LangText(3, key); });
    m_window = new QWidget;
    m_window->resize(900, 600);
    m_tree = new TObjectTree(m_window);
    m_grid = new TPropertyGrid(m_window);
    m_canvas = new TCanvas(m_window);
    m_canvas->setGeometry(300, 0, 600, 400);
    m_bmp = new TBmpListPanel(m_window);
    m_ctl = new TObjectController(*m_project, m_tree, m_grid, m_canvas, m_bmp, m_window);
    m_ctl->SetModelUi(&m_ui);
    m_ctl->RenderPreview = [](const TFodder &, const QSize &) { return QImage(); };
    m_ui.asked.clear();
    m_ui.answer = true;
    m_window->show();
}

void TestController::cleanup()
{
    delete m_window;
    m_window = nullptr;
    m_project.reset();
}

TFIXModem *TestController::addCard(const QString &name, int w, int h)
{
    TFIXModem *card = m_project->Cards.Append(TFIXModem::Create(
        lkNetwork, name, QString(), QStringLiteral("127.0.0.5"), QStringLiteral("1_1_1_1_1_1_1_1"),
        QString(), QString(), m_project->Cards.Count() + 1, w, h, 56, 60, 5, 8));
    m_ctl->AddCard(card);
    return card;
}

void TestController::addShowsEverywhere()
{
    TFIXModem *card = addCard(QStringLiteral("C1"), 320, 64);
    QTreeWidgetItem *cardNode = m_tree->CardNode(QStringLiteral("C1"));
    QVERIFY(cardNode);
    QCOMPARE(TObjectTree::StateImage(cardNode), 1);
    QSignalSpy levels(m_ctl, &TObjectController::selectionChanged);
    QSignalSpy status(m_ctl, &TObjectController::statusText);
    m_ctl->SelectNode(cardNode);
    QCOMPARE(levels.last().at(0).toInt(), int(TSelection::Card));
    QCOMPARE(status.last().at(1).toString(), QStringLiteral("C1"));
    QCOMPARE(m_grid->RowCount(), 11);

    QCOMPARE(m_ctl->AddPage(), QString());
    TProgram *page = m_project->PagesOfCard(QStringLiteral("C1")).value(0);
    QVERIFY(page);
    QCOMPARE(m_tree->currentItem(), m_tree->NodeOf(page));
    QCOMPARE(m_grid->RowCount(), 6);
    QCOMPARE(m_grid->Value(1), page->PageName);
    TCanvasPanel *pagePanel = m_canvas->Panel(page->PanelName);
    QVERIFY(pagePanel);
    QCOMPARE(pagePanel->parentWidget(), m_canvas->Panel(card->PanelName));
    QCOMPARE(pagePanel->geometry(), QRect(7, 7, 320, 64));

    // A material needs a region.
    QCOMPARE(m_ctl->AddFodder(fkSingleText), QStringLiteral("warn_area_add"));

    QCOMPARE(m_ctl->AddRegion(), QString());
    TRegion *region = m_project->RegionsOfPage(page).value(0);
    QVERIFY(region);
    QCOMPARE(m_tree->currentItem()->text(0), region->RegionName);
    QCOMPARE(m_canvas->Panel(region->PanelName)->geometry(), QRect(0, 0, 160, 32));
    QVERIFY(m_canvas->Sizer());
    QCOMPARE(m_grid->Value(4), QStringLiteral("160"));
    QCOMPARE(levels.last().at(0).toInt(), int(TSelection::Region));
    QVERIFY(m_ctl->QueueAllowed());

    QCOMPARE(m_ctl->AddFodder(fkSingleText), QString());
    QCOMPARE(m_ctl->AddFodder(fkQueue), QString());
    const QList<TFodder *> fodders = m_project->FoddersOfRegion(region);
    QCOMPARE(fodders.size(), 2);
    QTreeWidgetItem *regionNode = m_tree->NodeOf(region);
    QCOMPARE(regionNode->childCount(), 2);
    // The queue comes first in the tree as in the list.
    QCOMPARE(TObjectTree::FodderOf(regionNode->child(0)), fodders.at(0));
    QCOMPARE(fodders.at(0)->Kind, int(fkQueue));
    QVERIFY(!m_ctl->QueueAllowed());
    TCanvasPanel *mPanel = m_canvas->Panel(fodders.at(1)->PanelName);
    QVERIFY(mPanel);
    QCOMPARE(mPanel->parentWidget(), m_canvas->Panel(region->PanelName));
    QVERIFY(m_canvas->ImageOf(fodders.at(1)->PanelName));

    // Selecting a material shows its rows, its panel and its handles.
    m_ctl->SelectFodder(fodders.at(1));
    QCOMPARE(m_grid->RowCount(), 7);
    QCOMPARE(m_grid->PickList(4).size(), 17);
    QVERIFY(!m_canvas->Panel(fodders.at(1)->PanelName)->isHidden());
    QVERIFY(m_canvas->ImageOf(fodders.at(1)->PanelName)->HandlesShown());
    QCOMPARE(m_ctl->CurrentMaterial(), m_project->IndexOfFodder(fodders.at(1)));
    // Showing a text material marks the card modified.
    card->Modified = false;
    m_ctl->SelectFodder(fodders.at(1));
    QVERIFY(card->Modified);

    // Renaming through the grid renames the node.
    m_grid->SetValue(1, QStringLiteral("Hello"));
    QCOMPARE(fodders.at(1)->FodderName, QStringLiteral("Hello"));
    QCOMPARE(m_tree->NodeOf(fodders.at(1))->text(0), QStringLiteral("Hello"));
    // Selecting the region hides its materials.
    m_ctl->SelectRegion(region);
    QVERIFY(m_canvas->Panel(fodders.at(1)->PanelName)->isHidden());
}

void TestController::regionRowsMovePanel_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("left 13") << 2 << "13" << QRect(16, 0, 160, 32);
    QTest::newRow("left 12") << 2 << "12" << QRect(8, 0, 160, 32);
    QTest::newRow("width 5") << 4 << "5" << QRect(0, 0, 12, 32);
    QTest::newRow("top 40") << 3 << "40" << QRect(0, 40, 160, 24);
}

void TestController::regionRowsMovePanel()
{
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QRect, expected);
    TFIXModem *card = addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    TRegion *region = m_project->Regions.front().get();
    card->Modified = false;
    m_grid->SetValue(row, typed);
    QCOMPARE(boundsOf(region), expected);
    QCOMPARE(m_canvas->Panel(region->PanelName)->geometry(), expected);
    QCOMPARE(m_grid->Value(2), QString::number(expected.left()));
    QCOMPARE(m_grid->Value(4), QString::number(expected.width()));
    QVERIFY(card->Modified);
}

void TestController::stayAndTimesThroughGrid()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    TProgram *page = m_project->Pages.front().get();
    m_grid->SetValue(2, QStringLiteral("7:3"));
    QCOMPARE(m_grid->Value(2), QStringLiteral("07:30"));
    QCOMPARE(page->StartTime, QStringLiteral("07:30"));
    m_grid->SetValue(3, QStringLiteral("noon"));
    QCOMPARE(m_grid->Value(3), QStringLiteral("24:00"));
    QCOMPARE(page->EndTime, QStringLiteral("24:00"));

    m_ctl->AddRegion();
    m_ctl->AddFodder(fkAnimation);
    TFodder *movie = m_project->Fodders.front().get();
    m_ctl->SelectFodder(movie);
    m_grid->SetValue(3, QStringLiteral("300"));
    QCOMPARE(movie->StayTime, 255);
    QCOMPARE(m_grid->Value(3), QStringLiteral("255"));
    m_grid->SetValue(2, QStringLiteral("300"));
    QCOMPARE(movie->DisplaySpeed, 300);
    QCOMPARE(m_grid->Value(2), QStringLiteral("300"));
    QCOMPARE(m_grid->Value(3), QStringLiteral("255"));
    // The type row is not edited.
    const QString type = m_grid->Value(0);
    m_grid->SetValue(0, QStringLiteral("x"));
    QCOMPARE(m_grid->Value(0), type);
}

void TestController::pageDialogsExclude()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    TProgram *page = m_project->Pages.front().get();
    QVERIFY(m_grid->HasEllipsis(4));
    QVERIFY(m_grid->HasEllipsis(5));

    QString note;
    m_ctl->RunDateTime = [&](const DateTimeRequest &r) {
        note = r.note;
        DateTimeAnswer a;
        a.accepted = true;
        a.position = 2;
        a.value = QStringLiteral("2030-05-06 07:08:09");
        return a;
    };
    m_grid->PressEllipsis(5);
    QCOMPARE(note, QStringLiteral("Note: Two or more display pages fit the setting"));
    QCOMPARE(page->DateMode, int(dmAfterDate));
    QCOMPARE(m_grid->Value(5), QStringLiteral("2030-05-06 07:08:09 After"));
    QCOMPARE(m_grid->Value(4), QStringLiteral("everyday"));

    DateTimeRequest seen;
    m_ctl->RunPlayDate = [](TfrmPlayDate &d) {
        d.show();
        d.rgPlaySpanItem(1)->click();
        d.cbWeek(1)->click();
        d.cbWeek(3)->click();
        d.btSetClick();
        return d.result() == QDialog::Accepted;
    };
    m_grid->PressEllipsis(4);
    QCOMPARE(page->DateMode, int(dmWeekDays));
    QVERIFY(page->PlayDate.isEmpty());
    QCOMPARE(page->WeekDays, QStringLiteral("1;3"));
    QCOMPARE(m_grid->Value(4), QStringLiteral("1;3"));
    QCOMPARE(m_grid->Value(5), QStringLiteral("everyday"));

    // The date dialog starts from the page's date, not from the row text.
    m_ctl->RunDateTime = [&](const DateTimeRequest &r) {
        seen = r;
        return DateTimeAnswer();
    };
    page->DateMode = dmBeforeDate;
    page->PlayDate = QStringLiteral("2030-01-01 00:00:00");
    m_grid->PressEllipsis(5);
    QCOMPARE(seen.value, QStringLiteral("2030-01-01 00:00:00"));
    QCOMPARE(seen.position, 1);
    QCOMPARE(seen.positions.size(), 3);
    // Cancel changes nothing.
    QCOMPARE(page->DateMode, int(dmBeforeDate));
}

void TestController::countTimeAndAnimationButtons()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    m_ctl->AddFodder(fkCountDown);
    m_ctl->AddFodder(fkAnimation);
    TFodder *count = m_project->FoddersOfRegion(m_project->Regions.front().get()).at(0);
    TFodder *movie = m_project->FoddersOfRegion(m_project->Regions.front().get()).at(1);
    m_ctl->SelectFodder(count);
    QVERIFY(m_grid->HasEllipsis(9));
    int height = 0;
    m_ctl->RunDateTime = [&](const DateTimeRequest &r) {
        height = r.height;
        DateTimeAnswer a;
        a.accepted = true;
        a.value = QStringLiteral("2031-02-03 04:05:06");
        return a;
    };
    m_grid->PressEllipsis(9);
    QCOMPARE(height, 220);
    QCOMPARE(count->Content, QStringLiteral("2031-02-03 04:05:06"));

    m_ctl->SelectFodder(movie);
    QString answer = QStringLiteral("/tmp/a.gif");
    m_ctl->AskGifFile = [&](const QString &) { return answer; };
    m_grid->PressEllipsis(4);
    QCOMPARE(movie->Content, QStringLiteral("/tmp/a.gif"));
    // Cancelling keeps the file.
    answer.clear();
    m_grid->PressEllipsis(4);
    QCOMPARE(movie->Content, QStringLiteral("/tmp/a.gif"));
    m_ctl->OpenEditor(movie);
    QCOMPARE(movie->Content, QStringLiteral("/tmp/a.gif"));
    answer = QStringLiteral("/tmp/b.gif");
    m_ctl->OpenEditor(movie);
    QCOMPARE(movie->Content, QStringLiteral("/tmp/b.gif"));
    QCOMPARE(m_grid->Value(4), QStringLiteral("/tmp/b.gif"));

    // Text materials are edited elsewhere; a time material has no editor.
    QSignalSpy editors(m_ctl, &TObjectController::editorRequested);
    m_ctl->SelectRegion(m_project->Regions.front().get());
    m_ctl->AddFodder(fkMultiText);
    m_ctl->AddFodder(fkTime);
    for (const auto &f : m_project->Fodders)
        m_ctl->OpenEditor(f.get());
    QCOMPARE(editors.size(), 1);
}

void TestController::moveMaterials()
{
    TFIXModem *card = addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    TRegion *a = m_project->Regions.back().get();
    for (int i = 0; i < 3; ++i)
        m_ctl->AddFodder(fkSingleText);
    m_ctl->SelectPage(m_project->Pages.front().get());
    m_ctl->AddRegion();
    TRegion *b = m_project->Regions.back().get();
    m_ctl->AddFodder(fkSingleText);
    const QList<TFodder *> inA = m_project->FoddersOfRegion(a);
    QCOMPARE(inA.size(), 3);

    m_ctl->SelectFodder(inA.at(0));
    QVERIFY(!m_ctl->MoveUp());
    QCOMPARE(m_project->FoddersOfRegion(a), inA);

    card->Modified = false;
    QVERIFY(m_ctl->MoveDown());
    QCOMPARE(m_project->FoddersOfRegion(a), QList<TFodder *>({inA.at(1), inA.at(0), inA.at(2)}));
    QTreeWidgetItem *aNode = m_tree->NodeOf(a);
    QCOMPARE(TObjectTree::FodderOf(aNode->child(1)), inA.at(0));
    QCOMPARE(m_tree->currentItem(), aNode->child(1));
    QVERIFY(card->Modified);

    m_ctl->SelectFodder(inA.at(2));
    QVERIFY(!m_ctl->MoveDown()); // never into the next region
    QCOMPARE(m_project->FoddersOfRegion(b).size(), 1);
    QCOMPARE(m_tree->NodeOf(a)->childCount(), 3);

    // Pages and regions do not move.
    m_ctl->SelectRegion(b);
    QVERIFY(!m_ctl->MoveUp());
    QCOMPARE(m_project->RegionsOfPage(m_project->Pages.front().get()).last(), b);
}

void TestController::moveCards()
{
    addCard(QStringLiteral("C1"), 320, 64);
    addCard(QStringLiteral("C2"), 128, 32);
    m_ctl->SetCardImage(QStringLiteral("C2"), 2);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C2")));
    QVERIFY(!m_ctl->MoveDown());
    QVERIFY(m_ctl->MoveUp());
    QCOMPARE(m_project->Cards.At(0)->Name, QStringLiteral("C2"));
    QCOMPARE(m_project->Cards.At(1)->Name, QStringLiteral("C1"));
    QCOMPARE(m_tree->topLevelItem(0)->text(0), QStringLiteral("C2"));
    QCOMPARE(TObjectTree::StateImage(m_tree->topLevelItem(0)), 0);
    QCOMPARE(TObjectTree::StateImage(m_tree->topLevelItem(1)), 0);
    QCOMPARE(m_ctl->CurrentCard(), 0);
    m_ctl->SetCardImage(QStringLiteral("C1"), 3);
    QCOMPARE(TObjectTree::StateImage(m_tree->topLevelItem(1)), 3);
}

void TestController::sizerDrag_data()
{
    QTest::addColumn<int>("grip");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("move left 13") << 0 << QPoint(13, 0) << QRect(16, 0, 64, 32);
    QTest::newRow("move past right") << 0 << QPoint(5000, 0) << QRect(256, 0, 64, 32);
    QTest::newRow("move past bottom") << 0 << QPoint(0, 5000) << QRect(0, 32, 64, 32);
    QTest::newRow("width 30") << int(SizerGeometry::Right) << QPoint(-34, 0) << QRect(0, 0, 32, 32);
    QTest::newRow("3 by 3") << int(SizerGeometry::BottomRight) << QPoint(-61, -29)
                            << QRect(0, 0, 12, 12);
}

void TestController::sizerDrag()
{
    QFETCH(int, grip);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    TFIXModem *card = addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    TRegion *region = m_project->Regions.front().get();
    m_grid->SetValue(4, QStringLiteral("64"));
    QCOMPARE(boundsOf(region), QRect(0, 0, 64, 32));
    TSizerControl *sizer = m_canvas->Sizer();
    QVERIFY(sizer);
    QCOMPARE(sizer->geometry(), QRect(0, 0, 64, 32));
    card->Modified = false;
    if (grip == 0) {
        sizer->MoveBy(delta);
        // The move is reported when the button is released.
        sendMouse(sizer, QEvent::MouseButtonPress, QPoint(20, 10), Qt::LeftButton);
        sendMouse(sizer, QEvent::MouseButtonRelease, QPoint(20, 10), Qt::NoButton);
    } else {
        sizer->ResizeBy(SizerGeometry::Grip(grip), delta);
    }
    QCOMPARE(boundsOf(region), expected);
    QCOMPARE(m_canvas->Panel(region->PanelName)->geometry(), expected);
    QCOMPARE(m_grid->Value(2), QString::number(expected.left()));
    QCOMPARE(m_grid->Value(3), QString::number(expected.top()));
    QCOMPARE(m_grid->Value(4), QString::number(expected.width()));
    QCOMPARE(m_grid->Value(5), QString::number(expected.height()));
    QVERIFY(card->Modified);
}

void TestController::sizerMouse()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    TRegion *region = m_project->Regions.front().get();
    TSizerControl *sizer = m_canvas->Sizer();
    QVERIFY(sizer);
    // Drag the client area 13 pixels right and 3 down.
    sendMouse(sizer, QEvent::MouseButtonPress, QPoint(40, 10), Qt::LeftButton);
    QVERIFY(sizer->Dragging());
    sendMouse(sizer, QEvent::MouseMove, QPoint(53, 13), Qt::LeftButton);
    sendMouse(sizer, QEvent::MouseButtonRelease, sizer->mapFromParent(QPoint(53, 13)), Qt::NoButton);
    QVERIFY(!sizer->Dragging());
    QCOMPARE(boundsOf(region), QRect(16, 3, 160, 32));
    // Drag the right grip 30 pixels left: width 130 snaps to 128.
    const QPoint grip(sizer->width() - 2, sizer->height() / 2);
    sendMouse(sizer, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    sendMouse(sizer, QEvent::MouseMove, grip - QPoint(30, 0), Qt::LeftButton);
    sendMouse(sizer, QEvent::MouseButtonRelease, grip - QPoint(30, 0), Qt::NoButton);
    QCOMPARE(boundsOf(region), QRect(16, 3, 128, 32));
    QCOMPARE(m_grid->Value(4), QStringLiteral("128"));
}

void TestController::regionColourKeptAfterRename()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    TProgram *page = m_project->Pages.front().get();
    for (int i = 0; i < 9; ++i) {
        m_ctl->SelectPage(page);
        m_ctl->AddRegion();
    }
    TRegion *ninth = m_project->RegionsOfPage(page).last();
    QCOMPARE(ninth->RegionName, QStringLiteral("area9"));
    TCanvasPanel *panel = m_canvas->Panel(ninth->PanelName);
    QCOMPARE(panel->Colour(), QColor(0x80, 0x80, 0x00));
    QCOMPARE(m_canvas->Panel(m_project->RegionsOfPage(page).first()->PanelName)->Colour(),
             QColor(0x80, 0x80, 0x80));
    m_ctl->SelectRegion(ninth);
    m_grid->SetValue(1, QStringLiteral("Logo"));
    QCOMPARE(ninth->RegionName, QStringLiteral("Logo"));
    QCOMPARE(panel->Caption(), QStringLiteral("Logo"));
    QCOMPARE(panel->Colour(), QColor(0x80, 0x80, 0x00));
}

void TestController::pictureListOnce()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString a = dir.filePath(QStringLiteral("a.bmp"));
    const QString b = dir.filePath(QStringLiteral("b.png"));
    const QString c = dir.filePath(QStringLiteral("c.jpg"));
    QVERIFY(img.save(a, "BMP"));
    QVERIFY(img.save(b, "PNG"));
    QVERIFY(img.save(c, "JPG"));

    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    m_ctl->AddFodder(fkPictureGroup);
    m_ctl->AddFodder(fkTable);
    TFodder *pictures = m_project->Fodders.at(0).get();
    TFodder *table = m_project->Fodders.at(1).get();
    QVERIFY(m_bmp->isHidden());
    m_ctl->SelectFodder(pictures);
    QVERIFY(!m_bmp->isHidden());
    QCOMPARE(m_bmp->Material(), pictures);

    m_bmp->SetFolder(dir.path());
    QCOMPARE(m_bmp->lbFileList()->count(), 3);
    m_bmp->AddFiles({a, a});
    m_bmp->AddFiles({a});
    QCOMPARE(m_bmp->lvBmpList()->topLevelItemCount(), 1);
    QCOMPARE(pictures->PictureFiles.size(), 1);
    QVERIFY(!m_canvas->ImageOf(pictures->PanelName)->Image().isNull());

    QStringList messages;
    m_bmp->ShowMessage = [&](const QString &m) { messages << m; };
    m_bmp->AddFiles({dir.filePath(QStringLiteral("missing.bmp")), c});
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().contains(QStringLiteral("missing.bmp")));
    QCOMPARE(pictures->FileNames(), QStringList({a, c}));
    QCOMPARE(m_bmp->lvBmpList()->topLevelItemCount(), 2);

    // Insert in front of the selected row; the new row becomes selected.
    m_bmp->lvBmpList()->topLevelItem(1)->setSelected(true);
    m_bmp->lvBmpList()->setCurrentItem(m_bmp->lvBmpList()->topLevelItem(1));
    m_bmp->InsertFiles({b, a});
    QCOMPARE(pictures->FileNames(), QStringList({a, b, c}));
    QCOMPARE(m_bmp->lvBmpList()->topLevelItem(1)->text(0), QStringLiteral("2"));
    QCOMPARE(m_bmp->lvBmpList()->topLevelItem(2)->text(0), QStringLiteral("3"));
    QVERIFY(m_bmp->lvBmpList()->topLevelItem(1)->isSelected());

    // Delete the selected rows, then all.
    m_bmp->lvBmpList()->clearSelection();
    m_bmp->lvBmpList()->topLevelItem(0)->setSelected(true);
    m_bmp->lvBmpList()->topLevelItem(2)->setSelected(true);
    m_bmp->DeleteSelected();
    QCOMPARE(pictures->FileNames(), QStringList({b}));
    QCOMPARE(m_bmp->lvBmpList()->topLevelItem(0)->text(0), QStringLiteral("1"));
    QVERIFY(m_canvas->ImageOf(pictures->PanelName)->Image().isNull());
    m_bmp->DeleteAll();
    QVERIFY(pictures->PictureFiles.isEmpty());

    m_ctl->SelectFodder(table);
    QVERIFY(m_bmp->isHidden());
    QCOMPARE(m_bmp->Material(), nullptr);
}

void TestController::visibility()
{
    TFIXModem *c1 = addCard(QStringLiteral("C1"), 320, 64);
    // One card: the designed panel and the card's panel both stay.
    QCOMPARE(m_canvas->BoxChildCount(), 2);
    QVERIFY(m_canvas->ScreenMain()->isHidden());
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    QVERIFY(!m_canvas->Panel(c1->PanelName)->isHidden());
    QCOMPARE(m_canvas->Panel(c1->PanelName)->size(), QSize(336, 80));

    TFIXModem *c2 = addCard(QStringLiteral("C2"), 128, 32);
    QCOMPARE(m_canvas->BoxChildCount(), 3);
    QVERIFY(m_canvas->Panel(c1->PanelName)->isHidden());
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    QVERIFY(!m_canvas->Panel(c1->PanelName)->isHidden());
    QVERIFY(m_canvas->Panel(c2->PanelName)->isHidden());
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C2")));
    QVERIFY(m_canvas->Panel(c1->PanelName)->isHidden());
    QVERIFY(!m_canvas->Panel(c2->PanelName)->isHidden());
    // Centred in the box.
    const QSize box = m_canvas->viewport()->size();
    QCOMPARE(m_canvas->Panel(c2->PanelName)->pos(),
             QPoint((box.width() - 144) / 2, (box.height() - 48) / 2));
    QVERIFY(m_ctl->CurrentCard() == 1);
}

void TestController::materialClick()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    m_ctl->AddFodder(fkTime);
    TFodder *f = m_project->Fodders.front().get();
    QSignalSpy status(m_ctl, &TObjectController::statusText);
    QTest::mouseClick(m_canvas->ImageOf(f->PanelName), Qt::RightButton);
    QCOMPARE(m_tree->currentItem(), m_tree->NodeOf(f));
    QCOMPARE(m_grid->RowCount(), 13);
    QCOMPARE(status.last().at(0).toInt(), 4);
    QVERIFY(status.last().at(1).toString().contains(QStringLiteral("material layer")));
    QVERIFY(!m_canvas->Sizer());
    // A click on the region panel (materials hidden) selects the region.
    TRegion *region = m_project->Regions.front().get();
    m_ctl->onRegionPressed(region->PanelName);
    QCOMPARE(m_tree->currentItem(), m_tree->NodeOf(region));
    QVERIFY(m_canvas->Sizer());
    QVERIFY(!m_canvas->ImageOf(f->PanelName)->HandlesShown());
    // Unknown panels do nothing.
    m_ctl->onMaterialPressed(QStringLiteral("pnNothing"));
    QCOMPARE(m_tree->currentItem(), m_tree->NodeOf(region));
}

void TestController::deleteFromCanvasMenu()
{
    TFIXModem *card = addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    m_ctl->AddFodder(fkSingleText);
    TFodder *f = m_project->Fodders.front().get();
    const QString panel = f->PanelName;
    m_ctl->SelectFodder(f);
    m_ui.answer = false;
    m_canvas->mItemDelObj()->trigger();
    QCOMPARE(m_ui.asked, QStringList({"dlg_del_material"}));
    QCOMPARE(m_project->Fodders.size(), size_t(1));

    m_ui.answer = true;
    m_canvas->mItemDelObj()->trigger();
    QVERIFY(m_project->Fodders.empty());
    QVERIFY(!m_canvas->Panel(panel));
    QCOMPARE(m_tree->NodeOf(m_project->Regions.front().get())->childCount(), 0);
    QVERIFY(m_grid->RowCount() > 0);

    // Deleting the page takes its region, panels and nodes with it.
    TProgram *page = m_project->Pages.front().get();
    const QString pagePanel = page->PanelName;
    m_ctl->SelectPage(page);
    QVERIFY(m_ctl->DeleteSelected());
    QVERIFY(m_project->Pages.empty());
    QVERIFY(m_project->Regions.empty());
    QVERIFY(!m_canvas->Panel(pagePanel));
    QCOMPARE(m_tree->CardNode(QStringLiteral("C1"))->childCount(), 0);

    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    const QString screen = card->PanelName;
    QVERIFY(m_ctl->DeleteSelected());
    QCOMPARE(m_project->Cards.Count(), 0);
    QCOMPARE(m_tree->topLevelItemCount(), 0);
    QVERIFY(!m_canvas->Panel(screen));
}

void TestController::languageSwitchRefills()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    QCOMPARE(m_grid->Key(2), QStringLiteral("Play_Start_Time"));
    SetLanguage(true, 0);
    m_ctl->RefreshSelection();
    const QString chinese = m_grid->Key(2);
    SetLanguage(true, 2);
    QVERIFY(!chinese.isEmpty());
    QVERIFY(chinese != QStringLiteral("Play_Start_Time"));
    m_ctl->RefreshSelection();
    QCOMPARE(m_grid->Key(2), QStringLiteral("Play_Start_Time"));
}

void TestController::undoRedo()
{
    TFIXModem *card = addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    TRegion *region = m_project->Regions.front().get();
    QUndoStack *undo = m_ctl->UndoStack();
    QCOMPARE(undo->count(), 0);

    m_grid->SetValue(2, QStringLiteral("13"));
    QCOMPARE(region->Left, 16);
    m_ctl->Canvas()->Sizer()->MoveBy(QPoint(0, 8));
    sendMouse(m_ctl->Canvas()->Sizer(), QEvent::MouseButtonPress, QPoint(20, 10), Qt::LeftButton);
    sendMouse(m_ctl->Canvas()->Sizer(), QEvent::MouseButtonRelease, QPoint(20, 10), Qt::NoButton);
    QCOMPARE(boundsOf(region), QRect(16, 8, 160, 32));
    QCOMPARE(undo->count(), 2);

    card->Modified = false;
    undo->undo();
    QCOMPARE(boundsOf(region), QRect(16, 0, 160, 32));
    QCOMPARE(m_canvas->Panel(region->PanelName)->geometry(), QRect(16, 0, 160, 32));
    QCOMPARE(m_grid->Value(3), QStringLiteral("0"));
    QVERIFY(card->Modified);
    undo->undo();
    QCOMPARE(boundsOf(region), QRect(0, 0, 160, 32));
    QCOMPARE(m_grid->Value(2), QStringLiteral("0"));
    undo->redo();
    QCOMPARE(region->Left, 16);
    QCOMPARE(m_grid->Value(2), QStringLiteral("16"));

    // Material edits; a rename is not part of the history.
    m_ctl->AddFodder(fkSingleText);
    TFodder *f = m_project->Fodders.front().get();
    m_ctl->SelectFodder(f);
    const int before = undo->index();
    m_grid->SetValue(6, QStringLiteral("300"));
    QCOMPARE(f->StayTime, 255);
    m_grid->SetValue(1, QStringLiteral("Renamed"));
    QCOMPARE(undo->index(), before + 1);
    QCOMPARE(undo->count(), before + 1); // the undone move is gone
    f->PictureFiles.append(TFileInfo{1, QStringLiteral("/tmp/kept.bmp")});
    undo->undo();
    QCOMPARE(f->StayTime, 1);
    QCOMPARE(m_grid->Value(6), QStringLiteral("1"));
    QCOMPARE(f->FodderName, QStringLiteral("Renamed"));
    QCOMPARE(f->PictureFiles.size(), 1);

    // Removing objects clears the history.
    QVERIFY(m_ctl->DeleteSelected());
    QCOMPARE(undo->count(), 0);
}

void TestController::undoKeyInGrid()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    TProgram *page = m_project->Pages.front().get();
    m_grid->SetValue(2, QStringLiteral("9:1"));
    QCOMPARE(page->StartTime, QStringLiteral("09:10"));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window, 2000));
    m_grid->setFocus();
    QTest::keyClick(m_grid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(page->StartTime, QStringLiteral("00:00"));
    QCOMPARE(m_grid->Value(2), QStringLiteral("00:00"));
}

void TestController::modelDeletionReselects()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    // Added through the model directly, as the main window's commands do.
    TProgram *page = m_project->AddPage(TSelection::ForCard(QStringLiteral("C1"))).page;
    QCOMPARE(m_tree->currentItem(), m_tree->NodeOf(page));
    QCOMPARE(m_grid->RowCount(), 6);
    TRegion *region = m_project->AddRegion(TSelection::ForPage(page)).region;
    QCOMPARE(m_tree->currentItem(), m_tree->NodeOf(region));
    QVERIFY(m_canvas->Sizer());
    QVERIFY(m_project->DeleteRegion(region, m_ui));
    QTRY_COMPARE_WITH_TIMEOUT(m_grid->RowCount(), 6, 2000);
    QCOMPARE(m_tree->currentItem(), m_tree->NodeOf(page));
    QVERIFY(!m_canvas->Sizer());
}

void TestController::previewDrawn()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->RenderPreview = [](const TFodder &f, const QSize &size) { return MaterialPreview(f, size); };
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    m_ctl->AddFodder(fkTime);
    m_ctl->AddFodder(fkRemoteText);
    TFodder *time = m_project->Fodders.at(0).get();
    TFodder *remote = m_project->Fodders.at(1).get();
    TMaterialImage *image = m_canvas->ImageOf(time->PanelName);
    QVERIFY(!image->Image().isNull());
    QCOMPARE(image->Image().size(), QSize(160, 32));
    // Nothing to draw: the name shows as a caption.
    QVERIFY(m_canvas->ImageOf(remote->PanelName)->Image().isNull());
    QCOMPARE(m_canvas->ImageOf(remote->PanelName)->Caption(), remote->FodderName);
}

void TestController::treeFollowsCode()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    TProgram *page = m_project->Pages.front().get();
    m_tree->setCurrentItem(m_tree->CardNode(QStringLiteral("C1")));
    QCOMPARE(m_grid->RowCount(), 11);
    m_tree->setCurrentItem(m_tree->NodeOf(page));
    QCOMPARE(m_grid->RowCount(), 6);
    QCOMPARE(m_ctl->CurrentPage(), 0);
    m_tree->setCurrentItem(nullptr);
    QCOMPARE(m_grid->RowCount(), 0);
    m_tree->CardNode(QStringLiteral("C1"))->setSelected(true);
    QCOMPARE(m_grid->RowCount(), 11);
    QCOMPARE(m_ctl->Selection().level, TSelection::Card);
}

void TestController::clearCardWhileMaterialSelected()
{
    addCard(QStringLiteral("C1"), 320, 64);
    m_ctl->SelectNode(m_tree->CardNode(QStringLiteral("C1")));
    m_ctl->AddPage();
    m_ctl->AddRegion();
    m_ctl->AddFodder(fkSingleText);
    m_ctl->AddFodder(fkPictureGroup);
    m_ctl->SelectFodder(m_project->Fodders.back().get());
    QVERIFY(!m_bmp->isHidden());
    m_project->ClearCard(QStringLiteral("C1"));
    QCOMPARE(m_tree->CardNode(QStringLiteral("C1"))->childCount(), 0);
    QCOMPARE(m_bmp->Material(), nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(m_grid->RowCount(), 11, 2000);
    QCOMPARE(m_tree->currentItem(), m_tree->CardNode(QStringLiteral("C1")));
    // The card's screen panel holds no page panels any more.
    TCanvasPanel *screen = m_canvas->Panel(m_project->Cards.At(0)->PanelName);
    int pages = 0;
    for (auto *p : screen->findChildren<TCanvasPanel *>(QString(), Qt::FindDirectChildrenOnly))
        pages += p->objectName().isEmpty() ? 0 : 1;
    QCOMPARE(pages, 0);
}

int RunControllerTests(int argc, char *argv[])
{
    TestController t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_controller.moc"
