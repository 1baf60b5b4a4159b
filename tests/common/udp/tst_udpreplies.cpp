#include "common/udp/paramblock.h"
#include "common/udp/udpinforeply.h"
#include "common/udp/udpsearchreply.h"
#include "tests/common/udp/goldenhex.h"
#include "tests/common/udp/tst_suites.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray InfoReply()
{
    return LoadGoldenHex(QStringLiteral("udp/info_reply.hex"));
}

// A reply padded with zero bytes beyond 170, carrying the given items.
QByteArray Padded(const QByteArray &items)
{
    return items + QByteArray(qMax<qsizetype>(0, 171 - items.size()), '\0');
}

} // namespace

void TestUdpReplies::searchReply_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("extended");
    QTest::addColumn<int>("version");

    const QByteArray golden = LoadGoldenHex(QStringLiteral("udp/search_reply_35.hex"));
    QTest::newRow("35 bytes with version") << golden << true << true << 54;
    QTest::newRow("34 bytes read as version 0") << golden.left(34) << true << false << 0;
    QTest::newRow("22 bytes still carry the MAC") << golden.left(22) << true << false << 0;
    QTest::newRow("21 bytes too short") << golden.left(21) << false << false << 0;
    QTest::newRow("3 bytes") << golden.left(3) << false << false << 0;
    QTest::newRow("empty") << QByteArray() << false << false << 0;
    QTest::newRow("170 bytes") << golden + QByteArray(135, '\x01') << true << true << 54;
    QTest::newRow("171 bytes is not a search reply") << golden + QByteArray(136, '\x01') << false << false << 0;
    QByteArray wrongTag = golden;
    wrongTag[1] = 0x02;
    QTest::newRow("not A1 01") << wrongTag << false << false << 0;
}

void TestUdpReplies::searchReply()
{
    QFETCH(QByteArray, datagram);
    QFETCH(bool, ok);
    QFETCH(bool, extended);
    QFETCH(int, version);
    const CodecResult<UdpSearchReply> r = ParseUdpSearchReply(datagram);
    QCOMPARE(r.Ok(), ok);
    if (!ok)
        return;
    QCOMPARE(r.Value.Ip.Text(), QStringLiteral("192.168.1.5"));
    QCOMPARE(r.Value.Mac.HexText(), QStringLiteral("00:1A:2B:3C:4D:5E"));
    QCOMPARE(r.Value.HasExtension, extended);
    QCOMPARE(r.Value.Version, version);
    QCOMPARE(r.Value.ServerIp.Text(), extended ? QStringLiteral("192.168.1.100") : QStringLiteral("0.0.0.0"));
}

void TestUdpReplies::infoReplyGolden()
{
    const QByteArray datagram = InfoReply();
    QCOMPARE(datagram.size(), 171);
    QVERIFY(IsUdpInfoReply(datagram));
    QVERIFY(!IsUdpInfoReply(datagram.left(170)));

    const UdpInfoReply r = DecodeUdpInfoReply(datagram, true);
    QVERIFY(r.Mac && r.Ip && r.Mask && r.Gateway && r.ServerIp && r.ServerPort && r.Version);
    QCOMPARE(r.Mac->HexText(), QStringLiteral("00:1A:2B:3C:4D:5E"));
    QCOMPARE(r.Ip->Text(), QStringLiteral("192.168.1.5"));
    QCOMPARE(r.Mask->Text(), QStringLiteral("255.255.255.0"));
    QCOMPARE(r.Gateway->Text(), QStringLiteral("192.168.1.1"));
    QCOMPARE(r.ServerIp->Text(), QStringLiteral("192.168.1.100"));
    QCOMPARE(*r.ServerPort, quint16(8900));
    QCOMPARE(*r.Version, 55);
    QVERIFY(r.Params);
    const ParamBlock p = ParamBlock::Decode(*r.Params).Value;
    QCOMPARE(p.Width, quint16(320));
    QCOMPARE(p.ScanMode, 13);
    QVERIFY(r.InnerCode);
    QCOMPARE(UdpInfoReply::InnerCodeHexText(*r.InnerCode), QStringLiteral("01_02_03_04_05_06_07_08"));
    QVERIFY(r.ConfigMode && r.Dns && r.Domain);
    QCOMPARE(int(*r.ConfigMode), 0x0F);
    QCOMPARE(r.Dns->Text(), QStringLiteral("8.8.4.4"));
    QCOMPARE(*r.Domain, QStringLiteral("led.example.com"));

    const QList<UdpInfoItem> items = WalkUdpInfoReply(datagram, true);
    QList<int> tags;
    for (const UdpInfoItem &item : items)
        tags << item.Tag;
    QCOMPARE(tags, (QList<int>{0x04, 0x05, 0x06, 0x07, 0x17, 0x18, 0x20, 0x21, 0x22, 0x19, 0x1A, 0x16}));
    QCOMPARE(items.first().Position, 0);
    QCOMPARE(items.last().Position, 171 - 68);
}

void TestUdpReplies::infoReplyWithoutDhcpTags()
{
    const UdpInfoReply r = DecodeUdpInfoReply(InfoReply(), false);
    QVERIFY(r.Ip && r.Params && r.InnerCode);
    QVERIFY(!r.ConfigMode);
    QVERIFY(!r.Dns);
    QVERIFY(!r.Domain);
}

