#include "common/base/codepage.h"
#include "signstudio/model/programfile.h"
#include "signstudio/model/project.h"
#include "tests/signstudio/model/tst_helpers.h"
#include "tests/signstudio/model/tst_suites.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray readData(const QString &name)
{
    QFile f(QStringLiteral(SIGN_TEST_DATA_DIR "/model/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

TProgram *addPage(TProject &p, const QString &card, const QString &name, const QString &uid)
{
    auto page = std::make_unique<TProgram>();
    page->CardName = card;
    page->PageName = name;
    page->PageUID = uid;
    page->PanelName = QStringLiteral("pnProgram1");
    page->WeekDays = QStringLiteral("everyday");
    TProgram *raw = page.get();
    p.Pages.push_back(std::move(page));
    return raw;
}

TRegion *addRegion(TProject &p, TProgram *page, const QString &name, const QString &uid, int l, int t, int w, int h)
{
    auto r = std::make_unique<TRegion>();
    r->CardName = page->CardName;
    r->PageName = page->PageName;
    r->PageUID = page->PageUID;
    r->RegionName = name;
    r->RegionUID = uid;
    r->PanelName = QStringLiteral("pnRegion");
    r->Left = l;
    r->Top = t;
    r->Width = w;
    r->Height = h;
    TRegion *raw = r.get();
    p.Regions.push_back(std::move(r));
    return raw;
}

TFodder *addFodder(TProject &p, TRegion *region, int kind, const QString &name, const QString &uid)
{
    auto f = std::make_unique<TFodder>(TFodder::NewOfKind(kind, QDateTime()));
    f->Content.clear();
    f->CardName = region->CardName;
    f->PageName = region->PageName;
    f->RegionName = region->RegionName;
    f->RegionUID = region->RegionUID;
    f->FodderName = name;
    f->FodderUID = uid;
    f->PanelName = QStringLiteral("pnFodder");
    TFodder *raw = f.get();
    p.Fodders.push_back(std::move(f));
    return raw;
}

// Every stored field of two materials, panel names aside.
void compareFodders(const TFodder *a, const TFodder *b)
{
    QCOMPARE(b->PageName, a->PageName);
    QCOMPARE(b->RegionName, a->RegionName);
    QCOMPARE(b->RegionUID, a->RegionUID);
    QCOMPARE(b->FodderName, a->FodderName);
    QCOMPARE(b->FodderUID, a->FodderUID);
    QCOMPARE(b->Kind, a->Kind);
    QCOMPARE(b->PlayTimes, a->PlayTimes);
    QCOMPARE(b->DisplayMode, a->DisplayMode);
    QCOMPARE(b->DisplaySpeed, a->DisplaySpeed);
    QCOMPARE(b->StayTime, a->StayTime);
    QCOMPARE(b->TypeCode, a->TypeCode);
    QCOMPARE(b->ExtraByte1, a->ExtraByte1);
    QCOMPARE(b->ExtraByte2, a->ExtraByte2);
    QCOMPARE(b->PictureFiles, a->PictureFiles);
    QCOMPARE(b->DigitColor, a->DigitColor);
    QCOMPARE(b->CharColor, a->CharColor);
    QCOMPARE(b->FontCode, a->FontCode);
    QCOMPARE(b->FontSizeCode, a->FontSizeCode);
    QCOMPARE(b->FormatCode, a->FormatCode);
    QCOMPARE(b->FormatCode2, a->FormatCode2);
    QCOMPARE(b->OptionCode, a->OptionCode);
    QCOMPARE(b->Number1, a->Number1);
    QCOMPARE(b->Number2, a->Number2);
    QCOMPARE(b->RowSpan, a->RowSpan);
    QCOMPARE(b->VerAlign, a->VerAlign);
    QCOMPARE(b->LineColor, a->LineColor);
    QCOMPARE(b->LineWidth, a->LineWidth);
    QCOMPARE(b->YAxisPos, a->YAxisPos);
    QCOMPARE(b->Content, a->Content);
    QCOMPARE(b->FixedText, QStringLiteral("10"));
}

// One page and one region on a 128 x 64 card "C", ready for material lines.
QByteArray withFodderLine(const QByteArray &line)
{
    return "[ProgramList]\r\nP,100000001,pn,00:00,24:00,everyday,,-1\r\n[RegionList]\r\n"
           "P,100000001,R,100000002,pn,0,0,64,32\r\n[FodderList]\r\n"
        + line + "\r\n";
}

struct CodePageGuard
{
    CodePageGuard() { CodePage::SetOverride("GBK"); }
    ~CodePageGuard() { CodePage::SetOverride(QByteArray()); }
};

} // namespace

void TestProgramFile::writesHandWrittenLayout()
{
    CodePageGuard gbk;
    TProject p;
    setupProject(p);
    p.SetProgramFolder(QStringLiteral("/opt/sign"));
    addCard(p, u("卡1"), 128, 64);
    addCard(p, QStringLiteral("Other"), 128, 64);
    TProgram *page = addPage(p, u("卡1"), u("节目1"), QStringLiteral("111111111"));
    page->PanelName = QStringLiteral("pnProgram1");
    page->StartTime = QStringLiteral("08:00");
    page->EndTime = QStringLiteral("18:00");
    page->WeekDays = u("每天");
    page->PlayDate = QStringLiteral("2026-05-01 08:30:00");
    page->DateMode = 1;
    TProgram *remote = addPage(p, u("卡1"), QStringLiteral("remote"), QStringLiteral("999999999"));
    remote->RemotePage = 1;
    TProgram *other = addPage(p, QStringLiteral("Other"), QStringLiteral("OtherPage"), QStringLiteral("888888888"));
    TRegion *r1 = addRegion(p, page, u("区域 1"), QStringLiteral("222222221"), 100, 0, 40, 32);
    r1->PanelName = QStringLiteral("pnRegion2");
    TRegion *r2 = addRegion(p, page, u("区域2"), QStringLiteral("222222222"), 130, 10, 16, 60);
    r2->PanelName = QStringLiteral("pnRegion3");
    addRegion(p, other, QStringLiteral("OtherRegion"), QStringLiteral("888888889"), 0, 0, 8, 8);
    TFodder *f1 = addFodder(p, r1, fkSingleText, u("单行文本1"), QStringLiteral("333333331"));
    f1->PanelName = QStringLiteral("pnSglTxt4");
    f1->Content = u("第一行\r\n第二行 ");
    TFodder *f2 = addFodder(p, r2, fkTable, u("表格1"), QStringLiteral("333333332"));
    f2->PanelName = QStringLiteral("pnTbl5");
    f2->PlayTimes = 2;
    f2->DisplayMode = 3;
    f2->DisplaySpeed = 4;
    f2->StayTime = 5;
    f2->ExtraByte1 = 49;
    f2->ExtraByte2 = 50;
    f2->SetFileNames({u("/opt/sign/tblFiles/表1__1.bmp")});
    f2->DigitColor = 2;
    f2->CharColor = 3;
    f2->FontCode = 4;
    f2->FontSizeCode = 5;
    f2->FormatCode = 6;
    f2->FormatCode2 = 7;
    f2->OptionCode = 8;
    f2->Number1 = 9;
    f2->Number2 = 10;
    f2->RowSpan = 11;
    f2->VerAlign = 12;
    f2->LineColor = 13;
    f2->LineWidth = 14;
    f2->YAxisPos = 15;
    TFodder *small = addFodder(p, r2, fkSingleText, QStringLiteral("small"), QStringLiteral("333333333"));
    small->TypeCode = 5;
    small->Content = QStringLiteral("never written");

    const QByteArray expected = readData(QStringLiteral("written.prg"));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(ProgramFile::Write(p, u("卡1")), expected);
    // clipping is only in the file
    QCOMPARE(r1->Width, 40);
    QCOMPARE(r2->Left, 130);
    QCOMPARE(r2->Height, 60);
}

void TestProgramFile::readsHandWrittenChineseFile()
{
    CodePageGuard gbk;
    TProject p;
    setupProject(p);
    TFIXModem *card = addCard(p, u("卡"), 128, 64);
    card->Modified = true;
    const QString path = QStringLiteral(SIGN_TEST_DATA_DIR "/model/chinese.prg");
    const ProgramFile::TLoadResult r = ProgramFile::LoadFile(p, u("卡"), path);
    QCOMPARE(r.status, ProgramFile::TLoadResult::Loaded);
    QCOMPARE(card->ProgramFile, path);
    QVERIFY(!card->Modified);
    QCOMPARE(r.missingFiles, (QStringList{"missing_a.bmp", "missing b.bmp"}));

    const QList<TProgram *> pages = p.PagesOfCard(u("卡"));
    QCOMPARE(pages.size(), 2);
    QCOMPARE(pages[0]->PageName, u("节目1"));
    QCOMPARE(pages[0]->PageUID, QStringLiteral("101010101"));
    QCOMPARE(pages[0]->StartTime, QStringLiteral("08:00"));
    QCOMPARE(pages[0]->EndTime, QStringLiteral("18:00"));
    QCOMPARE(pages[0]->WeekDays, QStringLiteral("1;2;3;4;5"));
    QCOMPARE(pages[0]->PlayDate, QString());
    QCOMPARE(pages[0]->DateMode, 2);
    QVERIFY(pages[0]->PanelName.startsWith(QStringLiteral("pnProgram")));
    QVERIFY(pages[0]->PanelName != QStringLiteral("pnProgram1")); // regenerated
    QCOMPARE(pages[1]->PageName, u("第二页"));
    QCOMPARE(pages[1]->WeekDays, u("每天"));
    QCOMPARE(pages[1]->PlayDate, QStringLiteral("2026-05-01 08:30:00"));
    QCOMPARE(pages[1]->DateMode, 0);

    const QList<TRegion *> regions = p.RegionsOfPage(pages[0]);
    QCOMPARE(regions.size(), 2);
    QCOMPARE(regions[1]->RegionName, u("区域2"));
    QCOMPARE(regions[1]->Left, 64);
    QCOMPARE(regions[1]->Width, 64);
    QCOMPARE(regions[1]->Height, 32);
    QCOMPARE(regions[1]->RegionUID, QStringLiteral("202020202"));
    const QList<TRegion *> second = p.RegionsOfPage(pages[1]);
    QCOMPARE(second.size(), 1);
    QCOMPARE(second[0]->RegionName, u("左 区"));

    // the queue plays first in its region
    const QList<TFodder *> first = p.FoddersOfRegion(regions[0]);
    QCOMPARE(first.size(), 2);
    QCOMPARE(first[0]->FodderName, u("排队1"));
    QCOMPARE(first[0]->Kind, int(fkQueue));
    QCOMPARE(first[0]->DisplaySpeed, 8);
    QCOMPARE(first[0]->CharColor, 3);
    QCOMPARE(first[0]->FormatCode2, 2);
    QCOMPARE(first[1]->FodderName, u("单行文本1"));
    QCOMPARE(first[1]->Content, u("欢迎光临 本店\r\n第二行\t制表=等号"));
    QCOMPARE(first[1]->FixedText, QStringLiteral("10"));

    const TFodder *time = p.FoddersOfRegion(regions[1]).value(0);
    QVERIFY(time);
    const QList<int> got = {time->PlayTimes, time->DisplayMode, time->DisplaySpeed, time->StayTime, time->TypeCode,
                            time->ExtraByte1, time->ExtraByte2, time->DigitColor, time->CharColor, time->FontCode,
                            time->FontSizeCode, time->FormatCode, time->FormatCode2, time->OptionCode,
                            time->Number1, time->Number2, time->RowSpan, time->VerAlign, time->LineColor,
                            time->LineWidth, time->YAxisPos};
    QCOMPARE(got, (QList<int>{2, 3, 4, 5, 49, 50, 51, 2, 3, 3, 2, 4, 5, 1, 8, 30, 1, 1, 2, 3, 4}));
    QVERIFY(time->Content.isEmpty());

    const TFodder *picture = p.FoddersOfRegion(second[0]).value(0);
    QVERIFY(picture);
    QCOMPARE(picture->RegionName, u("左 区"));
    QVERIFY(picture->PictureFiles.isEmpty());

    QCOMPARE(p.KindCounters[fkSingleText], 1);
    QCOMPARE(p.KindCounters[fkQueue], 1);
    QCOMPARE(p.KindCounters[fkTime], 1);
    QCOMPARE(p.KindCounters[fkPictureGroup], 1);
    QCOMPARE(p.KindCounters[fkTable], 0);
}

void TestProgramFile::roundTripEveryKindAndField()
{
    CodePageGuard gbk;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto makeFile = [&](const QString &name) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write("x");
        return f.fileName();
    };
    const QString pic1 = makeFile(QStringLiteral("a b.bmp"));
    const QString pic2 = makeFile(u("图 2.bmp"));
    const QString tab = makeFile(QStringLiteral("tab\there.bmp"));
    QVERIFY(!pic1.isEmpty() && !pic2.isEmpty() && !tab.isEmpty());

    TProject p;
    setupProject(p);
    p.SetProgramFolder(dir.path());
    addCard(p, QStringLiteral("A"), 256, 128);
    addCard(p, QStringLiteral("B"), 256, 128);
    TProgram *page = addPage(p, QStringLiteral("A"), u("我的 页"), QStringLiteral("100000001"));
    page->StartTime = QStringLiteral("07:15");
    page->EndTime = QStringLiteral("22:45");
    page->WeekDays = QStringLiteral("0;3;6");
    page->DateMode = 2;
    TProgram *page2 = addPage(p, QStringLiteral("A"), QStringLiteral("Second"), QStringLiteral("100000002"));
    page2->PlayDate = QStringLiteral("2026/1/5 7:08:09");
    page2->DateMode = 0;
    TRegion *region = addRegion(p, page, QStringLiteral("R 1"), QStringLiteral("100000003"), 8, 4, 128, 64);
    TRegion *region2 = addRegion(p, page2, QStringLiteral("R 1"), QStringLiteral("100000004"), 0, 0, 256, 128);
    for (int kind = 0; kind < kFodderKindCount; ++kind) {
        TFodder *f = addFodder(p, kind % 2 ? region2 : region, kind, QStringLiteral("m %1").arg(kind),
                               QStringLiteral("2000000%1").arg(kind, 2, 10, QLatin1Char('0')));
        int v = 100 * kind;
        for (int *field : {&f->PlayTimes, &f->DisplayMode, &f->DisplaySpeed, &f->StayTime, &f->ExtraByte1,
                           &f->ExtraByte2, &f->DigitColor, &f->CharColor, &f->FontCode, &f->FontSizeCode,
                           &f->FormatCode, &f->FormatCode2, &f->OptionCode, &f->Number1, &f->Number2,
                           &f->RowSpan, &f->VerAlign, &f->LineColor, &f->LineWidth, &f->YAxisPos})
            *field = ++v;
        f->Number2 = -7; // a lag can be negative
        if (kind == fkPictureGroup || kind == fkTable || kind == fkRemoteText)
            f->SetFileNames({pic1, pic2, tab});
        if (kind != fkPictureGroup)
            f->Content = QStringLiteral("content of %1 = \"x\", y\r\nnext\tline").arg(kind);
    }
    // a queue placed first in its region keeps its place
    std::rotate(p.Fodders.begin(), p.Fodders.begin() + fkQueue, p.Fodders.begin() + fkQueue + 1);

    const QByteArray bytes = ProgramFile::Write(p, QStringLiteral("A"));
    const ProgramFile::TLoadResult r = ProgramFile::Read(p, QStringLiteral("B"), bytes);
    QCOMPARE(r.status, ProgramFile::TLoadResult::Loaded);
    QVERIFY(r.missingFiles.isEmpty());

    const QList<TProgram *> a = p.PagesOfCard(QStringLiteral("A"));
    const QList<TProgram *> b = p.PagesOfCard(QStringLiteral("B"));
    QCOMPARE(b.size(), a.size());
    for (int i = 0; i < a.size(); ++i) {
        QCOMPARE(b[i]->PageName, a[i]->PageName);
        QCOMPARE(b[i]->PageUID, a[i]->PageUID);
        QCOMPARE(b[i]->StartTime, a[i]->StartTime);
        QCOMPARE(b[i]->EndTime, a[i]->EndTime);
        QCOMPARE(b[i]->WeekDays, a[i]->WeekDays);
        QCOMPARE(b[i]->PlayDate, a[i]->PlayDate);
        QCOMPARE(b[i]->DateMode, a[i]->DateMode);
        const QList<TRegion *> ra = p.RegionsOfPage(a[i]);
        const QList<TRegion *> rb = p.RegionsOfPage(b[i]);
        QCOMPARE(rb.size(), ra.size());
        for (int j = 0; j < ra.size(); ++j) {
            QCOMPARE(rb[j]->RegionName, ra[j]->RegionName);
            QCOMPARE(rb[j]->RegionUID, ra[j]->RegionUID);
            QCOMPARE(QRect(rb[j]->Left, rb[j]->Top, rb[j]->Width, rb[j]->Height),
                     QRect(ra[j]->Left, ra[j]->Top, ra[j]->Width, ra[j]->Height));
            const QList<TFodder *> fa = p.FoddersOfRegion(ra[j]);
            const QList<TFodder *> fb = p.FoddersOfRegion(rb[j]);
            QCOMPARE(fb.size(), fa.size());
            for (int k = 0; k < fa.size(); ++k) {
                compareFodders(fa[k], fb[k]);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }
    // what the second card writes reads back into the same file again,
    // panel names aside
    auto withoutPanels = [](QByteArray file) {
        QList<QByteArray> lines = file.split('\n');
        for (QByteArray &line : lines) {
            QList<QByteArray> f = line.split(',');
            for (QByteArray &field : f)
                if (field.startsWith("pn"))
                    field = "pn";
            line = f.join(',');
        }
        return lines.join('\n');
    };
    addCard(p, QStringLiteral("C"), 256, 128);
    const QByteArray fromB = ProgramFile::Write(p, QStringLiteral("B"));
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), fromB).status, ProgramFile::TLoadResult::Loaded);
    QCOMPARE(withoutPanels(ProgramFile::Write(p, QStringLiteral("C"))), withoutPanels(fromB));
    QCOMPARE(fromB.count('\n'), bytes.count('\n'));
}

