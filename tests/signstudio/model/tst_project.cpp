#include "signstudio/model/programfile.h"
#include "signstudio/model/project.h"
#include "tests/signstudio/model/tst_helpers.h"
#include "tests/signstudio/model/tst_suites.h"

#include <QTest>

namespace {

struct Built
{
    TProgram *page = nullptr;
    TRegion *region = nullptr;
};

Built pageWithRegion(TProject &p, const QString &card)
{
    Built b;
    b.page = p.AddPage(TSelection::ForCard(card)).page;
    b.region = p.AddRegion(TSelection::ForPage(b.page)).region;
    return b;
}

QStringList names(const QList<TFodder *> &fodders)
{
    QStringList n;
    for (const TFodder *f : fodders)
        n << f->FodderName;
    return n;
}

QStringList listOrder(const TProject &p)
{
    QStringList n;
    for (const auto &f : p.Fodders)
        n << f->FodderName;
    return n;
}

} // namespace

void TestProjectModel::addPageLevels_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("added");
    QTest::newRow("nothing selected") << int(TSelection::None) << 60 << "" << false;
    QTest::newRow("card") << int(TSelection::Card) << 60 << "" << true;
    QTest::newRow("page") << int(TSelection::Page) << 60 << "" << true;
    QTest::newRow("region") << int(TSelection::Region) << 60 << "warn_card_select" << false;
    QTest::newRow("material") << int(TSelection::Material) << 60 << "warn_card_select" << false;
    QTest::newRow("version 51") << int(TSelection::Card) << 51 << "warn_card_version_low_add" << false;
    QTest::newRow("version 52") << int(TSelection::Card) << 52 << "" << true;
    QTest::newRow("no version") << int(TSelection::Card) << -1 << "" << true;
}

void TestProjectModel::addPageLevels()
{
    QFETCH(int, level);
    QFETCH(int, version);
    QFETCH(QString, error);
    QFETCH(bool, added);
    TProject p;
    setupProject(p);
    TFIXModem *card = addCard(p, QStringLiteral("C"), 128, 64, 60);
    Built b = pageWithRegion(p, QStringLiteral("C"));
    TFodder *f = p.AddFodder(TSelection::ForRegion(b.region), fkSingleText).fodder;
    QVERIFY(f);
    card->FirmwareVersion = version;
    card->Modified = false;
    TSelection sel;
    switch (level) {
    case TSelection::Card: sel = TSelection::ForCard(QStringLiteral("C")); break;
    case TSelection::Page: sel = TSelection::ForPage(b.page); break;
    case TSelection::Region: sel = TSelection::ForRegion(b.region); break;
    case TSelection::Material: sel = TSelection::ForFodder(f); break;
    default: break;
    }
    const TAddResult r = p.AddPage(sel);
    QCOMPARE(r.error, error);
    QCOMPARE(r.ok(), added);
    QCOMPARE(int(p.Pages.size()), added ? 2 : 1);
    QCOMPARE(card->Modified, added);
    if (added) {
        QCOMPARE(r.page->PageName, QStringLiteral("show_page2"));
        QCOMPARE(r.page->CardName, QStringLiteral("C"));
        QCOMPARE(r.page->StartTime, QStringLiteral("00:00"));
        QCOMPARE(r.page->EndTime, QStringLiteral("24:00"));
        QCOMPARE(r.page->WeekDays, QStringLiteral("everyday"));
        QCOMPARE(r.page->DateMode, -1);
        QVERIFY(r.page->PlayDate.isEmpty());
        QCOMPARE(r.page->PageUID.size(), 9);
        QVERIFY(r.page->PageUID != b.page->PageUID);
        QVERIFY(r.page->PanelName.startsWith(QStringLiteral("pnProgram")));
        QCOMPARE(p.PagesOfCard(QStringLiteral("C")).last(), r.page);
    }
}

