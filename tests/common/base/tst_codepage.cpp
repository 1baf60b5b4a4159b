#include "common/base/codepage.h"
#include "tests/common/base/tst_suites.h"

#include <QTest>

void TestCodePage::cut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ascii fits") << "ABCDEF" << 10 << "ABCDEF";
    QTest::newRow("ascii cut") << "ABCDEF" << 4 << "ABCD";
    QTest::newRow("chinese fits exactly") << QString::fromUtf8("AB中") << 4 << QString::fromUtf8("AB中");
    QTest::newRow("chinese across the limit") << QString::fromUtf8("ABC中") << 4 << "ABC";
    QTest::newRow("zero") << "AB" << 0 << "";
    QTest::newRow("all chinese odd limit") << QString::fromUtf8("中文字") << 5 << QString::fromUtf8("中文");
}

void TestCodePage::cut()
{
    CodePage::SetOverride("GBK");
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(QString, expected);
    QCOMPARE(CodePage::CutToBytes(text, limit), expected);
    QVERIFY(CodePage::ByteLength(CodePage::CutToBytes(text, limit)) <= limit);
    CodePage::SetOverride(QByteArray());
}

void TestCodePage::big5Override()
{
    CodePage::SetOverride("Big5");
    QCOMPARE(CodePage::Encode(QString::fromUtf8("中")), QByteArray("\xA4\xA4"));
    QCOMPARE(CodePage::Decode(QByteArray("\xA4\xA4")), QString::fromUtf8("中"));
    CodePage::SetOverride("GBK");
    QCOMPARE(CodePage::Encode(QString::fromUtf8("中")), QByteArray("\xD6\xD0"));
    QCOMPARE(CodePage::ByteLength(QString::fromUtf8("A中")), 2 + 1);
    CodePage::SetOverride(QByteArray());
}