void TestProgramFile::roundTripContent_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("plain") << "Hello" << "Hello";
    QTest::newRow("equals signs") << "a=b==c" << "a=b==c";
    QTest::newRow("line breaks") << "one\r\ntwo\r\n\r\nthree" << "one\r\ntwo\r\n\r\nthree";
    QTest::newRow("bare line feed") << "one\ntwo" << "one\r\ntwo";
    QTest::newRow("tabs and blanks inside") << "a\tb  c" << "a\tb  c";
    QTest::newRow("leading blanks") << "   lead" << "   lead";
    QTest::newRow("trailing blanks kept") << "trail   " << "trail   ";
    QTest::newRow("trailing tab kept") << "trail\t" << "trail\t";
    QTest::newRow("only a blank") << " " << " ";
    QTest::newRow("trailing line break") << "end\r\n" << "end\r\n";
    QTest::newRow("chinese") << QString::fromUtf8("中文 内容，标点") << QString::fromUtf8("中文 内容，标点");
    QTest::newRow("header text") << "[FodderList]" << "[FodderList]";
    QTest::newRow("comment marks") << "//not a comment" << "//not a comment";
    QTest::newRow("quotes and commas") << "\"a\",b,,c" << "\"a\",b,,c";
}

void TestProgramFile::roundTripContent()
{
    QFETCH(QString, content);
    QFETCH(QString, readBack);
    CodePageGuard gbk;
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("A"));
    addCard(p, QStringLiteral("B"));
    TProgram *page = addPage(p, QStringLiteral("A"), QStringLiteral("P"), QStringLiteral("100000001"));
    TRegion *region = addRegion(p, page, QStringLiteral("R"), QStringLiteral("100000002"), 0, 0, 16, 16);
    addFodder(p, region, fkMultiText, QStringLiteral("M"), QStringLiteral("100000003"))->Content = content;
    QBuffer buffer;
    buffer.setData(ProgramFile::Write(p, QStringLiteral("A")));
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("B"), buffer).status, ProgramFile::TLoadResult::Loaded);
    const TFodder *f = p.FindFodderByUID(QStringLiteral("B"), QStringLiteral("100000003"));
    QVERIFY(f);
    QCOMPARE(f->Content, readBack);
}

