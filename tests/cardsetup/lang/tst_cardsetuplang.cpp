#include "cardsetup/lang/cardsetuplang.h"
#include "cardsetup/lang/english.h"
#include "cardsetup/lang/simplechinese.h"
#include "cardsetup/lang/traditionalchinese.h"

#include "common/base/codepage.h"

#include <QTest>

using namespace cardsetup;

namespace {

QStringList split(const char *bars)
{
    return QString::fromUtf8(bars).split(QLatin1Char('|'));
}

QStringList keysOf(const TLanguage &t, int kind)
{
    QStringList keys;
    for (const rLgMap &r : t.Rows(kind))
        keys << QStringLiteral("%1/%2").arg(r.index).arg(r.key);
    return keys;
}

} // namespace

class TestCardSetupLang : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void dataFileReadsWhole();
    void sameSequenceInAllLanguages();
    void noEmptyTexts();
    void traditionalHasNoSimplifiedCharacters();
    void textsFitTheirCodePages();
    void englishRows_data();
    void englishRows();
    void comboItemsByPosition_data();
    void comboItemsByPosition();
    void labelListsIndexedByPosition();
    void blanksKept();
    void caption_data();
    void caption();
    void languageOutsideRangeSelectsNoTable();
};

void TestCardSetupLang::init()
{
    SetLanguage(true, 2);
}

void TestCardSetupLang::dataFileReadsWhole()
{
    const LangTableData &data = CardSetupLangData();
    QVERIFY2(data.ok(), qPrintable(data.error));
    TEnglish en;
    // Rows per kind as the key lists give them (kinds 6 and 7 unused).
    const int counts[17] = {9, 11, 3, 12, 5, 3, 0, 0, 4, 7, 2, 5, 26, 3, 2, 2, 8};
    for (int k = 0; k < 17; ++k)
        QVERIFY2(en.Rows(k).size() == counts[k], qPrintable(QString::number(k)));
    QCOMPARE(en.RowCount(), int(data.rows.size()));
}

void TestCardSetupLang::sameSequenceInAllLanguages()
{
    TSimpleChinese sc;
    TTraditionalChinese tc;
    TEnglish en;
    for (int k = 0; k < TLanguage::KindCount; ++k) {
        QCOMPARE(keysOf(sc, k), keysOf(en, k));
        QCOMPARE(keysOf(tc, k), keysOf(en, k));
    }
}

void TestCardSetupLang::noEmptyTexts()
{
    for (const LangTableRow &row : CardSetupLangData().rows)
        for (int l = 0; l < LangCount; ++l)
            QVERIFY2(!row.text[l].trimmed().isEmpty(), qPrintable(row.key));
}

void TestCardSetupLang::textsFitTheirCodePages()
{
    // Texts reach files and cards in the system code page: GBK for the
    // Simplified and English tables, Big5 for the Traditional one.
    const QByteArray pages[LangCount] = {"GBK", "Big5", "GBK"};
    for (const LangTableRow &row : CardSetupLangData().rows) {
        for (int l = 0; l < LangCount; ++l) {
            for (const QString &t : {row.text[l], row.choices[l]}) {
                const QString back = CodePage::DecodeAs(pages[l], CodePage::EncodeAs(pages[l], t));
                QVERIFY2(back == t, qPrintable(QStringLiteral("line %1: %2").arg(row.line).arg(t)));
            }
        }
    }
}

void TestCardSetupLang::traditionalHasNoSimplifiedCharacters()
{
    const QString simplified = QStringLiteral(
        "这个们显设读写关开时间数据网络计认为发页图区删选择输码颜号线单双态"
        "软帮宽当转换颠译欢临启录钟频仅权获动级户务内");
    for (const LangTableRow &row : CardSetupLangData().rows)
        for (QChar c : simplified)
            QVERIFY2(!row.text[LangTraditional].contains(c),
                     qPrintable(QStringLiteral("line %1: %2").arg(row.line).arg(c)));
}

void TestCardSetupLang::englishRows_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("0 headers")
        << 0
        << split("Size Setting|Comm Interface|IP Address|Internal Code|Version|Mac Address|"
                 "Server Set|DNS Server|          Server Port");
    QTest::newRow("1 menus")
        << 1
        << split("Configuration(&C)|Search devices(&S)|Choice network(&N)|Clear device-list(&L)|"
                 "Languge|Simple Chiness|Traditional Chiness|English|Exit(&E)|Help(&H)|"
                 "About...(&A)");
    QTest::newRow("2 buttons") << 2 << split("Search devices|Submit changes|Refresh");
    QTest::newRow("3 screen rows")
        << 3
        << split("Pixels Width|Pixels Height|Pixels Color|Scan Mode|Day Brightness|"
                 "Night Brightness|OE Signal|Data Bit|Display Content|Clock Frequency|Row Order|"
                 "Display when Empty");
    QTest::newRow("4 comm rows")
        << 4 << split("Comm Interface|Baud Rate|Net Speed|Display Conversion|485 address");
    QTest::newRow("5 network rows") << 5 << split("Control Card IP|Subnet Mask|Default Gateway");
    QTest::newRow("8 columns") << 8 << split("Order Num|Device Name|Mac Address|IP Address");
    QTest::newRow("9 search")
        << 9
        << split("Search...|Searching for network device|Remaining time: |seconds|Search for|"
                 "devices|Stop");
    QTest::newRow("10 about") << 10 << split("About...|All Rights Reserved");
    QTest::newRow("11 messages")
        << 11
        << split("Display control card parameter configuration [only on local network segment]|"
                 "Search device failed: network is not connected or not on the same network "
                 "segment, check the networkconnection and settings!|"
                 "To modify the configuration information can not be empty!|"
                 "Update the device information failed!|"
                 "Update the device information successfully!");
    QTest::newRow("13 modes") << 13 << split("Handle Set|DHCP Set|Softwear Set");
    QTest::newRow("14 dns") << 14 << split("DNS Handle Set|DNS Auto Get");
    QTest::newRow("15 server") << 15 << split("Service IP|Service Domain");
    QTest::newRow("16 adapter dialog")
        << 16
        << split("You must choice one netWork card|Not show, use the selected network adapter|"
                 "OK|Please choose one card from the list!|ID|Network Adapter|IP Address|"
                 "Mac Address");
}

