#include "signstudio/model/playbillfiles.h"
#include "tests/signstudio/model/tst_helpers.h"
#include "tests/signstudio/model/tst_suites.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

struct Env
{
    QTemporaryDir dir;
    TProject project;
    FakeUi ui;
    TPlaybillFiles files{project, ui};

    Env()
    {
        setupProject(project);
        project.SetProgramFolder(dir.path());
        QDir(dir.path()).mkpath(QStringLiteral("prgFiles"));
    }
    QString path(const QString &name) const { return dir.filePath(name); }

    // A card with one page, one region and one single text.
    TFIXModem *cardWithPlaybill(const QString &name)
    {
        TFIXModem *card = addCard(project, name);
        TProgram *page = project.AddPage(TSelection::ForCard(name)).page;
        TRegion *region = project.AddRegion(TSelection::ForPage(page)).region;
        project.AddFodder(TSelection::ForRegion(region), fkSingleText);
        return card;
    }
};

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

} // namespace

void TestPlaybillFiles::saveAllAsksForUnsetFile()
{
    Env env;
    TFIXModem *c = env.cardWithPlaybill(QStringLiteral("C"));
    addCard(env.project, QStringLiteral("NoPages"));
    TFIXModem *kept = env.cardWithPlaybill(QStringLiteral("Kept"));
    TFIXModem *changed = env.cardWithPlaybill(QStringLiteral("Changed"));
    kept->ProgramFile = env.path(QStringLiteral("kept.prg"));
    kept->Modified = false;
    writeRaw(kept->ProgramFile, "OLD");
    changed->ProgramFile = env.path(QStringLiteral("changed.prg"));
    writeRaw(changed->ProgramFile, "OLD");

    env.ui.saveNames = {env.path(QStringLiteral("c"))};
    QVERIFY(env.files.SaveAll(TPlaybillFiles::smNormal));
    // only the card without a file was asked, with its title
    QCOMPARE(env.ui.saveTitles, QStringList{"card[C] playbillsave"});
    const QString cPath = env.path(QStringLiteral("c.prg"));
    QCOMPARE(c->ProgramFile, cPath);
    QVERIFY(!c->Modified);
    QVERIFY(contents(cPath).startsWith("[ProgramList]\r\nshow_page1,"));
    QCOMPARE(env.ui.messages.first(), QStringLiteral("card[C]playbill[") + cPath + QStringLiteral("]saved!"));
    QCOMPARE(contents(kept->ProgramFile), QByteArray("OLD"));
    QVERIFY(contents(changed->ProgramFile).startsWith("[ProgramList]"));
    QVERIFY(!changed->Modified);
    QCOMPARE(env.ui.messages.size(), 2);
    QVERIFY(env.ui.asked.isEmpty());
}

void TestPlaybillFiles::saveAllCancelAndNo()
{
    Env env;
    TFIXModem *a = env.cardWithPlaybill(QStringLiteral("A"));
    TFIXModem *b = env.cardWithPlaybill(QStringLiteral("B"));
    TFIXModem *c = env.cardWithPlaybill(QStringLiteral("C"));
    const QString existing = env.path(QStringLiteral("exists.prg"));
    writeRaw(existing, "OLD");
    // A cancelled, B chooses an existing file and answers No: C is not asked
    env.ui.saveNames = {QString(), existing, env.path(QStringLiteral("c.prg"))};
    env.ui.answers = {false};
    QVERIFY(!env.files.SaveAll(TPlaybillFiles::smNormal));
    QCOMPARE(env.ui.saveTitles.size(), 2);
    QCOMPARE(env.ui.asked, QStringList{"dlg_overwrite_exist_program_file"});
    QCOMPARE(contents(existing), QByteArray("OLD"));
    QVERIFY(a->Modified && b->Modified && c->Modified);
    QVERIFY(!QFile::exists(env.path(QStringLiteral("c.prg"))));
    // Yes overwrites
    env.ui.saveNames = {QString(), existing, QString()};
    env.ui.answers = {true};
    QVERIFY(env.files.SaveAll(TPlaybillFiles::smNormal));
    QVERIFY(contents(existing).startsWith("[ProgramList]"));
    QCOMPARE(b->ProgramFile, existing);
}