void TestProgramFile::markersInContentAndFiles()
{
    CodePageGuard gbk;
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"), 128, 64);
    // content that itself holds the markers reads back with what they stand for
    const QByteArray file = withFodderLine(
        "P,R,100000002,M,100000003,pn,1,1,1,1,1,56,49,49,,1,1,1,1,1,1,1,0,0,0,0,0,0,0")
        + "[TxtContentList]\r\n100000003=a*?b$&c" + CodePage::Encode(QString::fromUtf8("※")) + "d   \r\n";
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), file).status, ProgramFile::TLoadResult::Loaded);
    const TFodder *f = p.FindFodderByUID(QStringLiteral("C"), QStringLiteral("100000003"));
    QVERIFY(f);
    // blanks at the end of a hand-written line are trimmed away
    QCOMPARE(f->Content, QStringLiteral("a\r\nb\tc d"));
    // a content line without text, and one for no material, change nothing
    const QByteArray more = withFodderLine(
        "P,R,100000002,M,100000003,pn,1,1,1,1,1,56,49,49,,1,1,1,1,1,1,1,0,0,0,0,0,0,0")
        + "[TxtContentList]\r\n100000003=\r\n100000003\r\n555=x\r\n";
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), more).status, ProgramFile::TLoadResult::Loaded);
    QVERIFY(p.FindFodderByUID(QStringLiteral("C"), QStringLiteral("100000003"))->Content.isEmpty());
}

