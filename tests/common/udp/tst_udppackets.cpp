#include "common/udp/udpconfigwrite.h"
#include "common/udp/udpitem.h"
#include "common/udp/udprequests.h"
#include "tests/common/udp/goldenhex.h"
#include "tests/common/udp/tst_suites.h"

#include <QTest>

namespace {

MacAddress Mac()
{
    return MacAddress::FromBytes(QByteArray("\x00\x1A\x2B\x3C\x4D\x5E", 6)).Value;
}

ParamBlock SampleBlock()
{
    return ParamBlock::Decode(QByteArray("\x15\x01\x01\x40\x00\xA0\x02\x00\x03\x01\x05\x22\x44\x22\x22\x11\x1E", 17))
        .Value;
}

UdpConfigWrite SampleWrite(bool byMac, bool dhcp, bool domain)
{
    UdpConfigWrite w;
    w.MacAddressing = byMac;
    w.Mac = Mac();
    w.Params = SampleBlock();
    w.Ip = Ipv4Address::FromOctets(192, 168, 1, 5);
    w.Mask = Ipv4Address::FromOctets(255, 255, 255, 0);
    w.Gateway = Ipv4Address::FromOctets(192, 168, 1, 1);
    w.ServerIp = Ipv4Address::FromOctets(192, 168, 1, 100);
    w.ServerPort = 8900;
    w.DhcpFeature = dhcp;
    w.Mode.ServerByDomain = domain;
    w.Mode.ManualDns = true;
    w.Mode.ConfigMode = ConfigModeBits::Dhcp;
    w.Dns = Ipv4Address::FromOctets(8, 8, 8, 8);
    w.Domain = QStringLiteral("  led.example.com ");
    return w;
}

} // namespace

void TestUdpPackets::requests_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("built");
    QTest::newRow("search") << "udp/search.hex" << UdpSearch();
    QTest::newRow("information by MAC") << "udp/info_by_mac.hex" << UdpInfoRequestByMac(Mac());
    QTest::newRow("information by IP") << "udp/info_by_ip.hex" << UdpInfoRequestByIp();
}

void TestUdpPackets::requests()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, built);
    QString error;
    const QByteArray expected = LoadGoldenHex(file, &error);
    QVERIFY2(!expected.isEmpty(), qPrintable(error));
    QCOMPARE(built.toHex(' '), expected.toHex(' '));
}

void TestUdpPackets::configWrite_data()
{
    QTest::addColumn<bool>("byMac");
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<bool>("domain");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("start");

    QTest::newRow("IP") << false << false << false << 69 << QByteArray("\xA1\x21\x11\x15");
    QTest::newRow("IP, DHCP") << false << true << false << 86 << QByteArray("\xA1\x21\x11\x15");
    QTest::newRow("IP, DHCP, domain") << false << true << true << 154 << QByteArray("\xA1\x21\x11\x15");
    QTest::newRow("MAC") << true << false << false << 79 << QByteArray("\xA1\x30\x06\x00\x1A", 5);
    QTest::newRow("MAC, DHCP") << true << true << false << 96 << QByteArray("\xA1\x30\x06\x00\x1A", 5);
    QTest::newRow("MAC, DHCP, domain") << true << true << true << 164 << QByteArray("\xA1\x30\x06\x00\x1A", 5);
    QTest::newRow("domain without DHCP feature") << true << false << true << 79 << QByteArray("\xA1\x30\x06", 3);
}

void TestUdpPackets::configWrite()
{
    QFETCH(bool, byMac);
    QFETCH(bool, dhcp);
    QFETCH(bool, domain);
    QFETCH(int, size);
    QFETCH(QByteArray, start);
    const CodecResult<QByteArray> r = SampleWrite(byMac, dhcp, domain).Build();
    QVERIFY2(r.Ok(), qPrintable(r.Error));
    QCOMPARE(r.Value.size(), size);
    QVERIFY(r.Value.startsWith(start));

    // Walk the items: each A1 tag n data FF, back to back to the end.
    QList<int> tags;
    qsizetype p = 0;
    while (p < r.Value.size()) {
        QCOMPARE(quint8(r.Value[p]), quint8(0xA1));
        const int n = quint8(r.Value[p + 2]);
        QCOMPARE(quint8(r.Value[p + 3 + n]), quint8(0xFF));
        tags << quint8(r.Value[p + 1]);
        p += n + 4;
    }
    QCOMPARE(p, r.Value.size());
    const int t = byMac ? 0x30 : 0;
    QList<int> expected;
    if (byMac)
        expected << 0x30;
    expected << 0x21 + t << 0x05 + t << 0x06 + t << 0x07 + t << 0x17 + t << 0x18 + t << 0x02 + t;
    if (dhcp)
        expected << 0x49 << 0x4A;
    if (dhcp && domain)
        expected << 0x46;
    QCOMPARE(tags, expected);
    // Port 8900 is 22 C4.
    QVERIFY(r.Value.contains(QByteArray("\x22\xC4\xFF")));
}

