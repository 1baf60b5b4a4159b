#include "signstudio/lang/langtext.h"
#include "signstudio/model/fodderkind.h"
#include "signstudio/model/project.h"
#include "signstudio/ui/propertyrows.h"

#include <QTest>

// The grid rows of cards, pages, regions and materials and the edit rules
// that write typed values into the model, without any window.
class TestPropertyRows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cardRows_data();
    void cardRows();
    void pageTimes_data();
    void pageTimes();
    void regionRows_data();
    void regionRows();
    void fodderEdit_data();
    void fodderEdit();
    void rowShape_data();
    void rowShape();
    void pickListsFollowCard();
    void dataKindChangesKindsNumbers();
    void shownValues();
    void playDateAndWeekDaysExclude();
    void renameKeepsUniqueNames();
    void wrongRowCountChangesNothing();

private:
    TFodder *addFodder(int kind);

    std::unique_ptr<TProject> m_project;
    TFIXModem *m_card = nullptr;
    TProgram *m_page = nullptr;
    TRegion *m_region = nullptr;
};

void TestPropertyRows::initTestCase()
{
    SetLanguage(true, 2);
}

void TestPropertyRows::init()
{
    m_project = std::make_unique<TProject>();
    m_project->SetTextSource([](const QString &key) { return LangText(3, key); });
    m_card = m_project->Cards.Append(TFIXModem::Create(lkNetwork, QStringLiteral("C1"),
                                                       QStringLiteral("pnCard1"), QStringLiteral("127.0.0.9"),
                                                       QStringLiteral("1_2_3_4_5_6_7_8"), QString(),
                                                       QStringLiteral("/tmp/a b.prg"), 1, 320, 64,
                                                       57, 60, 5, 8));
    m_page = m_project->AddPage(TSelection::ForCard(QStringLiteral("C1"))).page;
    QVERIFY(m_page);
    m_region = m_project->AddRegion(TSelection::ForPage(m_page)).region;
    QVERIFY(m_region);
    m_card->Modified = false;
}

void TestPropertyRows::cleanup()
{
    m_project.reset();
}

TFodder *TestPropertyRows::addFodder(int kind)
{
    const TAddResult r = m_project->AddFodder(TSelection::ForRegion(m_region), kind);
    m_card->Modified = false;
    return r.fodder;
}

void TestPropertyRows::cardRows_data()
{
    QTest::addColumn<bool>("rs232");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("network") << false
        << QStringList{"Type", "Name", "Width", "Height", "Screen_Color", "Comm_Mode", "Server_Port",
                       "Card_Internal_Code", "Card_IP", "Card_Version", "Program_File"}
        << QStringList{"card", "C1", "320", "64", "dual-color", "Network", "8900",
                       "1_2_3_4_5_6_7_8", "127.0.0.9", "60", QStringLiteral("/tmp/a\u3000b.prg")};
    QTest::newRow("rs232") << true
        << QStringList{"Type", "Name", "Width", "Height", "Screen_Color", "Comm_Mode", "Serial",
                       "Baud_Rate", "Card_Internal_Code", "Card_Version", "Program_File"}
        << QStringList{"card", "C1", "320", "64", "dual-color", "Serial Port", "/dev/ttyS0", "8900",
                       "1_2_3_4_5_6_7_8", "60", QStringLiteral("/tmp/a\u3000b.prg")};
}

void TestPropertyRows::cardRows()
{
    QFETCH(bool, rs232);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, values);
    TPropertyRows rows(*m_project);
    rows.CommInfo = [rs232] {
        TCommInfo c;
        c.rs232 = rs232;
        c.commMode = rs232 ? QStringLiteral("Serial Port") : QStringLiteral("Network");
        c.param01 = QStringLiteral("/dev/ttyS0");
        c.param02 = QStringLiteral("8900");
        return c;
    };
    rows.ShowCard(QStringLiteral("C1"));
    QCOMPARE(rows.Rows().size(), 11);
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(rows.Rows().at(i).key, keys.at(i));
        QCOMPARE(rows.Rows().at(i).value, values.at(i));
        QVERIFY(!rows.Rows().at(i).hasPickList);
        QVERIFY(!rows.Rows().at(i).ellipsis);
    }
    // Only the name is edited on a card.
    QVERIFY(!rows.Edit(2, QStringLiteral("999")).applied);
    QCOMPARE(m_card->ScreenWidth, 320);
    const TEditOutcome out = rows.Edit(1, QStringLiteral("  Lobby  "));
    QVERIFY(out.renamed);
    QCOMPARE(out.newName, QStringLiteral("Lobby"));
    QCOMPARE(m_card->Name, QStringLiteral("Lobby"));
    QCOMPARE(m_page->CardName, QStringLiteral("Lobby"));
}