void TestProgramFile::awkwardNamesReadBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("blank inside") << "my page";
    QTest::newRow("leading blank") << " lead";
    QTest::newRow("trailing blank") << "trail ";
    QTest::newRow("comma") << "a,b";
    QTest::newRow("leading quote") << "\"quoted\"";
    QTest::newRow("quote inside") << "say \"hi\"";
    QTest::newRow("comment marks") << "//page";
    QTest::newRow("chinese with blank") << QString::fromUtf8("区域 A");
    QTest::newRow("header text") << "[RegionList]";
    QTest::newRow("semicolon") << "a;b";
}

void TestProgramFile::awkwardNamesReadBack()
{
    QFETCH(QString, name);
    CodePageGuard gbk;
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("A"));
    addCard(p, QStringLiteral("B"));
    TProgram *page = addPage(p, QStringLiteral("A"), name, QStringLiteral("100000001"));
    TRegion *region = addRegion(p, page, name, QStringLiteral("100000002"), 0, 0, 16, 16);
    addFodder(p, region, fkSingleText, name, QStringLiteral("100000003"))->Content = QStringLiteral("x");
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("B"), ProgramFile::Write(p, QStringLiteral("A"))).status,
             ProgramFile::TLoadResult::Loaded);
    const TFodder *f = p.FindFodder(QStringLiteral("B"), name, name, name);
    QVERIFY(f);
    QCOMPARE(f->Content, QStringLiteral("x"));
}