void TestProjectModel::addPageFillsNamingGap()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    TProgram *a = p.AddPage(TSelection::ForCard(QStringLiteral("C"))).page;
    TProgram *b = p.AddPage(TSelection::ForCard(QStringLiteral("C"))).page;
    QCOMPARE(p.RenamePage(b, QStringLiteral("show_page3")), QStringLiteral("show_page3"));
    QCOMPARE(a->PageName, QStringLiteral("show_page1"));
    // pages of another card do not count
    addCard(p, QStringLiteral("D"));
    p.AddPage(TSelection::ForCard(QStringLiteral("D")));
    p.AddPage(TSelection::ForCard(QStringLiteral("D")));
    QCOMPARE(p.AddPage(TSelection::ForCard(QStringLiteral("C"))).page->PageName, QStringLiteral("show_page2"));
    QCOMPARE(p.AddPage(TSelection::ForCard(QStringLiteral("C"))).page->PageName, QStringLiteral("show_page4"));
}

void TestProjectModel::addRegionSize_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("rw");
    QTest::addColumn<int>("rh");
    QTest::newRow("128x64") << 128 << 64 << 64 << 32;
    QTest::newRow("64x33") << 64 << 33 << 32 << 16;
    QTest::newRow("64x32 keeps the height") << 64 << 32 << 32 << 32;
    QTest::newRow("odd width") << 97 << 16 << 48 << 16;
}

void TestProjectModel::addRegionSize()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, rw);
    QFETCH(int, rh);
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"), w, h);
    Built b = pageWithRegion(p, QStringLiteral("C"));
    QVERIFY(b.region);
    QCOMPARE(b.region->Left, 0);
    QCOMPARE(b.region->Top, 0);
    QCOMPARE(b.region->Width, rw);
    QCOMPARE(b.region->Height, rh);
    QCOMPARE(b.region->RegionName, QStringLiteral("area1"));
    QCOMPARE(b.region->PageUID, b.page->PageUID);
    QCOMPARE(b.region->PageName, b.page->PageName);
    // a region selected adds to its page
    TRegion *second = p.AddRegion(TSelection::ForRegion(b.region)).region;
    QCOMPARE(second->RegionName, QStringLiteral("area2"));
    QCOMPARE(p.RegionsOfPage(b.page), (QList<TRegion *>{b.region, second}));
    QCOMPARE(p.AddRegion(TSelection::ForCard(QStringLiteral("C"))).error, QStringLiteral("warn_page_add"));
    QVERIFY(!p.AddRegion(TSelection()).ok());
}

void TestProjectModel::addFodderDefaults_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("typeCode");
    QTest::addColumn<int>("speed");
    QTest::newRow("single text") << 0 << "single-text1" << "pnSglTxt" << 56 << 1;
    QTest::newRow("multi text") << 1 << "multi_text1" << "pnMulTxt" << 56 << 1;
    QTest::newRow("picture group") << 2 << "image_group1" << "pnImg" << 56 << 1;
    QTest::newRow("table") << 3 << "table1" << "pnTbl" << 56 << 1;
    QTest::newRow("time") << 4 << "time1" << "pnDT" << 49 << 1;
    QTest::newRow("remote text") << 5 << "remote_text1" << "pnTxtSet" << 48 << 1;
    QTest::newRow("queue") << 6 << "window_no1" << "pnQu" << 53 << 8;
    QTest::newRow("count-up") << 7 << "is_time1" << "pnAT" << 52 << 1;
    QTest::newRow("count-down") << 8 << "count_down1" << "pnDelT" << 51 << 1;
    QTest::newRow("inner code") << 9 << "internal_code_word1" << "pnInner" << 55 << 1;
    QTest::newRow("real time") << 10 << "real_time_acquisition1" << "pnCData" << 54 << 1;
    QTest::newRow("animation") << 11 << "animation1" << "pnMovie" << 59 << 10;
}