void TestPlaybillFiles::saveAllOnExitIsQuiet()
{
    Env env;
    TFIXModem *a = env.cardWithPlaybill(QStringLiteral("A"));
    TFIXModem *b = env.cardWithPlaybill(QStringLiteral("B"));
    b->ProgramFile = env.path(QStringLiteral("b.prg"));
    writeRaw(b->ProgramFile, "OLD");
    env.ui.saveNames = {env.path(QStringLiteral("a.prg"))};
    QVERIFY(env.files.SaveAll(TPlaybillFiles::smOnExit));
    QVERIFY(env.ui.messages.isEmpty());
    QVERIFY(!a->Modified && !b->Modified);
    QVERIFY(contents(b->ProgramFile).startsWith("[ProgramList]"));
}

void TestPlaybillFiles::saveAllSharedFileAsksAgain()
{
    Env env;
    TFIXModem *a = env.cardWithPlaybill(QStringLiteral("A"));
    TFIXModem *b = env.cardWithPlaybill(QStringLiteral("B"));
    const QString shared = env.path(QStringLiteral("shared.prg"));
    writeRaw(shared, "SHARED");
    a->ProgramFile = shared;
    b->ProgramFile = shared;
    b->Modified = false;
    env.ui.saveNames = {env.path(QStringLiteral("own.prg"))};
    QVERIFY(env.files.SaveAll(TPlaybillFiles::smNormal));
    QCOMPARE(env.ui.saveTitles, QStringList{"card[A] playbillsave"});
    QCOMPARE(a->ProgramFile, env.path(QStringLiteral("own.prg")));
    QCOMPARE(contents(shared), QByteArray("SHARED"));
}

void TestPlaybillFiles::saveWithoutMaterialsStillWrites()
{
    Env env;
    TFIXModem *c = addCard(env.project, QStringLiteral("C"));
    TProgram *page = env.project.AddPage(TSelection::ForCard(QStringLiteral("C"))).page;
    env.project.AddRegion(TSelection::ForPage(page));
    QVERIFY(env.project.Fodders.empty());
    const QString path = env.path(QStringLiteral("empty.prg"));
    env.ui.saveNames = {path};
    env.files.SaveAs(TSelection::ForPage(page));
    QCOMPARE(c->ProgramFile, path);
    QVERIFY(!c->Modified);
    // pages and regions are kept even though no card has a material
    const QByteArray bytes = contents(path);
    QVERIFY(bytes.contains("\r\nshow_page1,"));
    QVERIFY(bytes.contains("[RegionList]\r\nshow_page1,"));
    QVERIFY(bytes.endsWith("[FodderList]\r\n[TxtContentList]\r\n"));
}

void TestPlaybillFiles::saveAllKeepsDeletionOfAllPages()
{
    Env env;
    TFIXModem *c = env.cardWithPlaybill(QStringLiteral("C"));
    const QString path = env.path(QStringLiteral("c.prg"));
    QVERIFY(env.files.WritePlaybill(QStringLiteral("C"), path, true));
    env.project.RemovePage(env.project.PagesOfCard(QStringLiteral("C")).first());
    QVERIFY(c->Modified);
    QVERIFY(env.files.SaveAll(TPlaybillFiles::smOnExit));
    QVERIFY(!c->Modified);
    QCOMPARE(contents(path), QByteArray("[ProgramList]\r\n[RegionList]\r\n[FodderList]\r\n[TxtContentList]\r\n"));
    // a card without pages that was not changed is left alone
    addCard(env.project, QStringLiteral("Fresh"))->Modified = true;
    QVERIFY(env.files.SaveAll(TPlaybillFiles::smNormal));
    QVERIFY(env.ui.saveTitles.isEmpty());
}

void TestPlaybillFiles::writeFailureKeepsModifiedFlag()
{
    Env env;
    TFIXModem *c = env.cardWithPlaybill(QStringLiteral("C"));
    c->ProgramFile = QStringLiteral("before.prg");
    const QString bad = env.path(QStringLiteral("no/such/folder/c.prg"));
    QVERIFY(!env.files.WritePlaybill(QStringLiteral("C"), bad, false));
    QCOMPARE(env.ui.messages.size(), 1);
    QVERIFY(env.ui.messages.first().startsWith(QDir::toNativeSeparators(bad) + QStringLiteral(": ")));
    QVERIFY(env.ui.messages.first().size() > bad.size() + 2);
    QVERIFY(c->Modified);
    QCOMPARE(c->ProgramFile, QStringLiteral("before.prg"));
}