void TestProgramFile::materialFieldCounts_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QList<int>>("tail"); // RowSpan, VerAlign, LineColor, LineWidth, YAxisPos
    QTest::newRow("23 fields") << 23 << false << QList<int>();
    QTest::newRow("24 fields") << 24 << true << QList<int>{0, 0, 0, 0, 0};
    QTest::newRow("25 fields") << 25 << true << QList<int>{0, 0, 0, 0, 0};
    QTest::newRow("26 fields") << 26 << true << QList<int>{11, 12, 0, 0, 0};
    QTest::newRow("27 fields") << 27 << true << QList<int>{11, 12, 0, 0, 0};
    QTest::newRow("28 fields") << 28 << true << QList<int>{11, 12, 13, 14, 0};
    QTest::newRow("29 fields") << 29 << true << QList<int>{11, 12, 13, 14, 15};
    QTest::newRow("31 fields") << 31 << true << QList<int>{11, 12, 13, 14, 15};
}

void TestProgramFile::materialFieldCounts()
{
    QFETCH(int, fields);
    QFETCH(bool, loaded);
    QFETCH(QList<int>, tail);
    QList<QByteArray> f = {"P", "R", "100000002", "M", "100000003", "pn", "0", "1", "1", "1", "1", "56",
                           "49", "49", "", "1", "1", "1", "1", "1", "1", "1", "7", "8", "11", "12", "13",
                           "14", "15", "16", "17"};
    f = f.mid(0, fields);
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), withFodderLine(f.join(','))).status,
             ProgramFile::TLoadResult::Loaded);
    const TFodder *m = p.FindFodderByUID(QStringLiteral("C"), QStringLiteral("100000003"));
    QCOMPARE(m != nullptr, loaded);
    if (!m)
        return;
    QCOMPARE(m->Number1, 7);
    QCOMPARE(m->Number2, 8);
    QCOMPARE((QList<int>{m->RowSpan, m->VerAlign, m->LineColor, m->LineWidth, m->YAxisPos}), tail);
}

void TestProgramFile::pageFieldCounts_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("weekDays");
    QTest::addColumn<QString>("playDate");
    QTest::addColumn<int>("dateMode");
    QTest::newRow("4 fields") << QByteArray("P,1,pn,08:00") << false << "" << "" << 0;
    QTest::newRow("5 fields") << QByteArray("P,1,pn,08:00,18:00") << true << "everyday" << "" << -1;
    QTest::newRow("6 fields") << QByteArray("P,1,pn,08:00,18:00,1;2") << true << "1;2" << "" << -1;
    QTest::newRow("7 fields") << QByteArray("P,1,pn,08:00,18:00,1;2,2026-01-02") << true << "1;2" << "" << -1;
    QTest::newRow("8 fields") << QByteArray("P,1,pn,08:00,18:00,everyday,2026-01-02?*03:04:05,0") << true
                              << "everyday" << "2026-01-02 03:04:05" << 0;
    QTest::newRow("mode not a number") << QByteArray("P,1,pn,08:00,18:00,everyday,2026-01-02,after") << true
                                       << "everyday" << "2026-01-02" << 1;
}

void TestProgramFile::pageFieldCounts()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, loaded);
    QFETCH(QString, weekDays);
    QFETCH(QString, playDate);
    QFETCH(int, dateMode);
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), "[ProgramList]\r\n" + line + "\r\n").status,
             ProgramFile::TLoadResult::Loaded);
    const QList<TProgram *> pages = p.PagesOfCard(QStringLiteral("C"));
    QCOMPARE(pages.size(), loaded ? 1 : 0);
    if (!loaded)
        return;
    QCOMPARE(pages[0]->StartTime, QStringLiteral("08:00"));
    QCOMPARE(pages[0]->EndTime, QStringLiteral("18:00"));
    QCOMPARE(pages[0]->WeekDays, weekDays);
    QCOMPARE(pages[0]->PlayDate, playDate);
    QCOMPARE(pages[0]->DateMode, dateMode);
}