void TestPropertyRows::pageTimes_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("start 7:3") << 2 << "7:3" << "07:30";
    QTest::newRow("start bad") << 2 << "later" << "00:00";
    QTest::newRow("end 8:5") << 3 << "8:5" << "08:50";
    QTest::newRow("end bad") << 3 << "25:00" << "24:00";
    QTest::newRow("end not a time") << 3 << "abc" << "24:00";
}

void TestPropertyRows::pageTimes()
{
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TPropertyRows rows(*m_project);
    rows.ShowPage(m_page);
    QCOMPARE(rows.Rows().size(), 6);
    const TEditOutcome out = rows.Edit(row, typed);
    QVERIFY(out.applied);
    QVERIFY(out.rewritten.contains(row));
    QCOMPARE(rows.Rows().at(row).value, stored);
    QCOMPARE(row == 2 ? m_page->StartTime : m_page->EndTime, stored);
    QVERIFY(m_card->Modified);
}

void TestPropertyRows::regionRows_data()
{
    QTest::addColumn<QRect>("start");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("left 13") << QRect(0, 0, 64, 32) << 2 << "13" << QRect(16, 0, 64, 32);
    QTest::newRow("left 12") << QRect(0, 0, 64, 32) << 2 << "12" << QRect(8, 0, 64, 32);
    QTest::newRow("left 20") << QRect(0, 0, 64, 32) << 2 << "20" << QRect(16, 0, 64, 32);
    QTest::newRow("width 5") << QRect(0, 0, 64, 32) << 4 << "5" << QRect(0, 0, 12, 32);
    QTest::newRow("width 64 at 300") << QRect(300, 0, 16, 32) << 4 << "64" << QRect(256, 0, 64, 32);
    QTest::newRow("height beyond") << QRect(0, 10, 64, 32) << 5 << "80" << QRect(0, 0, 64, 64);
}

void TestPropertyRows::regionRows()
{
    QFETCH(QRect, start);
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QRect, expected);
    m_region->Left = start.left();
    m_region->Top = start.top();
    m_region->Width = start.width();
    m_region->Height = start.height();
    TPropertyRows rows(*m_project);
    rows.ShowRegion(m_region);
    const TEditOutcome out = rows.Edit(row, typed);
    QVERIFY(out.applied);
    QVERIFY(out.boundsChanged);
    QCOMPARE(QRect(m_region->Left, m_region->Top, m_region->Width, m_region->Height), expected);
    QCOMPARE(rows.Rows().at(2).value, QString::number(expected.left()));
    QCOMPARE(rows.Rows().at(3).value, QString::number(expected.top()));
    QCOMPARE(rows.Rows().at(4).value, QString::number(expected.width()));
    QCOMPARE(rows.Rows().at(5).value, QString::number(expected.height()));
    QVERIFY(m_card->Modified);
}

namespace {
QString fieldOf(const TFodder *f, const QString &field)
{
    if (field == "FodderUID") return f->FodderUID;
    if (field == "Content") return f->Content;
    const QHash<QString, int> ints = {
        {"PlayTimes", f->PlayTimes},     {"DisplayMode", f->DisplayMode},
        {"DisplaySpeed", f->DisplaySpeed}, {"StayTime", f->StayTime},
        {"DigitColor", f->DigitColor},   {"CharColor", f->CharColor},
        {"FontCode", f->FontCode},       {"FontSizeCode", f->FontSizeCode},
        {"FormatCode", f->FormatCode},   {"FormatCode2", f->FormatCode2},
        {"OptionCode", f->OptionCode},   {"Number1", f->Number1},
        {"Number2", f->Number2},         {"VerAlign", f->VerAlign}};
    return QString::number(ints.value(field, -9999));
}
} // namespace