void TestProjectModel::addFodderDefaults()
{
    QFETCH(int, kind);
    QFETCH(QString, name);
    QFETCH(QString, prefix);
    QFETCH(int, typeCode);
    QFETCH(int, speed);
    TProject p;
    setupProject(p);
    p.SetClock([] { return QDateTime(QDate(2026, 7, 8), QTime(9, 10, 11)); });
    TFIXModem *card = addCard(p, QStringLiteral("C"));
    Built b = pageWithRegion(p, QStringLiteral("C"));
    card->Modified = false;
    const TAddResult r = p.AddFodder(TSelection::ForRegion(b.region), kind);
    QVERIFY(r.ok());
    const TFodder *f = r.fodder;
    QCOMPARE(f->FodderName, name);
    QVERIFY(f->PanelName.startsWith(prefix));
    QCOMPARE(f->TypeCode, typeCode);
    QCOMPARE(f->DisplaySpeed, speed);
    QCOMPARE(f->Kind, kind);
    QCOMPARE(f->FixedText, QStringLiteral("10"));
    QCOMPARE(f->PlayTimes, 1);
    QCOMPARE(f->DisplayMode, 1);
    QCOMPARE(f->StayTime, 1);
    QCOMPARE(f->ExtraByte1, 49);
    QCOMPARE(f->ExtraByte2, 49);
    QCOMPARE(f->RowSpan + f->VerAlign + f->YAxisPos + f->LineColor + f->LineWidth + f->Number1 + f->Number2, 0);
    QCOMPARE(f->DigitColor + f->CharColor + f->FontCode + f->FontSizeCode + f->FormatCode + f->FormatCode2
                 + f->OptionCode,
             7);
    QVERIFY(f->PictureFiles.isEmpty());
    QCOMPARE(f->Content, kind == fkCountUp || kind == fkCountDown ? QStringLiteral("2026-07-08 09:10:11") : QString());
    QCOMPARE(f->RegionUID, b.region->RegionUID);
    QCOMPARE(f->RegionName, b.region->RegionName);
    QCOMPARE(f->PageName, b.page->PageName);
    QVERIFY(card->Modified);
    QCOMPARE(p.KindCounters[size_t(kind)], 1);
    QCOMPARE(card->RemoteTextFree, kind != fkRemoteText);
}

void TestProjectModel::addFodderWrongLevel()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    Built b = pageWithRegion(p, QStringLiteral("C"));
    QCOMPARE(p.AddFodder(TSelection::ForPage(b.page), fkSingleText).error, QStringLiteral("warn_area_add"));
    QCOMPARE(p.AddFodder(TSelection::ForCard(QStringLiteral("C")), fkSingleText).error, QStringLiteral("warn_area_add"));
    QCOMPARE(p.AddFodder(TSelection(), fkSingleText).error, QStringLiteral("warn_area_add"));
    QVERIFY(!p.AddFodder(TSelection::ForRegion(b.region), 12).ok());
    QVERIFY(!p.AddFodder(TSelection::ForRegion(b.region), -1).ok());
    QVERIFY(p.Fodders.empty());
}

void TestProjectModel::fodderNameSkipsTakenNumbers()
{
    // A file whose region holds single texts numbered 1 and 3: the next
    // single text in that region is number 4, not 3.
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    const QByteArray file = "[ProgramList]\r\n"
                            "P,100000001,pn,00:00,24:00,everyday,,-1\r\n"
                            "[RegionList]\r\n"
                            "P,100000001,R,100000002,pn,0,0,64,32\r\n"
                            "[FodderList]\r\n"
                            "P,R,100000002,single-text1,100000003,pn,0,1,1,1,1,56,49,49,,1,1,1,1,1,1,1,0,0,0,0,0,0,0\r\n"
                            "P,R,100000002,single-text3,100000004,pn,0,1,1,1,1,56,49,49,,1,1,1,1,1,1,1,0,0,0,0,0,0,0\r\n";
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), file).status, ProgramFile::TLoadResult::Loaded);
    TRegion *region = p.FindRegion(QStringLiteral("C"), QStringLiteral("P"), QStringLiteral("R"));
    QVERIFY(region);
    QCOMPARE(p.KindCounters[fkSingleText], 2);
    QCOMPARE(p.AddFodder(TSelection::ForRegion(region), fkSingleText).fodder->FodderName,
             QStringLiteral("single-text4"));
    // another region starts from the counter, with no gap filling
    TRegion *other = p.AddRegion(TSelection::ForRegion(region)).region;
    QCOMPARE(p.AddFodder(TSelection::ForRegion(other), fkSingleText).fodder->FodderName,
             QStringLiteral("single-text4"));
}