void TestProgramFile::regionFit_data()
{
    QTest::addColumn<bool>("withPage");
    QTest::addColumn<QByteArray>("geometry");
    QTest::addColumn<bool>("loads");
    QTest::newRow("exactly at the right edge") << true << QByteArray("64,0,64,32") << true;
    QTest::newRow("one pixel wider") << true << QByteArray("64,0,65,32") << false;
    QTest::newRow("exactly at the bottom") << true << QByteArray("0,32,64,32") << true;
    QTest::newRow("one pixel lower") << true << QByteArray("0,33,64,32") << false;
    QTest::newRow("whole screen") << true << QByteArray("0,0,128,64") << true;
    QTest::newRow("no page line: not checked") << false << QByteArray("200,0,64,32") << true;
    QTest::newRow("negative width") << true << QByteArray("0,0,-5,32") << false;
    QTest::newRow("negative left") << true << QByteArray("-8,0,16,16") << false;
    QTest::newRow("not a number") << true << QByteArray("0,0,abc,32") << false;
    QTest::newRow("number with letters") << true << QByteArray("0,0,12px,32") << false;
    QTest::newRow("beyond int range") << true << QByteArray("0,0,99999999999,1") << false;
    QTest::newRow("sum beyond int range") << true << QByteArray("2000000000,0,2000000000,1") << false;
}

void TestProgramFile::regionFit()
{
    QFETCH(bool, withPage);
    QFETCH(QByteArray, geometry);
    QFETCH(bool, loads);
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"), 128, 64);
    QByteArray file;
    if (withPage)
        file += "[ProgramList]\r\nP,100000001,pn,00:00,24:00,everyday,,-1\r\n";
    file += "[RegionList]\r\nP,100000001,R,100000002,pn," + geometry + "\r\n"
            "[FodderList]\r\nP,R,100000002,M,100000003,pn,0,1,1,1,1,56,49,49,,1,1,1,1,1,1,1,0,0,0,0,0,0,0\r\n";
    const ProgramFile::TLoadResult r = ProgramFile::Read(p, QStringLiteral("C"), file);
    QCOMPARE(r.status, loads ? ProgramFile::TLoadResult::Loaded : ProgramFile::TLoadResult::Failed);
    if (!loads) {
        QCOMPARE(r.error, QStringLiteral("warn_open_load_fail"));
        QVERIFY(p.Pages.empty() && p.Regions.empty() && p.Fodders.empty());
    } else {
        QCOMPARE(p.Regions.size(), size_t(1));
        // a region whose page is not there has no node, and so no materials
        QCOMPARE(p.Regions.front()->InTree, withPage);
        QCOMPARE(p.Fodders.size(), size_t(withPage ? 1 : 0));
    }
}

void TestProgramFile::failureEmptiesCard()
{
    TProject p;
    setupProject(p);
    TFIXModem *c = addCard(p, QStringLiteral("C"), 128, 64);
    addCard(p, QStringLiteral("D"), 128, 64);
    for (const QString &card : {QStringLiteral("C"), QStringLiteral("D")}) {
        TProgram *page = p.AddPage(TSelection::ForCard(card)).page;
        TRegion *region = p.AddRegion(TSelection::ForPage(page)).region;
        p.AddFodder(TSelection::ForRegion(region), fkRemoteText);
    }
    c->ProgramFile = QStringLiteral("old.prg");
    const QByteArray file = "[ProgramList]\r\nP,100000001,pn,00:00,24:00,everyday,,-1\r\n[RegionList]\r\n"
                            "P,100000001,R,100000002,pn,0,0,64,32\r\nP,100000001,S,100000004,pn,100,0,64,32\r\n";
    const ProgramFile::TLoadResult r = ProgramFile::Read(p, QStringLiteral("C"), file);
    QCOMPARE(r.status, ProgramFile::TLoadResult::Failed);
    QVERIFY(p.PagesOfCard(QStringLiteral("C")).isEmpty());
    QVERIFY(p.FoddersOfCard(QStringLiteral("C")).isEmpty());
    QVERIFY(c->ProgramFile.isEmpty());
    QVERIFY(c->RemoteTextFree);
    QCOMPARE(p.PagesOfCard(QStringLiteral("D")).size(), 1);
    QCOMPARE(p.FoddersOfCard(QStringLiteral("D")).size(), 1);
    QCOMPARE(p.Regions.size(), size_t(1));
}

void TestProgramFile::nonNumericMaterialFields()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    const QByteArray lines =
        // a queue whose speed and type code are unreadable: the kind's values
        "P,R,100000002,Q,100000003,pn,6,1,1,fast,1,z,49,49,,1,1,1,1,1,1,1,0,0,0,0,0,0,0\r\n"
        // unreadable kind: passed over
        "P,R,100000002,X,100000004,pn,x,1,1,1,1,56,49,49,,1,1,1,1,1,1,1,0,0,0,0,0,0,0\r\n"
        // kind beyond the twelve: passed over
        "P,R,100000002,Y,100000005,pn,12,1,1,1,1,56,49,49,,1,1,1,1,1,1,1,0,0,0,0,0,0,0\r\n"
        "P,R,100000002,Z,100000006,pn,-1,1,1,1,1,56,49,49,,1,1,1,1,1,1,1,0,0,0,0,0,0,0\r\n"
        // optional fields unreadable: 0
        "P,R,100000002,T,100000007,pn,4,+3,1,1,1,49,49,49,,1,1,1,1,1,1,1,0,0,a,b,c,d,e";
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), withFodderLine(lines)).status, ProgramFile::TLoadResult::Loaded);
    QCOMPARE(p.Fodders.size(), size_t(2));
    const TFodder *q = p.FindFodderByUID(QStringLiteral("C"), QStringLiteral("100000003"));
    QVERIFY(q);
    QCOMPARE(q->DisplaySpeed, 8);
    QCOMPARE(q->TypeCode, int(tcQueue));
    const TFodder *t = p.FindFodderByUID(QStringLiteral("C"), QStringLiteral("100000007"));
    QVERIFY(t);
    QCOMPARE(t->PlayTimes, 3);
    QCOMPARE(t->RowSpan + t->VerAlign + t->LineColor + t->LineWidth + t->YAxisPos, 0);
    int counted = 0;
    for (int c : p.KindCounters)
        counted += c;
    QCOMPARE(counted, 2);
}