void TestCardSetupLang::englishRows()
{
    QFETCH(int, kind);
    QFETCH(QStringList, texts);
    QCOMPARE(LangTexts(kind), texts);
}

void TestCardSetupLang::comboItemsByPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("simplified");
    const char *const rows[][2] = {
        {"1 ------ Monochrome", "1 ------ 单基色"},
        {"2 ------ Dual Color", "2 ------ 双基色"},
        {"3 ------ Tricolor", "3 ------ 三基色"},
        {"Static Scan", "静态扫描"},
        {"0 ----- Brightest", "0 ----- 最亮"},
        {"7 ----- Darkest", "7 ----- 最暗"},
        {"1 ----- Not Inverted", "1 ----- 不反相"},
        {"2 ----- RP", "2 ----- 反相"},
        {"12M (Default)", "12兆（默认）"},
        {"8M", "8兆"},
        {"6M", "6兆"},
        {"Row Normal", "行正常"},
        {"Row + 1", "行 + 1"},
        {"Row Reverse", "行颠倒"},
        {"Client(Multi-Point)", "网络客户端（多点使用）"},
        {"Server(Single-Point)", "网络服务器端（单点使用）"},
        {"Serial", "串口"},
        {"Enforce 10M (Ecommendation)", "强制10兆 (推荐)"},
        {"100M", "100兆"},
        {"No Conversion (Default)", "不转换（默认）"},
        {"Combined when continue moving left", "连续左移时合并在一起"},
        {"Transform forcibly all to move left", "强制转换所有显示内容为左移"},
        {"Forced up ", "强制上移"},
        {"Black Screen", "黑屏"},
        {"Welcome", "欢迎光临"},
        {"No 138 decoding", "无138译码"},
    };
    int position = 0;
    for (const auto &r : rows) {
        QTest::addRow("%d", position) << position << QString::fromUtf8(r[0])
                                      << QString::fromUtf8(r[1]);
        ++position;
    }
}

void TestCardSetupLang::comboItemsByPosition()
{
    QFETCH(int, position);
    QFETCH(QString, english);
    QFETCH(QString, simplified);
    QCOMPARE(LangItem(12, position), english);
    SetLanguage(false, 0);
    QCOMPARE(LangItem(12, position), simplified);
    SetLanguage(false, 1);
    QVERIFY(!LangItem(12, position).isEmpty());
}

void TestCardSetupLang::labelListsIndexedByPosition()
{
    for (int language = 0; language < 3; ++language) {
        SetLanguage(false, language);
        for (int kind : {3, 4, 5}) {
            const QList<rLgMap> rows = LangRows(kind);
            for (int i = 0; i < rows.size(); ++i)
                QCOMPARE(rows.at(i).index, i);
        }
    }
    // The three conversion rows share one key; a keyed lookup gives the first.
    SetLanguage(false, 2);
    QCOMPARE(LangText(12, QStringLiteral("item_sub_ecommendation")),
             QStringLiteral("Combined when continue moving left"));
}

void TestCardSetupLang::blanksKept()
{
    for (int language = 0; language < 3; ++language) {
        SetLanguage(false, language);
        const QString port = LangText(0, QStringLiteral("pn_server_Port"));
        QVERIFY(port.startsWith(QString(10, QLatin1Char(' '))));
        QVERIFY(port.at(10) != QLatin1Char(' '));
    }
}

void TestCardSetupLang::caption_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::newRow("simplified") << 0 << QStringLiteral("V3.45 显示屏控制卡参数配置【仅限本地网段】");
    QTest::newRow("traditional") << 1 << QStringLiteral("V3.45 顯示屏控制卡參數配置【僅限本地網段】");
    QTest::newRow("english")
        << 2
        << QStringLiteral("V3.45 Display control card parameter configuration [only on local network segment]");
}

void TestCardSetupLang::caption()
{
    QFETCH(int, language);
    QFETCH(QString, caption);
    SetLanguage(true, language);
    QCOMPARE(CurLanguage(), language);
    QCOMPARE(MainCaption(), caption);
}

void TestCardSetupLang::languageOutsideRangeSelectsNoTable()
{
    SetLanguage(true, 5);
    QCOMPARE(CurLanguage(), 5);
    QCOMPARE(LangText(11, QStringLiteral("softwear_title")), QString());
    QVERIFY(LangRows(0).isEmpty());
    QCOMPARE(LangItem(12, 0), QString());
    SetLanguage(true, -1);
    QVERIFY(LangTexts(1).isEmpty());
    SetLanguage(false, 1);
    QCOMPARE(LangText(9, QStringLiteral("item_stop")), QStringLiteral("停止"));
}

QTEST_GUILESS_MAIN(TestCardSetupLang)
#include "tst_cardsetuplang.moc"