void TestProjectModel::queueComesFirst()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    Built b = pageWithRegion(p, QStringLiteral("C"));
    TRegion *other = p.AddRegion(TSelection::ForPage(b.page)).region;
    p.AddFodder(TSelection::ForRegion(b.region), fkSingleText);
    p.AddFodder(TSelection::ForRegion(other), fkTime);
    p.AddFodder(TSelection::ForRegion(b.region), fkMultiText);
    QCOMPARE(listOrder(p), (QStringList{"single-text1", "multi_text1", "time1"}));
    TFodder *queue = p.AddFodder(TSelection::ForRegion(b.region), fkQueue).fodder;
    QVERIFY(queue);
    QCOMPARE(p.FoddersOfRegion(b.region).first(), queue);
    QCOMPARE(listOrder(p), (QStringList{"window_no1", "single-text1", "multi_text1", "time1"}));
    // a queue into an empty region goes to the end of the list
    TRegion *empty = p.AddRegion(TSelection::ForPage(b.page)).region;
    p.AddFodder(TSelection::ForRegion(empty), fkQueue);
    QCOMPARE(listOrder(p).last(), QStringLiteral("window_no2"));
}

void TestProjectModel::insertBeforeSelectedMaterial()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    Built b = pageWithRegion(p, QStringLiteral("C"));
    TFodder *first = p.AddFodder(TSelection::ForRegion(b.region), fkSingleText).fodder;
    TFodder *second = p.AddFodder(TSelection::ForRegion(b.region), fkSingleText).fodder;
    QCOMPARE(names(p.FoddersOfRegion(b.region)), (QStringList{"single-text1", "single-text2"}));
    // the selected material is not the tree's last node: the new one goes before it
    p.AddFodder(TSelection::ForFodder(first), fkTime);
    QCOMPARE(names(p.FoddersOfRegion(b.region)), (QStringList{"time1", "single-text1", "single-text2"}));
    // the selected material is the last node of the whole tree: after it
    p.AddFodder(TSelection::ForFodder(second), fkMultiText);
    QCOMPARE(names(p.FoddersOfRegion(b.region)),
             (QStringList{"time1", "single-text1", "single-text2", "multi_text1"}));
    // with a later region the same material is no longer last: before it
    TRegion *later = p.AddRegion(TSelection::ForPage(b.page)).region;
    QVERIFY(later);
    TFodder *last = p.FoddersOfRegion(b.region).last();
    p.AddFodder(TSelection::ForFodder(last), fkInnerCode);
    QCOMPARE(names(p.FoddersOfRegion(b.region)),
             (QStringList{"time1", "single-text1", "single-text2", "internal_code_word1", "multi_text1"}));
}

