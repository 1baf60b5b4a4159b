#include "common/base/commatext.h"
#include "tests/common/base/tst_suites.h"

#include <QTest>

void TestCommaText::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("plain") << "a,b,c" << QStringList{"a", "b", "c"};
    QTest::newRow("blank ends an item") << "a b,c" << QStringList{"a", "b", "c"};
    QTest::newRow("blanks between items skipped") << "  a ,  b" << QStringList{"a", "b"};
    QTest::newRow("trailing comma adds one empty item") << "a,b," << QStringList{"a", "b", ""};
    QTest::newRow("trailing comma then blank adds nothing") << "a,b, " << QStringList{"a", "b"};
    QTest::newRow("two commas give an empty item") << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("leading comma") << ",a" << QStringList{"", "a"};
    QTest::newRow("tab and control chars split") << QString("a\tb\x01" "c") << QStringList{"a", "b", "c"};
    QTest::newRow("quoted with comma and blank") << "\"a, b\",c" << QStringList{"a, b", "c"};
    QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\",x" << QStringList{"say \"hi\"", "x"};
    QTest::newRow("unterminated quote runs to end") << "\"abc,d" << QStringList{"abc,d"};
    QTest::newRow("text after closing quote is a new item") << "\"ab\"cd,e" << QStringList{"ab", "cd", "e"};
    QTest::newRow("NUL ends the text") << QString("a,b") + QChar(0) + ",c" << QStringList{"a", "b"};
    // A stored card line: 7 fields, the last one empty.
    QTest::newRow("card line ending in a comma")
        << "256,128,prgFiles\\card?*1.prg,1_2_3_4_5_6_7_8,192.168.1.9,00:11:22:33:44:55,"
        << QStringList{"256", "128", "prgFiles\\card?*1.prg", "1_2_3_4_5_6_7_8", "192.168.1.9",
                       "00:11:22:33:44:55", ""};
    // A pick list of the property grid.
    QTest::newRow("pick list") << "\"Left Move\",\"Right Move\",Static"
                               << QStringList{"Left Move", "Right Move", "Static"};
    // Full-width spaces (U+3000) are above 32 and keep an item whole.
    QTest::newRow("full-width spaces stay inside")
        << QString::fromUtf8("Mon,Please\u3000choice\u3000week\u3000items\u3000to\u3000set!")
        << QStringList{"Mon", QString::fromUtf8("Please\u3000choice\u3000week\u3000items\u3000to\u3000set!")};
}

void TestCommaText::split()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QCOMPARE(SplitCommaText(text), items);
}

void TestCommaText::delimited_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("runs") << "red^a>green^b" << ">" << QStringList{"red^a", "green^b"};
    QTest::newRow("line break before delimiter disappears") << "r1\r\n>r2" << ">" << QStringList{"r1", "r2"};
    QTest::newRow("fields") << "red^宋体^12^0^0^0^0^0^1^Hi" << "^"
                            << QStringList{"red", "宋体", "12", "0", "0", "0", "0", "0", "1", "Hi"};
    QTest::newRow("empty field between carets") << "a^^b" << "^" << QStringList{"a", "", "b"};
    QTest::newRow("comma is not a delimiter here") << "a,b^c" << "^" << QStringList{"a,b", "c"};
    QTest::newRow("leading blanks skipped") << "  \t x>y" << ">" << QStringList{"x", "y"};
    QTest::newRow("quoted field") << "\"a^b\"^c" << "^" << QStringList{"a^b", "c"};
}

void TestCommaText::delimited()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QFETCH(QStringList, items);
    QCOMPARE(SplitDelimited(text, delimiter.at(0)), items);
}

void TestCommaText::joinRoundTrip()
{
    const QStringList items{"256", "128", "", "x"};
    QCOMPARE(JoinCommaText(items), QStringLiteral("256,128,,x"));
    QCOMPARE(SplitCommaText(JoinCommaText(items)), items);
}