void TestPropertyRows::fodderEdit_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown"); // row text afterwards
    QTest::newRow("uid padded") << 0 << 2 << "42" << "FodderUID" << "000000042" << "42";
    QTest::newRow("play times default") << 0 << 3 << "x" << "PlayTimes" << "1" << "x";
    QTest::newRow("display mode index") << 0 << 4 << "Move from left to right" << "DisplayMode" << "2"
                                        << "Move from left to right";
    QTest::newRow("display mode unknown") << 1 << 4 << "Sideways" << "DisplayMode" << "-1" << "Sideways";
    QTest::newRow("speed default 3") << 2 << 5 << "" << "DisplaySpeed" << "3" << "";
    QTest::newRow("stay 300 -> 255") << 0 << 6 << "300" << "StayTime" << "255" << "255";
    QTest::newRow("stay default 5") << 0 << 6 << "?" << "StayTime" << "5" << "?";
    QTest::newRow("table speed") << 3 << 4 << "6" << "DisplaySpeed" << "6" << "6";
    QTest::newRow("time digit colour") << 4 << 2 << "Blue" << "DigitColor" << "4" << "Blue";
    QTest::newRow("time char colour unknown") << 4 << 3 << "Pink" << "CharColor" << "0" << "Pink";
    QTest::newRow("time font SimHei") << 4 << 4 << "SimHei" << "FontCode" << "3" << "SimHei";
    QTest::newRow("time size 32") << 4 << 5 << "32*32" << "FontSizeCode" << "3" << "32*32";
    QTest::newRow("time size other kept") << 4 << 5 << "20*20" << "FontSizeCode" << "1" << "20*20";
    QTest::newRow("year digit") << 4 << 6 << "Two Digit" << "VerAlign" << "1" << "Two Digit";
    QTest::newRow("time format") << 4 << 7 << "hhmmss" << "FormatCode" << "3" << "hhmmss";
    QTest::newRow("display format") << 4 << 8 << "MM/DD/YYYY HH:MM:SS" << "FormatCode2" << "3"
                                    << "MM/DD/YYYY HH:MM:SS";
    QTest::newRow("time difference") << 4 << 9 << "Lead" << "OptionCode" << "1" << "Lead";
    QTest::newRow("hour") << 4 << 10 << "5" << "Number1" << "5" << "5";
    QTest::newRow("minute default") << 4 << 11 << "m" << "Number2" << "0" << "m";
    QTest::newRow("time stay default 1") << 4 << 12 << "" << "StayTime" << "1" << "";
    QTest::newRow("queue window address") << 6 << 2 << "x" << "FormatCode2" << "1" << "x";
    QTest::newRow("queue pairing") << 6 << 5 << "All red" << "CharColor" << "22" << "All red";
    QTest::newRow("queue flash default") << 6 << 6 << "" << "DisplaySpeed" << "8" << "";
    QTest::newRow("count format mmss") << 7 << 7 << "mmss" << "FormatCode" << "8" << "mmss";
    QTest::newRow("count format DD") << 8 << 7 << "DD" << "FormatCode" << "4" << "DD";
    QTest::newRow("accumulative") << 7 << 8 << "Yes" << "OptionCode" << "1" << "Yes";
    QTest::newRow("end time full-width") << 8 << 9 << QStringLiteral("2030-01-02\u300003:04:05")
                                         << "Content" << "2030-01-02 03:04:05"
                                         << QStringLiteral("2030-01-02\u300003:04:05");
    QTest::newRow("inner colour") << 9 << 3 << "Green" << "CharColor" << "2" << "Green";
    QTest::newRow("inner mode") << 9 << 7 << "Down blinds" << "DisplayMode" << "16" << "Down blinds";
    QTest::newRow("suffix cut to 8") << 10 << 4 << "123456789" << "Content" << "12345678" << "123456789";
    QTest::newRow("refresh") << 10 << 5 << "30" << "OptionCode" << "30" << "30";
    QTest::newRow("data colour both") << 10 << 6 << "White" << "CharColor" << "7" << "White";
    QTest::newRow("right column stay") << 10 << 9 << "300" << "Number1" << "255" << "255";
    QTest::newRow("left column default") << 10 << 10 << "z" << "Number2" << "0" << "z";
    QTest::newRow("kinds number") << 10 << 3 << "x" << "FormatCode" << "1" << "x";
    QTest::newRow("frame speed") << 11 << 2 << "300" << "DisplaySpeed" << "300" << "300";
    QTest::newRow("animation stay") << 11 << 3 << "300" << "StayTime" << "255" << "255";
    QTest::newRow("animation file") << 11 << 4 << "/tmp/x.gif" << "Content" << "/tmp/x.gif"
                                    << "/tmp/x.gif";
}

void TestPropertyRows::fodderEdit()
{
    QFETCH(int, kind);
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    TFodder *f = addFodder(kind);
    QVERIFY(f);
    TPropertyRows rows(*m_project);
    rows.ShowFodder(f);
    const TEditOutcome out = rows.Edit(row, typed);
    QVERIFY(out.applied);
    QVERIFY(out.previewChanged);
    QCOMPARE(fieldOf(f, field), stored);
    QCOMPARE(rows.Rows().at(row).value, shown);
    QVERIFY(m_card->Modified);
}