void TestProjectModel::addableKinds()
{
    TProject p;
    setupProject(p);
    TFIXModem *card = addCard(p, QStringLiteral("C"));
    Built first = pageWithRegion(p, QStringLiteral("C"));
    Built second = pageWithRegion(p, QStringLiteral("C"));
    auto can = p.AddableKinds(first.region);
    for (bool c : can)
        QVERIFY(c);
    QVERIFY(!p.AddableKinds(second.region)[fkQueue]);
    QVERIFY(p.AddableKinds(second.region)[fkSingleText]);
    QVERIFY(!p.AddFodder(TSelection::ForRegion(second.region), fkQueue).ok());

    card->SetCapabilityBytes(0x0E, 0x1F); // no queue, no pictures and texts
    can = p.AddableKinds(first.region);
    QVERIFY(!can[fkQueue]);
    QVERIFY(!can[fkSingleText] && !can[fkMultiText] && !can[fkPictureGroup] && !can[fkTable]);
    QVERIFY(can[fkRealTime] && can[fkAnimation] && can[fkTime] && can[fkCountUp] && can[fkInnerCode]);
    QVERIFY(!p.AddFodder(TSelection::ForRegion(first.region), fkSingleText).ok());
    card->SetCapabilityBytes(0x1F, 0x0C); // no remote text, no count, inner code and time bits cleared
    can = p.AddableKinds(first.region);
    QVERIFY(!can[fkRemoteText] && !can[fkTime]);
    QVERIFY(can[fkCountUp] && can[fkCountDown] && can[fkInnerCode] == false);

    // a card node without a card object: no real-time data, queue or remote text
    TProgram *page = p.AddPage(TSelection::ForCard(QStringLiteral("NewCard"))).page;
    TRegion *region = p.AddRegion(TSelection::ForPage(page), QSize(240, 112)).region;
    QCOMPARE(region->Width, 120);
    can = p.AddableKinds(region);
    QVERIFY(!can[fkRealTime] && !can[fkQueue] && !can[fkRemoteText]);
    QVERIFY(can[fkSingleText] && can[fkAnimation]);
}

void TestProjectModel::remoteTextOncePerCard()
{
    TProject p;
    setupProject(p);
    TFIXModem *card = addCard(p, QStringLiteral("C"));
    Built a = pageWithRegion(p, QStringLiteral("C"));
    Built b = pageWithRegion(p, QStringLiteral("C"));
    FakeUi ui;
    QVERIFY(p.AddFodder(TSelection::ForRegion(a.region), fkRemoteText).ok());
    QVERIFY(!card->RemoteTextFree);
    QVERIFY(!p.AddableKinds(b.region)[fkRemoteText]);
    QVERIFY(!p.AddFodder(TSelection::ForRegion(b.region), fkRemoteText).ok());
    // deleting the page that holds it frees it
    QVERIFY(p.DeletePage(a.page, ui));
    QVERIFY(card->RemoteTextFree);
    QVERIFY(p.AddableKinds(b.region)[fkRemoteText]);
    TFodder *remote = p.AddFodder(TSelection::ForRegion(b.region), fkRemoteText).fodder;
    QVERIFY(remote);
    QVERIFY(p.DeleteFodder(remote, ui));
    QVERIFY(card->RemoteTextFree);
    QVERIFY(p.AddFodder(TSelection::ForRegion(b.region), fkRemoteText).ok());
    QVERIFY(p.DeleteRegion(b.region, ui));
    QVERIFY(card->RemoteTextFree);
    QVERIFY(p.Fodders.empty());
}

void TestProjectModel::renameRegionThenDeleteMaterial()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    Built b = pageWithRegion(p, QStringLiteral("C"));
    TFodder *f = p.AddFodder(TSelection::ForRegion(b.region), fkSingleText).fodder;
    QCOMPARE(p.RenameRegion(b.region, QStringLiteral("Left")), QStringLiteral("Left"));
    QCOMPARE(f->RegionName, QStringLiteral("Left"));
    // the tree finds the material by card, page, region and name
    TFodder *found = p.FindFodder(QStringLiteral("C"), b.page->PageName, QStringLiteral("Left"), f->FodderName);
    QCOMPARE(found, f);
    FakeUi ui;
    QVERIFY(p.DeleteFodder(found, ui));
    QCOMPARE(ui.asked, QStringList{"dlg_del_material"});
    QVERIFY(p.Fodders.empty());
    QCOMPARE(p.Regions.size(), size_t(1));
}