void TestUdpReplies::infoReplyWalksEveryPosition()
{
    // Items inside another item's data are met too, and a later one wins.
    QByteArray domain("A1 05 04 0A 00 00 01 FF");
    domain = QByteArray::fromHex(domain.replace(' ', ""));
    QByteArray datagram = InfoReply();
    datagram.replace(171 - 65 + 20, domain.size(), domain);
    QCOMPARE(datagram.size(), 171);

    const UdpInfoReply r = DecodeUdpInfoReply(datagram, true);
    QCOMPARE(r.Ip->Text(), QStringLiteral("10.0.0.1"));
    const QList<UdpInfoItem> items = WalkUdpInfoReply(datagram, true);
    QCOMPARE(items.last().Tag, quint8(0x05));
    QCOMPARE(items.last().Position, 171 - 65 + 20);
}

void TestUdpReplies::infoReplyEdgeItems_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<QList<int>>("tags");

    const QByteArray mode = QByteArray::fromHex("A119010FFF");
    QTest::newRow("configuration mode") << Padded(mode) << true << QList<int>{0x19};
    QTest::newRow("configuration mode of length 2 ignored") << Padded(QByteArray::fromHex("A119020F00FF")) << true
                                                            << QList<int>{};
    QTest::newRow("DHCP tags ignored when off") << Padded(mode) << false << QList<int>{};
    QTest::newRow("unknown tag skipped") << Padded(QByteArray::fromHex("A1400401020304FF")) << true
                                         << QList<int>{};
    QByteArray tail(171, '\0');
    tail.replace(171 - 5, 5, QByteArray::fromHex("A105040102"));
    QTest::newRow("data past the end not decoded") << tail << true << QList<int>{};
    QByteArray atEnd(171, '\0');
    atEnd.replace(171 - 7, 7, QByteArray::fromHex("A10504C0A80107"));
    QTest::newRow("data ending at the last byte decoded") << atEnd << true << QList<int>{0x05};
    QByteArray lastA1(171, '\0');
    lastA1[170] = char(0xA1);
    QTest::newRow("A1 as the last byte") << lastA1 << true << QList<int>{};
    QTest::newRow("length byte not trusted") << Padded(QByteArray::fromHex("A10540C0A80107FF")) << true
                                             << QList<int>{0x05};
}

void TestUdpReplies::infoReplyEdgeItems()
{
    QFETCH(QByteArray, datagram);
    QFETCH(bool, dhcp);
    QFETCH(QList<int>, tags);
    QList<int> got;
    for (const UdpInfoItem &item : WalkUdpInfoReply(datagram, dhcp)) {
        got << item.Tag;
        QCOMPARE(item.Data.size(), UdpInfoTag::DataSize(item.Tag));
    }
    QCOMPARE(got, tags);
}

void TestUdpReplies::infoReplyTruncations_data()
{
    QTest::addColumn<int>("length");
    for (int n = 0; n <= 171; ++n)
        QTest::addRow("%d bytes", n) << n;
}

void TestUdpReplies::infoReplyTruncations()
{
    QFETCH(int, length);
    // A copy of exactly that length, so the sanitizer sees any read past it.
    const QByteArray cut = InfoReply().left(length);
    const QList<UdpInfoItem> items = WalkUdpInfoReply(cut, true);
    for (const UdpInfoItem &item : items) {
        QVERIFY(item.Position + 3 + item.Data.size() <= cut.size());
        QCOMPARE(item.Data, cut.mid(item.Position + 3, UdpInfoTag::DataSize(item.Tag)));
    }
    const UdpInfoReply r = DecodeUdpInfoReply(cut, true);
    // The MAC item (first 10 bytes) is complete from 9 bytes on; the domain
    // item needs the whole datagram.
    QCOMPARE(bool(r.Mac), length >= 9);
    QCOMPARE(bool(r.Domain), length >= 170);
    ParseUdpSearchReply(cut);
}

void TestUdpReplies::searchReplyTruncations()
{
    const QByteArray golden = LoadGoldenHex(QStringLiteral("udp/search_reply_35.hex"));
    for (int n = 0; n <= golden.size(); ++n) {
        const QByteArray cut = golden.left(n);
        const CodecResult<UdpSearchReply> r = ParseUdpSearchReply(cut);
        QCOMPARE(r.Ok(), n >= 22);
        if (r.Ok())
            QCOMPARE(r.Value.Version, n >= 35 ? 54 : 0);
        QVERIFY(WalkUdpInfoReply(cut, true).size() <= 1);
    }
}

void TestUdpReplies::randomDatagrams()
{
    QRandomGenerator rng(8800);
    for (int round = 0; round < 2000; ++round) {
        QByteArray d(rng.bounded(400), '\0');
        for (char &c : d)
            c = char(rng.bounded(8) == 0 ? 0xA1 : rng.bounded(256));
        for (const UdpInfoItem &item : WalkUdpInfoReply(d, round % 2)) {
            QCOMPARE(quint8(d[item.Position]), quint8(0xA1));
            QCOMPARE(quint8(d[item.Position + 1]), item.Tag);
            QCOMPARE(item.Data, d.mid(item.Position + 3, UdpInfoTag::DataSize(item.Tag)));
        }
        DecodeUdpInfoReply(d, true);
        ParseUdpSearchReply(d);
        ParamBlock::Decode(d, rng.bounded(20));
    }
}
