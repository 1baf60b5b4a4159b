#include "common/lang/langtable.h"
#include "common/lang/language.h"

#include <QTest>

class TestCommonLang : public QObject
{
    Q_OBJECT
private slots:
    void firstRowOfKindWins();
    void keysComparedExactly_data();
    void keysComparedExactly();
    void kindOutOfRangeIgnored();
    void listKeepsOrderAndFiltersIndex();
    void choicesParsedAsCommaText_data();
    void choicesParsedAsCommaText();
    void choicesOfFirstMatchingRow();
    void parseGoodTable();
    void parseRejects_data();
    void parseRejects();
    void missingFile();
    void addRowsPerLanguage();
};

void TestCommonLang::firstRowOfKindWins()
{
    TLanguage t;
    t.AddMap(0, 0, QStringLiteral("sBarStatus"), QStringLiteral("panel 0"));
    t.AddMap(0, 2, QStringLiteral("sBarStatus"), QStringLiteral("panel 2"));
    t.AddMap(5, 0, QStringLiteral("tBtnNewTxt"), QStringLiteral("editor"));
    t.AddMap(7, 0, QStringLiteral("tBtnNewTxt"), QStringLiteral("inner"));
    QCOMPARE(t.GetText(0, QStringLiteral("sBarStatus")), QStringLiteral("panel 0"));
    QCOMPARE(t.GetText(5, QStringLiteral("tBtnNewTxt")), QStringLiteral("editor"));
    QCOMPARE(t.GetText(7, QStringLiteral("tBtnNewTxt")), QStringLiteral("inner"));
    QCOMPARE(t.GetText(3, QStringLiteral("tBtnNewTxt")), QString());
    QCOMPARE(t.RowCount(), 4);
    QCOMPARE(t.Rows(0).size(), 2);
    QCOMPARE(t.Rows(0).at(1).index, 2);
    QCOMPARE(t.Rows(0).at(1).kind, 0);
}

void TestCommonLang::keysComparedExactly_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("exact") << "warn_IP_empty" << "empty";
    QTest::newRow("case differs") << "warn_ip_empty" << "";
    QTest::newRow("trailing blank") << "warn_IP_empty " << "";
    QTest::newRow("prefix") << "warn_IP" << "";
    QTest::newRow("empty key") << "" << "";
}

void TestCommonLang::keysComparedExactly()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    TLanguage t;
    t.AddMap(3, 0, QStringLiteral("warn_IP_empty"), QStringLiteral("empty"));
    QCOMPARE(t.GetText(3, key), text);
}

void TestCommonLang::kindOutOfRangeIgnored()
{
    TLanguage t;
    t.AddMap(17, 0, QStringLiteral("k"), QStringLiteral("x"));
    t.AddMap(-1, 0, QStringLiteral("k"), QStringLiteral("x"));
    QCOMPARE(t.RowCount(), 0);
    QCOMPARE(t.GetText(17, QStringLiteral("k")), QString());
    QVERIFY(t.Rows(-1).isEmpty());
    QVERIFY(t.List(99, 0).isEmpty());
}

void TestCommonLang::listKeepsOrderAndFiltersIndex()
{
    TLanguage t;
    t.AddMap(11, 1, QStringLiteral("Color_Options_Red"), QStringLiteral("Red"));
    t.AddMap(11, 2, QStringLiteral("Move_Options"), QStringLiteral("Self-adapting"));
    t.AddMap(11, 1, QStringLiteral("Color_Options_Green"), QStringLiteral("Green"));
    t.AddMap(10, 1, QStringLiteral("cmdComm"), QStringLiteral("Network"));
    QCOMPARE(t.List(11, 1), (QStringList{QStringLiteral("Red"), QStringLiteral("Green")}));
    QCOMPARE(t.List(11, 2), QStringList{QStringLiteral("Self-adapting")});
    QVERIFY(t.List(11, 3).isEmpty());
}

void TestCommonLang::choicesParsedAsCommaText_data()
{
    QTest::addColumn<QString>("choices");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("none") << QString() << QStringList();
    QTest::newRow("plain") << "a,b,c" << QStringList{"a", "b", "c"};
    QTest::newRow("blank splits") << "a b,c" << QStringList{"a", "b", "c"};
    QTest::newRow("full-width space keeps item")
        << QStringLiteral("Exit,Please　choice　week　items　to　set!")
        << QStringList{QStringLiteral("Exit"), QStringLiteral("Please　choice　week　items　to　set!")};
    QTest::newRow("quoted") << "\"a, b\",c" << QStringList{"a, b", "c"};
    QTest::newRow("trailing comma") << "a," << QStringList{"a", ""};
}

void TestCommonLang::choicesParsedAsCommaText()
{
    QFETCH(QString, choices);
    QFETCH(QStringList, items);
    TLanguage t;
    t.AddMap(2, 2, QStringLiteral("vLEditor"), QStringLiteral("Play_By_Week"), choices);
    QCOMPARE(t.Rows(2).first().choices, items);
}