void TestProjectModel::samNamesOnTwoPages()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    Built one = pageWithRegion(p, QStringLiteral("C"));
    Built two = pageWithRegion(p, QStringLiteral("C"));
    QCOMPARE(one.region->RegionName, two.region->RegionName);
    TFodder *f1 = p.AddFodder(TSelection::ForRegion(one.region), fkSingleText).fodder;
    TFodder *f2 = p.AddFodder(TSelection::ForRegion(two.region), fkSingleText).fodder;
    QVERIFY(p.RenameFodder(f2, f1->FodderName) == f1->FodderName); // allowed: other region
    TFodder *found = p.FindFodder(QStringLiteral("C"), two.page->PageName, two.region->RegionName, f1->FodderName);
    QCOMPARE(found, f2);
    FakeUi ui;
    QVERIFY(p.DeleteFodder(found, ui));
    QCOMPARE(p.Fodders.size(), size_t(1));
    QCOMPARE(p.Fodders.front().get(), f1);
    QCOMPARE(p.FoddersOfRegion(one.region), QList<TFodder *>{f1});
}

void TestProjectModel::deleteCascadesWithinCard()
{
    TProject p;
    setupProject(p);
    TFIXModem *c = addCard(p, QStringLiteral("C"));
    Built a = pageWithRegion(p, QStringLiteral("C"));
    Built b = pageWithRegion(p, QStringLiteral("C"));
    p.AddFodder(TSelection::ForRegion(a.region), fkSingleText);
    p.AddFodder(TSelection::ForRegion(a.region), fkTime);
    TFodder *keep = p.AddFodder(TSelection::ForRegion(b.region), fkTime).fodder;
    // a second card with the same identifiers (one program file for both)
    addCard(p, QStringLiteral("D"));
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("D"), ProgramFile::Write(p, QStringLiteral("C"))).status,
             ProgramFile::TLoadResult::Loaded);
    QCOMPARE(p.Fodders.size(), size_t(6));
    c->Modified = false;
    FakeUi ui;
    QVERIFY(p.DeletePage(a.page, ui));
    QCOMPARE(ui.asked, QStringList{"dlg_del_page"});
    QVERIFY(c->Modified);
    QCOMPARE(p.PagesOfCard(QStringLiteral("C")), QList<TProgram *>{b.page});
    QCOMPARE(p.FoddersOfCard(QStringLiteral("C")), QList<TFodder *>{keep});
    QCOMPARE(p.FoddersOfCard(QStringLiteral("D")).size(), 3);
    QCOMPARE(p.PagesOfCard(QStringLiteral("D")).size(), 2);

    QVERIFY(p.DeleteRegion(b.region, ui));
    QVERIFY(p.FoddersOfCard(QStringLiteral("C")).isEmpty());
    QCOMPARE(p.FoddersOfCard(QStringLiteral("D")).size(), 3);

    QVERIFY(p.DeleteCard(QStringLiteral("D"), ui));
    QCOMPARE(p.Cards.Count(), 1);
    QVERIFY(p.PagesOfCard(QStringLiteral("D")).isEmpty());
    QVERIFY(p.Fodders.empty());
    QCOMPARE(p.Pages.size(), size_t(1));
}

void TestProjectModel::deleteAnsweredNo()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    Built b = pageWithRegion(p, QStringLiteral("C"));
    TFodder *f = p.AddFodder(TSelection::ForRegion(b.region), fkSingleText).fodder;
    FakeUi ui;
    ui.defaultAnswer = false;
    QVERIFY(!p.DeleteFodder(f, ui));
    QVERIFY(!p.DeleteRegion(b.region, ui));
    QVERIFY(!p.DeletePage(b.page, ui));
    QVERIFY(!p.DeleteCard(QStringLiteral("C"), ui));
    QCOMPARE(ui.asked, (QStringList{"dlg_del_material", "dlg_del_area", "dlg_del_page", "dlg_del_card"}));
    QCOMPARE(p.Fodders.size(), size_t(1));
    QCOMPARE(p.Regions.size(), size_t(1));
    QCOMPARE(p.Pages.size(), size_t(1));
    QCOMPARE(p.Cards.Count(), 1);
}