void TestUdpPackets::configWriteGolden_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("byMac");
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<bool>("domain");
    QTest::newRow("by IP") << "udp/config_write_ip.hex" << false << false << false;
    QTest::newRow("by MAC") << "udp/config_write_mac.hex" << true << false << false;
    QTest::newRow("by MAC with domain") << "udp/config_write_mac_domain.hex" << true << true << true;
}

void TestUdpPackets::configWriteGolden()
{
    QFETCH(QString, file);
    QFETCH(bool, byMac);
    QFETCH(bool, dhcp);
    QFETCH(bool, domain);
    QString error;
    const QByteArray expected = LoadGoldenHex(file, &error);
    QVERIFY2(!expected.isEmpty(), qPrintable(error));
    const CodecResult<QByteArray> r = SampleWrite(byMac, dhcp, domain).Build();
    QVERIFY(r.Ok());
    QCOMPARE(r.Value.toHex(' '), expected.toHex(' '));
}

void TestUdpPackets::configModeByte_data()
{
    QTest::addColumn<bool>("serverByDomain");
    QTest::addColumn<bool>("manualDns");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("byte");

    QTest::newRow("DHCP, automatic DNS, server IP") << false << false << int(ConfigModeBits::Dhcp) << 0x0F;
    QTest::newRow("manual, manual DNS, server IP") << false << true << int(ConfigModeBits::Manual) << 0x00;
    QTest::newRow("DHCP, manual DNS, server IP") << false << true << int(ConfigModeBits::Dhcp) << 0x03;
    QTest::newRow("software, manual DNS, server IP") << false << true << int(ConfigModeBits::Software) << 0x01;
    QTest::newRow("manual, automatic DNS, domain") << true << false << int(ConfigModeBits::Manual) << 0x3C;
    QTest::newRow("DHCP, manual DNS, domain") << true << true << int(ConfigModeBits::Dhcp) << 0x33;
}

void TestUdpPackets::configModeByte()
{
    QFETCH(bool, serverByDomain);
    QFETCH(bool, manualDns);
    QFETCH(int, mode);
    QFETCH(int, byte);
    ConfigModeBits m;
    m.ServerByDomain = serverByDomain;
    m.ManualDns = manualDns;
    m.ConfigMode = mode;
    QCOMPARE(int(m.ToByte()), byte);
    const ConfigModeBits back = ConfigModeBits::FromByte(quint8(byte));
    QCOMPARE(back.ServerByDomain, serverByDomain);
    QCOMPARE(back.ManualDns, manualDns);
    QCOMPARE(back.ConfigMode, mode);
}

void TestUdpPackets::domainLimits_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<bool>("ok");
    QTest::newRow("63 characters") << QString(63, QLatin1Char('a')) << true;
    QTest::newRow("64 characters") << QString(64, QLatin1Char('a')) << false;
    QTest::newRow("63 after trimming") << QStringLiteral("  ") + QString(63, QLatin1Char('b')) + QStringLiteral(" ")
                                       << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("not ASCII") << QString::fromUtf8("显示屏.cn") << false;
}

void TestUdpPackets::domainLimits()
{
    QFETCH(QString, domain);
    QFETCH(bool, ok);
    UdpConfigWrite w = SampleWrite(true, true, true);
    w.Domain = domain;
    const CodecResult<QByteArray> r = w.Build();
    QCOMPARE(r.Ok(), ok);
    if (ok) {
        QCOMPARE(r.Value.size(), 164);
        const QByteArray name = domain.trimmed().toLatin1();
        QCOMPARE(r.Value.mid(164 - 65, name.size()), name);
        QCOMPARE(r.Value.mid(164 - 65 + name.size(), 64 - name.size()), QByteArray(64 - name.size(), '\0'));
    } else {
        QVERIFY(!r.Error.isEmpty());
    }
    // Without the domain selected the text is not sent and not checked.
    w.Mode.ServerByDomain = false;
    QCOMPARE(w.Build().Value.size(), 96);
}