void TestCommonLang::choicesOfFirstMatchingRow()
{
    TLanguage t;
    t.AddMap(2, 1, QStringLiteral("vLEditor"), QStringLiteral("Type"));
    t.AddMap(2, 2, QStringLiteral("vLEditor"), QStringLiteral("Type"));
    t.AddMap(2, 2, QStringLiteral("vLEditor"), QStringLiteral("Play_By_Week"), QStringLiteral("x,y"));
    t.AddMap(2, 2, QStringLiteral("vLEditor"), QStringLiteral("Play_By_Week"), QStringLiteral("z"));
    QCOMPARE(t.Choices(2, 2, QStringLiteral("Play_By_Week")),
             (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    QVERIFY(t.Choices(2, 1, QStringLiteral("Play_By_Week")).isEmpty());
    QVERIFY(t.Choices(2, 2, QStringLiteral("Type")).isEmpty());
    QVERIFY(t.Choices(2, 2, QStringLiteral("nothing")).isEmpty());
}

void TestCommonLang::parseGoodTable()
{
    const QByteArray data = QStringLiteral(
        "# kind\tindex\tkey\n"
        "\n"
        "0\t0\tfrmMain\t标题 \t標題 \tTitle \r\n"
        "2\t2\tvLEditor\t周\t週\tWeek\ta,b\tc\td e\n"
        "3\t0\tmsg\t一\\n二\t一\\t二\tback\\\\slash\n"
        "15\t0\tUnit_T\t℃\t℃\t℃").toUtf8();
    const LangTableData t = ParseLangTable(data);
    QVERIFY2(t.ok(), qPrintable(t.error));
    QCOMPARE(t.rows.size(), 4);
    QCOMPARE(t.rows.at(0).text[LangSimplified], QStringLiteral("标题 "));
    QCOMPARE(t.rows.at(0).text[LangEnglish], QStringLiteral("Title "));
    QCOMPARE(t.rows.at(0).line, 3);
    QCOMPARE(t.rows.at(1).choices[LangTraditional], QStringLiteral("c"));
    QCOMPARE(t.rows.at(1).choices[LangEnglish], QStringLiteral("d e"));
    QCOMPARE(t.rows.at(2).text[LangSimplified], QStringLiteral("一\n二"));
    QCOMPARE(t.rows.at(2).text[LangTraditional], QStringLiteral("一\t二"));
    QCOMPARE(t.rows.at(2).text[LangEnglish], QStringLiteral("back\\slash"));
    QCOMPARE(t.rows.at(3).kind, 15);
    QCOMPARE(t.rows.at(3).text[LangEnglish], QStringLiteral("℃"));
}

void TestCommonLang::parseRejects_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("lineRef");
    QTest::newRow("too few fields") << QByteArray("0\t0\tk\ta\tb\tc\n3\t0\tk\ta\tb\n")
                                    << "line 2";
    QTest::newRow("seven fields") << QByteArray("3\t0\tk\ta\tb\tc\td\n") << "line 1";
    QTest::newRow("kind too large") << QByteArray("17\t0\tk\ta\tb\tc\n") << "line 1";
    QTest::newRow("negative kind") << QByteArray("-1\t0\tk\ta\tb\tc\n") << "line 1";
    QTest::newRow("index not a number") << QByteArray("# x\n3\tx\tk\ta\tb\tc\n") << "line 2";
    QTest::newRow("empty key") << QByteArray("3\t0\t\ta\tb\tc\n") << "line 1";
}

void TestCommonLang::parseRejects()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, lineRef);
    const LangTableData t = ParseLangTable(data);
    QVERIFY(!t.ok());
    QVERIFY2(t.error.startsWith(lineRef + QLatin1Char(':')), qPrintable(t.error));
    QVERIFY(t.rows.isEmpty());
}

void TestCommonLang::missingFile()
{
    const LangTableData t = LoadLangTable(QStringLiteral("/nonexistent/lang.tsv"));
    QVERIFY(!t.ok());
    QVERIFY(t.rows.isEmpty());
}

void TestCommonLang::addRowsPerLanguage()
{
    const LangTableData data = ParseLangTable(
        QStringLiteral("3\t0\tobject_card\t控制卡\t控制卡\tcard\n"
                       "2\t2\tvLEditor\t周\t週\tWeek\ta,b\tc,d\te,f,g\n").toUtf8());
    QVERIFY(data.ok());
    TLanguage en;
    AddLangRows(en, data, LangEnglish);
    QCOMPARE(en.GetText(3, QStringLiteral("object_card")), QStringLiteral("card"));
    QCOMPARE(en.Choices(2, 2, QStringLiteral("Week")).size(), 3);
    TLanguage tc;
    AddLangRows(tc, data, LangTraditional);
    QCOMPARE(tc.GetText(2, QStringLiteral("vLEditor")), QStringLiteral("週"));
    QCOMPARE(tc.Choices(2, 2, QStringLiteral("週")), (QStringList{QStringLiteral("c"), QStringLiteral("d")}));
    TLanguage none;
    AddLangRows(none, data, 3);
    QCOMPARE(none.RowCount(), 0);
}

QTEST_GUILESS_MAIN(TestCommonLang)
#include "tst_commonlang.moc"