void TestProjectModel::renameCollisions()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    addCard(p, QStringLiteral("D"));
    Built a = pageWithRegion(p, QStringLiteral("C"));
    Built b = pageWithRegion(p, QStringLiteral("C"));
    TRegion *r2 = p.AddRegion(TSelection::ForPage(a.page)).region;
    TFodder *f1 = p.AddFodder(TSelection::ForRegion(a.region), fkSingleText).fodder;
    TFodder *f2 = p.AddFodder(TSelection::ForRegion(a.region), fkSingleText).fodder;

    // ignored: empty and unchanged
    QCOMPARE(p.RenamePage(b.page, QString()), b.page->PageName);
    QCOMPARE(p.RenamePage(b.page, b.page->PageName), b.page->PageName);
    // page: pages in the list + 1 = 3
    QCOMPARE(p.RenamePage(b.page, a.page->PageName), QStringLiteral("show_page3"));
    // region: regions in the list + 1 = 4
    QCOMPARE(p.RenameRegion(r2, a.region->RegionName), QStringLiteral("area4"));
    // a region of another page may have the name
    QCOMPARE(p.RenameRegion(b.region, a.region->RegionName), a.region->RegionName);
    // material: materials in the list + 1 = 3
    QCOMPARE(p.RenameFodder(f2, f1->FodderName), QStringLiteral("file3"));
    // card: cards + 1 = 3
    QCOMPARE(p.RenameCard(QStringLiteral("D"), QStringLiteral("C")), QStringLiteral("card3"));
    QVERIFY(p.FindCard(QStringLiteral("card3")));
    // counting goes on while the candidate is taken
    QCOMPARE(p.RenameCard(QStringLiteral("C"), QStringLiteral("card3")), QStringLiteral("card4"));
}

void TestProjectModel::renameCardFollows()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    Built a = pageWithRegion(p, QStringLiteral("C"));
    TFodder *f = p.AddFodder(TSelection::ForRegion(a.region), fkSingleText).fodder;
    QCOMPARE(p.RenameCard(QStringLiteral("C"), QStringLiteral("Lobby")), QStringLiteral("Lobby"));
    QCOMPARE(a.page->CardName, QStringLiteral("Lobby"));
    QCOMPARE(a.region->CardName, QStringLiteral("Lobby"));
    QCOMPARE(f->CardName, QStringLiteral("Lobby"));
    QCOMPARE(p.RenamePage(a.page, QStringLiteral("Morning")), QStringLiteral("Morning"));
    QCOMPARE(a.region->PageName, QStringLiteral("Morning"));
    QCOMPARE(f->PageName, QStringLiteral("Morning"));
    QCOMPARE(p.FindFodder(QStringLiteral("Lobby"), QStringLiteral("Morning"), a.region->RegionName, f->FodderName), f);
    QVERIFY(p.FindCard(QStringLiteral("Lobby"))->Modified);
}