void TestPropertyRows::rowShape_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QList<int>>("ellipsisRows");
    QTest::newRow("single text") << 0
        << QStringList{"Type", "Name", "Material_UID", "Play_Times", "Display_Mode",
                       "Display_Speed(0-Fastest)", "Remain_Time(*5s)"} << QList<int>{};
    QTest::newRow("table") << 3
        << QStringList{"Type", "Name", "Material_UID", "Play_Times", "Display_Speed(0-Fastest)"}
        << QList<int>{};
    QTest::newRow("remote text") << 5 << QStringList{"Type", "Name"} << QList<int>{};
    QTest::newRow("count-up") << 7
        << QStringList{"Type", "Name", "Material_UID", "Digital_Color", "Charactor_Color", "Font_Name",
                       "Font_Size", "Time_Format", "Time_Is_Accumulative", "Begin_Time",
                       "Remain_Time(*5s)"} << QList<int>{9};
    QTest::newRow("count-down") << 8
        << QStringList{"Type", "Name", "Material_UID", "Digital_Color", "Charactor_Color", "Font_Name",
                       "Font_Size", "Time_Format", "Time_Is_Accumulative", "End_Time",
                       "Remain_Time(*5s)"} << QList<int>{9};
    QTest::newRow("queue") << 6
        << QStringList{"Type", "Name", "Window_Address", "Font_Name", "Font_Size", "Double-color_Match",
                       "Flash_Times", "Remain_Time(*5s)"} << QList<int>{};
    QTest::newRow("animation") << 11
        << QStringList{"Type", "Name", "Frame_Speed", "Remain_Time(*5s)", "Animation_File"}
        << QList<int>{4};
}

void TestPropertyRows::rowShape()
{
    QFETCH(int, kind);
    QFETCH(QStringList, keys);
    QFETCH(QList<int>, ellipsisRows);
    TFodder *f = addFodder(kind);
    QVERIFY(f);
    TPropertyRows rows(*m_project);
    rows.ShowFodder(f);
    QCOMPARE(rows.Rows().size(), keys.size());
    for (int i = 0; i < keys.size(); ++i) {
        QCOMPARE(rows.Rows().at(i).key, keys.at(i));
        QCOMPARE(rows.Rows().at(i).ellipsis, ellipsisRows.contains(i));
    }
    QCOMPARE(rows.Rows().at(0).value, LangText(3, QLatin1String(FodderKindInfo(kind).TypeNameKey)));
}

void TestPropertyRows::pickListsFollowCard()
{
    m_card->FontCountShown = 3;
    m_card->FontCount = 4;
    TFodder *f = addFodder(fkTime);
    TPropertyRows rows(*m_project);
    rows.ShowFodder(f);
    QCOMPARE(rows.Rows().at(4).pickList, QStringList({"SimSun", "SimHei", "Regular Script_GB2312"}));
    QCOMPARE(rows.Rows().at(5).pickList, QStringList({"12*12", "16*16", "24*24", "32*32"}));
    QCOMPARE(rows.Rows().at(2).pickList.size(), 7);
    QCOMPARE(rows.Rows().at(7).pickList.size(), 11);
    QVERIFY(!rows.Rows().at(10).hasPickList);
    // A font beyond the card's list is not in it.
    QVERIFY(rows.Edit(4, QStringLiteral("Running Script")).applied);
    QCOMPARE(f->FontCode, 0);
}

void TestPropertyRows::dataKindChangesKindsNumbers()
{
    TFodder *f = addFodder(fkRealTime);
    TPropertyRows rows(*m_project);
    rows.ShowFodder(f);
    QCOMPARE(rows.Rows().at(3).pickList, QStringList({"1"}));
    const TEditOutcome out = rows.Edit(2, QStringLiteral("Photoelectric Counter"));
    QVERIFY(out.rewritten.contains(3));
    QCOMPARE(f->FormatCode2, 5);
    QCOMPARE(rows.Rows().at(3).pickList.size(), 20);
    QCOMPARE(rows.Rows().at(3).value, QStringLiteral("21"));
    QCOMPARE(f->FormatCode, 21);
    rows.Edit(2, QStringLiteral("External Data"));
    QCOMPARE(rows.Rows().at(3).pickList.size(), 30);
    QCOMPARE(f->FormatCode, 41);
    // The rows shown again keep the data kind's numbers.
    rows.ShowFodder(f);
    QCOMPARE(rows.Rows().at(3).pickList.first(), QStringLiteral("41"));
    QCOMPARE(rows.Rows().at(2).value, QStringLiteral("External Data"));
}