void TestProgramFile::smallTypeCodeNotWritten()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"));
    TProgram *page = addPage(p, QStringLiteral("C"), QStringLiteral("P"), QStringLiteral("100000001"));
    TRegion *region = addRegion(p, page, QStringLiteral("R"), QStringLiteral("100000002"), 0, 0, 16, 16);
    TFodder *a = addFodder(p, region, fkSingleText, QStringLiteral("A"), QStringLiteral("100000003"));
    a->TypeCode = 9;
    a->Content = QStringLiteral("hidden");
    TFodder *b = addFodder(p, region, fkSingleText, QStringLiteral("B"), QStringLiteral("100000004"));
    b->TypeCode = 10;
    b->Content = QStringLiteral("shown");
    const QByteArray bytes = ProgramFile::Write(p, QStringLiteral("C"));
    QVERIFY(!bytes.contains("100000003"));
    QVERIFY(bytes.contains("100000004=shown\r\n"));
    QVERIFY(bytes.endsWith("\r\n"));
}

void TestProgramFile::tableFilesRelativeToProgramFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("tblFiles")));
    const QString table = dir.filePath(QStringLiteral("tblFiles/t__1.bmp"));
    QFile f(table);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    TProject p;
    setupProject(p);
    p.SetProgramFolder(dir.path());
    addCard(p, QStringLiteral("A"));
    addCard(p, QStringLiteral("B"));
    TProgram *page = addPage(p, QStringLiteral("A"), QStringLiteral("P"), QStringLiteral("100000001"));
    TRegion *region = addRegion(p, page, QStringLiteral("R"), QStringLiteral("100000002"), 0, 0, 16, 16);
    addFodder(p, region, fkTable, QStringLiteral("T"), QStringLiteral("100000003"))->SetFileNames({table});
    addFodder(p, region, fkPictureGroup, QStringLiteral("G"), QStringLiteral("100000004"))->SetFileNames({table});
    const QByteArray bytes = ProgramFile::Write(p, QStringLiteral("A"));
    QVERIFY(bytes.contains(",49,49,tblFiles/t__1.bmp,"));
    QVERIFY(bytes.contains(QByteArray(",49,49," + table.toUtf8() + ",")));
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("B"), bytes).status, ProgramFile::TLoadResult::Loaded);
    QCOMPARE(p.FindFodderByUID(QStringLiteral("B"), QStringLiteral("100000003"))->FileNames(), QStringList{table});
    QCOMPARE(p.FindFodderByUID(QStringLiteral("B"), QStringLiteral("100000004"))->FileNames(), QStringList{table});
}

void TestProgramFile::twoCardsShareOneFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("shared.prg"));
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("A"));
    addCard(p, QStringLiteral("B"));
    TProgram *page = p.AddPage(TSelection::ForCard(QStringLiteral("A"))).page;
    TRegion *region = p.AddRegion(TSelection::ForPage(page)).region;
    p.AddFodder(TSelection::ForRegion(region), fkSingleText);
    QVERIFY(ProgramFile::WriteFile(p, QStringLiteral("A"), path).isEmpty());
    QCOMPARE(ProgramFile::LoadFile(p, QStringLiteral("A"), path).status, ProgramFile::TLoadResult::Loaded);
    QCOMPARE(ProgramFile::LoadFile(p, QStringLiteral("B"), path).status, ProgramFile::TLoadResult::Loaded);
    const QList<TProgram *> a = p.PagesOfCard(QStringLiteral("A"));
    const QList<TProgram *> b = p.PagesOfCard(QStringLiteral("B"));
    QCOMPARE(a.size(), 1);
    QCOMPARE(b.size(), 1);
    QCOMPARE(a[0]->PageUID, b[0]->PageUID);
    QCOMPARE(p.FoddersOfRegion(p.RegionsOfPage(a[0]).value(0)).size(), 1);
    QCOMPARE(p.FoddersOfRegion(p.RegionsOfPage(b[0]).value(0)).size(), 1);
    p.RemovePage(b[0]);
    QCOMPARE(p.FoddersOfCard(QStringLiteral("A")).size(), 1);
    QCOMPARE(p.RegionsOfPage(a[0]).size(), 1);
}

void TestProgramFile::garbageNeverCrashes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QRandomGenerator random(20260311);
    for (int i = 0; i < 6; ++i) {
        QByteArray noise(4096 * (i + 1), Qt::Uninitialized);
        for (char &c : noise)
            c = char(random.bounded(256));
        QTest::addRow("random %d", i) << noise;
    }
    const QByteArray good = withFodderLine(
        "P,R,100000002,M,100000003,pn,0,1,1,1,1,56,49,49,a.bmp;b.bmp,1,1,1,1,1,1,1,0,0,0,0,0,0,0")
        + "[TxtContentList]\r\n100000003=text\r\n";
    for (int cut = 1; cut < good.size(); cut += 7)
        QTest::addRow("cut at %d", cut) << good.left(cut);
    QTest::newRow("invalid code page bytes") << QByteArray("[ProgramList]\r\nP\x81,\xff\xfe,pn\x81\r\n,08:00,\x80\r\n");
    QTest::newRow("lead byte before line end") << QByteArray("[ProgramList]\r\nP\x81\r\n[RegionList]\x81\n");
    QTest::newRow("nul bytes") << QByteArray("[ProgramList]\r\nP") + QByteArray(1, '\0') + ",1,pn,0,0,0,0,0\r\n"
            + QByteArray(3, '\0');
    QTest::newRow("long line") << QByteArray("[FodderList]\r\n") + QByteArray(2 * 1024 * 1024, ',');
    QTest::newRow("open quotes") << QByteArray("[ProgramList]\r\n\"P,1,pn,08:00,18:00\r\n[RegionList]\r\n\"\"\"");
    QTest::newRow("sections twice and backwards")
        << QByteArray("[TxtContentList]\r\n1=x\r\n[FodderList]\r\n[RegionList]\r\n[ProgramList]\r\n[RegionList]\r\n"
                      "P,1,R,2,pn,0,0,1,1\r\n[ProgramList]\r\nP,1,pn,0,0\r\n[FodderList]\r\n"
                      "P,R,2,M,3,pn,6,1,1,1,1,1,1,1,;;;,1,1,1,1,1,1,1,1,1\r\n");
    QTest::newRow("only line ends") << QByteArray("\r\r\n\n\r\n\n\r");
    QTest::newRow("empty") << QByteArray();
}