void TestProjectModel::resizeEmptiesPlaybill()
{
    TProject p;
    setupProject(p);
    TFIXModem *c = addCard(p, QStringLiteral("C"));
    addCard(p, QStringLiteral("D"));
    Built a = pageWithRegion(p, QStringLiteral("C"));
    p.AddFodder(TSelection::ForRegion(a.region), fkRemoteText);
    Built d = pageWithRegion(p, QStringLiteral("D"));
    p.AddFodder(TSelection::ForRegion(d.region), fkSingleText);
    c->ProgramFile = QStringLiteral("/tmp/x.prg");
    p.ResizeCardScreen(QStringLiteral("C"), 320, 160);
    QCOMPARE(c->ScreenWidth, 320);
    QCOMPARE(c->ScreenHeight, 160);
    QVERIFY(p.PagesOfCard(QStringLiteral("C")).isEmpty());
    QVERIFY(p.FoddersOfCard(QStringLiteral("C")).isEmpty());
    QVERIFY(c->ProgramFile.isEmpty());
    QVERIFY(c->RemoteTextFree);
    QCOMPARE(p.FoddersOfCard(QStringLiteral("D")).size(), 1);
    QCOMPARE(p.Regions.size(), size_t(1));
}

void TestProjectModel::clearAllResetsCounters()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    Built a = pageWithRegion(p, QStringLiteral("C"));
    p.AddFodder(TSelection::ForRegion(a.region), fkTime);
    auto remotePage = std::make_unique<TProgram>();
    remotePage->RemotePage = 1;
    p.Pages.push_back(std::move(remotePage));
    const int panels = p.PanelCounter;
    p.ClearAll();
    QVERIFY(p.Cards.IsEmpty() && p.Pages.empty() && p.Regions.empty() && p.Fodders.empty());
    QCOMPARE(p.KindCounters[fkTime], 0);
    QCOMPARE(p.PanelCounter, panels);
}

void TestProjectModel::moveMaterial()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    Built a = pageWithRegion(p, QStringLiteral("C"));
    TRegion *other = p.AddRegion(TSelection::ForPage(a.page)).region;
    TFodder *f1 = p.AddFodder(TSelection::ForRegion(a.region), fkSingleText).fodder;
    p.AddFodder(TSelection::ForRegion(other), fkTime);
    TFodder *f2 = p.AddFodder(TSelection::ForRegion(a.region), fkMultiText).fodder;
    QCOMPARE(listOrder(p), (QStringList{"single-text1", "multi_text1", "time1"}));
    QVERIFY(p.MoveFodder(f2, -1));
    QCOMPARE(p.FoddersOfRegion(a.region), (QList<TFodder *>{f2, f1}));
    QVERIFY(!p.MoveFodder(f2, -1));
    QVERIFY(!p.MoveFodder(f1, 1));
    QCOMPARE(listOrder(p).last(), QStringLiteral("time1"));
}

void TestProjectModel::remoteTextItemsBelongToNoCard()
{
    // The remote text window keeps its pages and items in the same lists,
    // without a card name; no card operation touches them.
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    Built b = pageWithRegion(p, QStringLiteral("C"));
    p.AddFodder(TSelection::ForRegion(b.region), fkSingleText);
    auto page = std::make_unique<TProgram>();
    page->RemotePage = 1;
    page->PageUID = QStringLiteral("123456789");
    p.Pages.push_back(std::move(page));
    auto item = std::make_unique<TFodder>(TFodder::NewOfKind(fkSingleText, QDateTime()));
    item->TextPageUID = QStringLiteral("123456789");
    item->FodderUID = QStringLiteral("123456790");
    p.Fodders.push_back(std::move(item));

    QVERIFY(p.PagesOfCard(QString()).isEmpty());
    QVERIFY(p.FoddersOfCard(QString()).isEmpty());
    const QByteArray nobody = ProgramFile::Write(p, QString());
    QCOMPARE(nobody, QByteArray("[ProgramList]\r\n[RegionList]\r\n[FodderList]\r\n[TxtContentList]\r\n"));
    p.ClearCard(QString());
    p.RemoveCard(QString());
    p.ClearCard(QStringLiteral("C"));
    QCOMPARE(p.Pages.size(), size_t(1));
    QCOMPARE(p.Fodders.size(), size_t(1));
    QCOMPARE(p.Fodders.front()->FodderUID, QStringLiteral("123456790"));
}