void TestPlaybillFiles::failedWriteKeepsOldFile()
{
    // A write that fails half-way (here: a file size limit) leaves the old
    // file as it was.
    Env env;
    TFIXModem *c = env.cardWithPlaybill(QStringLiteral("C"));
    const QString path = env.path(QStringLiteral("c.prg"));
    writeRaw(path, "OLD CONTENT");
    struct rlimit old {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 40;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = env.files.WritePlaybill(QStringLiteral("C"), path, true);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY2(!written, contents(path).constData());
    QCOMPARE(contents(path), QByteArray("OLD CONTENT"));
    QVERIFY(c->Modified);
    QCOMPARE(env.ui.messages.size(), 1);
    QCOMPARE(QDir(env.dir.path()).entryList(QDir::Files), QStringList{"c.prg"});
}

void TestPlaybillFiles::saveAsNeedsSelection()
{
    Env env;
    TFIXModem *c = env.cardWithPlaybill(QStringLiteral("C"));
    env.files.SaveAs(TSelection());
    QCOMPARE(env.ui.messages, QStringList{QString::fromUtf8("请选择要另存的控制卡！")});
    QVERIFY(env.ui.saveTitles.isEmpty());

    const QString existing = env.path(QStringLiteral("x.prg"));
    writeRaw(existing, "OLD");
    env.ui.saveNames = {existing};
    env.ui.answers = {false};
    TRegion *region = env.project.RegionsOfPage(env.project.PagesOfCard(QStringLiteral("C")).first()).first();
    env.files.SaveAs(TSelection::ForRegion(region));
    QCOMPARE(env.ui.saveTitles, QStringList{"card[C] playbillsave"});
    QCOMPARE(contents(existing), QByteArray("OLD"));
    // an unmodified card is written all the same
    c->Modified = false;
    env.ui.saveNames = {existing};
    env.ui.answers = {true};
    env.files.SaveAs(TSelection::ForCard(QStringLiteral("C")));
    QVERIFY(contents(existing).startsWith("[ProgramList]"));
    QCOMPARE(c->ProgramFile, existing);
    QVERIFY(env.ui.messages.last().endsWith(QStringLiteral("saved!")));
}

void TestPlaybillFiles::openNeedsCardAndKeepsThreeRecent()
{
    Env env;
    env.cardWithPlaybill(QStringLiteral("Source"));
    TFIXModem *c = addCard(env.project, QStringLiteral("C"));
    QStringList paths;
    for (int i = 1; i <= 4; ++i) {
        paths << env.path(QStringLiteral("p%1.prg").arg(i));
        QVERIFY(ProgramFile::WriteFile(env.project, QStringLiteral("Source"), paths.last()).isEmpty());
    }
    TProgram *page = env.project.PagesOfCard(QStringLiteral("Source")).first();
    env.ui.openName = paths[0];
    QVERIFY(!env.files.Open(TSelection()));
    QVERIFY(env.ui.messages.isEmpty());
    QVERIFY(!env.files.Open(TSelection::ForPage(page)));
    QCOMPARE(env.ui.messages, QStringList{"warn_card_select_open"});

    for (const QString &p : paths) {
        env.ui.openName = p;
        QVERIFY(env.files.Open(TSelection::ForCard(QStringLiteral("C"))));
    }
    QCOMPARE(env.files.Recent.Paths, paths.mid(1));
    QCOMPARE(c->ProgramFile, paths[3]);
    QCOMPARE(env.files.CurrentProgramFile, paths[3]);
    QCOMPARE(env.project.PagesOfCard(QStringLiteral("C")).size(), 1);
    // opening one file twice lists it twice
    env.ui.openName = paths[3];
    QVERIFY(env.files.Open(TSelection::ForCard(QStringLiteral("C"))));
    QCOMPARE(env.files.Recent.Paths, (QStringList{paths[2], paths[3], paths[3]}));
    env.ui.openName.clear();
    QVERIFY(!env.files.Open(TSelection::ForCard(QStringLiteral("C"))));

    TRecentFiles recent;
    QVERIFY(!recent.Add(QStringLiteral("a")));
    QVERIFY(!recent.Add(QStringLiteral("b")));
    QVERIFY(!recent.Add(QStringLiteral("c")));
    QVERIFY(recent.Add(QStringLiteral("d")));
    QCOMPARE(recent.Paths, (QStringList{"b", "c", "d"}));

    env.ui.messages.clear();
    env.files.OpenRecent(TSelection::ForPage(page), paths[0]);
    QCOMPARE(env.ui.messages, QStringList{"warn_card_select_open"});
    env.files.OpenRecent(TSelection::ForCard(QStringLiteral("C")), paths[0]);
    QCOMPARE(c->ProgramFile, paths[0]);
}

void TestPlaybillFiles::missingFileMessages()
{
    Env env;
    TFIXModem *c = addCard(env.project, QStringLiteral("C"));
    const QString present = env.path(QStringLiteral("here.bmp"));
    writeRaw(present, "x");
    const QString gone = env.path(QStringLiteral("gone.bmp"));
    const QString path = env.path(QStringLiteral("m.prg"));
    writeRaw(path, "[ProgramList]\r\nP,100000001,pn,00:00,24:00,everyday,,-1\r\n[RegionList]\r\n"
                   "P,100000001,R,100000002,pn,0,0,64,32\r\n[FodderList]\r\n"
                   "P,R,100000002,G,100000003,pn,2,1,1,1,1,56,49,49,"
                       + present.toUtf8() + ";" + gone.toUtf8() + ",1,1,1,1,1,1,1,0,0,0,0,0,0,0\r\n");
    const ProgramFile::TLoadResult r = env.files.LoadPlaybill(QStringLiteral("C"), path);
    QCOMPARE(r.status, ProgramFile::TLoadResult::Loaded);
    QCOMPARE(env.ui.messages, QStringList{"file[" + gone + "]dose not exist!Please confirm!"});
    const TFodder *g = env.project.FindFodderByUID(QStringLiteral("C"), QStringLiteral("100000003"));
    QVERIFY(g);
    QCOMPARE(g->PictureFiles, (QList<TFileInfo>{{1, present}}));
    QCOMPARE(c->ProgramFile, path);

    // a failed load shows its message and leaves the card empty
    writeRaw(path, "[ProgramList]\r\nP,1,pn,00:00,24:00\r\n[RegionList]\r\nP,1,R,2,pn,0,0,999,32\r\n");
    env.ui.messages.clear();
    QCOMPARE(env.files.LoadPlaybill(QStringLiteral("C"), path).status, ProgramFile::TLoadResult::Failed);
    QCOMPARE(env.ui.messages, QStringList{"warn_open_load_fail"});
    QVERIFY(env.project.PagesOfCard(QStringLiteral("C")).isEmpty());
    QVERIFY(!c->Modified);
}

void TestPlaybillFiles::loadOfMissingFileChangesNothing()
{
    Env env;
    TFIXModem *c = env.cardWithPlaybill(QStringLiteral("C"));
    c->ProgramFile = QStringLiteral("mine.prg");
    const ProgramFile::TLoadResult r = env.files.LoadPlaybill(QStringLiteral("C"), env.path(QStringLiteral("none.prg")));
    QCOMPARE(r.status, ProgramFile::TLoadResult::NotFound);
    QCOMPARE(env.project.FoddersOfCard(QStringLiteral("C")).size(), 1);
    QCOMPARE(c->ProgramFile, QStringLiteral("mine.prg"));
    QVERIFY(c->Modified);
    QVERIFY(env.ui.messages.isEmpty());
}

void TestPlaybillFiles::newPlaybillHasOnePage()
{
    Env env;
    TFIXModem *c = env.cardWithPlaybill(QStringLiteral("C"));
    env.project.AddPage(TSelection::ForCard(QStringLiteral("C")));
    c->ProgramFile = QStringLiteral("old.prg");
    TProgram *page = env.project.PagesOfCard(QStringLiteral("C")).first();
    QVERIFY(!env.files.NewPlaybill(TSelection::ForPage(page)).ok());
    QCOMPARE(env.project.PagesOfCard(QStringLiteral("C")).size(), 2);
    const TAddResult r = env.files.NewPlaybill(TSelection::ForCard(QStringLiteral("C")));
    QVERIFY(r.ok());
    QCOMPARE(env.project.PagesOfCard(QStringLiteral("C")), QList<TProgram *>{r.page});
    QCOMPARE(r.page->PageName, QStringLiteral("show_page1"));
    QVERIFY(env.project.Regions.empty() && env.project.Fodders.empty());
    QVERIFY(c->ProgramFile.isEmpty());
    QVERIFY(c->Modified);
}