void TestPropertyRows::shownValues()
{
    TFodder *f = addFodder(fkCountUp);
    f->FontCode = 3;
    f->FontSizeCode = 2;
    f->FormatCode = 8;
    f->DigitColor = 2;
    f->Content = QStringLiteral("2024-01-15 09:30:00");
    TPropertyRows rows(*m_project);
    rows.ShowFodder(f);
    QCOMPARE(rows.Rows().at(3).value, QStringLiteral("Green"));
    QCOMPARE(rows.Rows().at(5).value, QStringLiteral("SimHei"));
    QCOMPARE(rows.Rows().at(6).value, QStringLiteral("24*24"));
    QCOMPARE(rows.Rows().at(7).value, QStringLiteral("mmss"));
    QCOMPARE(rows.Rows().at(9).value, QStringLiteral("2024-01-15\u300009:30:00"));
}

void TestPropertyRows::playDateAndWeekDaysExclude()
{
    TPropertyRows rows(*m_project);
    rows.ShowPage(m_page);
    QVERIFY(rows.Rows().at(4).ellipsis);
    QVERIFY(rows.Rows().at(5).ellipsis);
    QCOMPARE(rows.Rows().at(5).value, QStringLiteral("everyday"));

    rows.SetPageWeekDays(QStringLiteral("1;2;3"), true);
    QCOMPARE(m_page->DateMode, int(dmWeekDays));
    QCOMPARE(m_page->WeekDays, QStringLiteral("1;2;3"));

    // A play date resets the week days to every day.
    rows.SetPagePlayDate(1, QStringLiteral("2030-05-06 07:08:09"));
    QCOMPARE(m_page->DateMode, int(dmBeforeDate));
    QCOMPARE(m_page->PlayDate, QStringLiteral("2030-05-06 07:08:09"));
    QCOMPARE(m_page->WeekDays, QStringLiteral("everyday"));
    QCOMPARE(rows.Rows().at(4).value, QStringLiteral("everyday"));
    QCOMPARE(rows.Rows().at(5).value, QStringLiteral("2030-05-06 07:08:09 Before"));

    // Week days clear the play date.
    rows.SetPageWeekDays(QStringLiteral("0;6"), true);
    QCOMPARE(m_page->DateMode, int(dmWeekDays));
    QVERIFY(m_page->PlayDate.isEmpty());
    QCOMPARE(rows.Rows().at(5).value, QStringLiteral("everyday"));

    rows.SetPagePlayDate(2, QStringLiteral("2031-01-01 00:00:00"));
    QCOMPARE(m_page->DateMode, int(dmAfterDate));
    QCOMPARE(rows.Rows().at(5).value, QStringLiteral("2031-01-01 00:00:00 After"));

    // Every day from the play-day dialog only resets the mode.
    rows.SetPageWeekDays(QStringLiteral("everyday"), false);
    QCOMPARE(m_page->DateMode, int(dmEveryDay));
    QCOMPARE(m_page->WeekDays, QStringLiteral("everyday"));

    rows.SetPagePlayDate(0, QString());
    QCOMPARE(m_page->DateMode, int(dmEveryDay));
    QVERIFY(m_page->PlayDate.isEmpty());
}

void TestPropertyRows::renameKeepsUniqueNames()
{
    TRegion *second = m_project->AddRegion(TSelection::ForPage(m_page)).region;
    QVERIFY(second);
    TPropertyRows rows(*m_project);
    rows.ShowRegion(second);
    const TEditOutcome out = rows.Edit(1, m_region->RegionName);
    QVERIFY(out.renamed);
    QVERIFY(second->RegionName != m_region->RegionName);
    QCOMPARE(rows.Rows().at(1).value, second->RegionName);
    // Empty or unchanged names do nothing.
    const QString before = second->RegionName;
    QVERIFY(!rows.Edit(1, QStringLiteral("   ")).renamed);
    QCOMPARE(second->RegionName, before);
}

void TestPropertyRows::wrongRowCountChangesNothing()
{
    TPropertyRows rows(*m_project);
    rows.ShowRegion(m_region);
    const QRect before(m_region->Left, m_region->Top, m_region->Width, m_region->Height);
    QVERIFY(!rows.Edit(0, QStringLiteral("x")).applied);
    QVERIFY(!rows.Edit(9, QStringLiteral("8")).applied);
    QCOMPARE(QRect(m_region->Left, m_region->Top, m_region->Width, m_region->Height), before);
}

int RunPropertyRowsTests(int argc, char *argv[])
{
    TestPropertyRows t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_propertyrows.moc"