void TestProgramFile::garbageNeverCrashes()
{
    QFETCH(QByteArray, bytes);
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"), 128, 64);
    const ProgramFile::TLoadResult r = ProgramFile::Read(p, QStringLiteral("C"), bytes);
    QVERIFY(r.status != ProgramFile::TLoadResult::NotFound);
    if (r.status == ProgramFile::TLoadResult::Failed)
        QVERIFY(p.Pages.empty() && p.Regions.empty() && p.Fodders.empty());
    // whatever was loaded can be written and read again
    const QByteArray again = ProgramFile::Write(p, QStringLiteral("C"));
    addCard(p, QStringLiteral("D"), 128, 64);
    QVERIFY(ProgramFile::Read(p, QStringLiteral("D"), again).status != ProgramFile::TLoadResult::NotFound);
    QCOMPARE(p.FoddersOfCard(QStringLiteral("D")).size(), p.FoddersOfCard(QStringLiteral("C")).size());
}

void TestProgramFile::hugeFileRefused()
{
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"), 128, 64);
    p.AddPage(TSelection::ForCard(QStringLiteral("C")));
    QByteArray huge = "[ProgramList]\r\n";
    huge.append(QByteArray(ProgramFile::kMaxFileSize, 'x'));
    QBuffer buffer(&huge);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const ProgramFile::TLoadResult r = ProgramFile::Read(p, QStringLiteral("C"), buffer);
    QCOMPARE(r.status, ProgramFile::TLoadResult::Failed);
    QCOMPARE(r.error, QStringLiteral("warn_open_load_fail"));
    QVERIFY(p.Pages.empty());

    // within the size, but more objects than allowed (a small limit here)
    QByteArray many = "[ProgramList]\r\n";
    for (int i = 0; i < 60; ++i)
        many += "P,1,p,0,0\n";
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), many, 60).status, ProgramFile::TLoadResult::Loaded);
    QCOMPARE(p.Pages.size(), size_t(60));
    many += "[RegionList]\r\nP,1,R,2,pn,0,0,8,8\r\n";
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), many, 60).status, ProgramFile::TLoadResult::Failed);
    QVERIFY(p.Pages.empty());

    // line ends and commas only: nothing to load, nothing kept
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), QByteArray(2 * 1024 * 1024, '\n')).status,
             ProgramFile::TLoadResult::Loaded);
    QCOMPARE(ProgramFile::Read(p, QStringLiteral("C"), "[FodderList]\r\n" + QByteArray(2 * 1024 * 1024, ',')).status,
             ProgramFile::TLoadResult::Loaded);
    QVERIFY(p.Pages.empty() && p.Fodders.empty());
}

void TestProgramFile::largePlaybillLoads()
{
    // 50 regions of 100 materials each, every region's queue last in the file
    QByteArray file = "[ProgramList]\r\nP,100000001,pn,00:00,24:00,everyday,,-1\r\n[RegionList]\r\n";
    for (int r = 0; r < 50; ++r)
        file += "P,100000001,R" + QByteArray::number(r) + ",3" + QByteArray::number(r).rightJustified(8, '0')
            + ",pn,0,0,8,8\r\n";
    file += "[FodderList]\r\n";
    for (int m = 0; m < 100; ++m)
        for (int r = 0; r < 50; ++r) {
            const QByteArray kind = m == 99 ? "6" : "0";
            file += "P,R" + QByteArray::number(r) + ",x,M" + QByteArray::number(m) + ",4"
                + QByteArray::number(r * 100 + m).rightJustified(8, '0') + ",pn," + kind
                + ",1,1,1,1,56,49,49,,1,1,1,1,1,1,1,0,0,0,0,0,0,0\r\n";
        }
    TProject p;
    setupProject(p);
    addCard(p, QStringLiteral("C"), 128, 64);
    QElapsedTimer timer;
    timer.start();
    const ProgramFile::TLoadResult r = ProgramFile::Read(p, QStringLiteral("C"), file);
    const qint64 ms = timer.elapsed();
    QCOMPARE(r.status, ProgramFile::TLoadResult::Loaded);
    QCOMPARE(r.fodders, 5000);
    QVERIFY2(ms < 20000, qPrintable(QString::number(ms)));
    const TRegion *last = p.FindRegion(QStringLiteral("C"), QStringLiteral("P"), QStringLiteral("R49"));
    QVERIFY(last);
    QCOMPARE(p.Fodders[4900]->FodderName, QStringLiteral("M99")); // the queue first in region R49
    QCOMPARE(p.Fodders[4901]->FodderName, QStringLiteral("M0"));
    QCOMPARE(p.Fodders[4900]->RegionUID, last->RegionUID);
}