void TestUdpPackets::dnsItem()
{
    UdpConfigWrite w = SampleWrite(false, true, false);
    QByteArray packet = w.Build().Value;
    QVERIFY(packet.endsWith(QByteArray("\xA1\x4A\x08\x08\x08\x08\x08\x00\x00\x00\x00\xFF", 12)));
    w.Mode.ManualDns = false;
    packet = w.Build().Value;
    QVERIFY(packet.endsWith(QByteArray("\xA1\x4A\x08\x00\x00\x00\x00\x00\x00\x00\x00\xFF", 12)));
    QCOMPARE(quint8(packet[packet.size() - 12 - 2]), quint8(0x0F));
}

void TestUdpPackets::addressTexts()
{
    QCOMPARE(Mac().HexText(), QStringLiteral("00:1A:2B:3C:4D:5E"));
    QCOMPARE(Mac().DecimalText(), QStringLiteral("0:26:43:60:77:94"));
    QCOMPARE(MacAddress::FromHexText(QStringLiteral("00:1a:2b:3c:4d:5e")).Value, Mac());
    QCOMPARE(MacAddress::FromDecimalText(QStringLiteral("0:26:43:60:77:94")).Value, Mac());
    QVERIFY(!MacAddress::FromHexText(QStringLiteral("00:1A:2B")).Ok());
    QVERIFY(!MacAddress::FromHexText(QStringLiteral("00:1A:2B:3C:4D:ZZ")).Ok());
    QVERIFY(!MacAddress::FromDecimalText(QStringLiteral("0:26:43:60:77:256")).Ok());
    QVERIFY(!MacAddress::FromDecimalText(QStringLiteral("0:26:43:60:77")).Ok());
    QVERIFY(!MacAddress::FromBytes(QByteArray(5, '\0')).Ok());

    QCOMPARE(Ipv4Address::FromText(QStringLiteral(" 192.168.1.100 ")).Value.ToByteArray(),
             QByteArray("\xC0\xA8\x01\x64"));
    QCOMPARE(Ipv4Address::FromOctets(10, 0, 0, 1).Text(), QStringLiteral("10.0.0.1"));
    QVERIFY(!Ipv4Address::FromText(QStringLiteral("192.168.1.256")).Ok());
    QVERIFY(!Ipv4Address::FromText(QStringLiteral("192.168.1")).Ok());
    QVERIFY(!Ipv4Address::FromText(QStringLiteral("a.b.c.d")).Ok());
    QVERIFY(!Ipv4Address::FromBytes(QByteArray(4, '\0'), 1).Ok());

    QCOMPARE(UdpItem::Build(0x20, QByteArray("\x37")), QByteArray("\xA1\x20\x01\x37\xFF"));
    QCOMPARE(UdpItem::Build(0x15, QByteArray()), QByteArray("\xA1\x15\x00\xFF", 4));
}

void TestUdpPackets::parseItems_data()
{
    QTest::addColumn<QByteArray>("packet");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<int>>("tags");

    const QByteArray write = SampleWrite(true, true, true).Build().Value;
    QTest::newRow("configuration write") << write << true
                                         << QList<int>{0x30, 0x51, 0x35, 0x36, 0x37, 0x47, 0x48, 0x32, 0x49, 0x4A, 0x46};
    QTest::newRow("search") << UdpSearch() << true << QList<int>{0x15};
    QTest::newRow("empty item") << QByteArray("\xA1\x15\x00\xFF", 4) << true << QList<int>{0x15};
    QTest::newRow("empty packet") << QByteArray() << false << QList<int>{};
    QTest::newRow("cut in the last item") << write.left(write.size() - 1) << false << QList<int>{};
    QTest::newRow("three bytes") << UdpSearch().left(3) << false << QList<int>{};
    QTest::newRow("missing end byte") << QByteArray("\xA1\x15\x02\x00\x00\x00", 6) << false << QList<int>{};
    QTest::newRow("missing start byte") << QByteArray("\xA2\x15\x02\x00\x00\xFF", 6) << false << QList<int>{};
    QTest::newRow("length past the end") << QByteArray("\xA1\x15\xF0\x00\x00\xFF", 6) << false << QList<int>{};
    QTest::newRow("trailing garbage") << UdpSearch() + "x" << false << QList<int>{};
}

void TestUdpPackets::parseItems()
{
    QFETCH(QByteArray, packet);
    QFETCH(bool, ok);
    QFETCH(QList<int>, tags);
    const CodecResult<QList<UdpItem::Parts>> r = UdpItem::Parse(packet);
    QCOMPARE(r.Ok(), ok);
    QList<int> got;
    QByteArray rebuilt;
    for (const UdpItem::Parts &item : r.Value) {
        got << item.Tag;
        rebuilt += UdpItem::Build(item.Tag, item.Data);
    }
    QCOMPARE(got, tags);
    if (ok)
        QCOMPARE(rebuilt, packet);
}
