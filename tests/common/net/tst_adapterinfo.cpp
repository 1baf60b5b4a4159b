#include "common/net/adapterinfo.h"

#include <QTest>

class TestAdapterInfo : public QObject
{
    Q_OBJECT
private slots:
    void macText_data();
    void macText();
    void defaultGateways();
    void adapterRules();
    void liveListKeepsItsPromises();
};

void TestAdapterInfo::macText_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("expected");
    QTest::newRow("lower") << "00:1a:2b:3c:4d:5e" << "00-1A-2B-3C-4D-5E";
    QTest::newRow("upper") << "AA:BB:CC:DD:EE:FF" << "AA-BB-CC-DD-EE-FF";
    QTest::newRow("none") << "" << "";
}

void TestAdapterInfo::macText()
{
    QFETCH(QString, raw);
    QFETCH(QString, expected);
    QCOMPARE(MacWithHyphens(raw), expected);
}

void TestAdapterInfo::defaultGateways()
{
    const QByteArray route =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
        "eth0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n"
        "eth0\t00000000\t FE01A8C0\t0003\t0\t0\t200\t00000000\t0\t0\t0\n"
        "wlan0\t00000000\t010A0A0A\t0001\t0\t0\t600\t00000000\t0\t0\t0\n" // no gateway flag
        "eth1\t00000000\t0100000A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
        "garbage line\n";
    const QMap<QString, QString> g = ParseDefaultGateways(route);
    QCOMPARE(g.value("eth0"), QString("192.168.1.1")); // the first default route wins
    QCOMPARE(g.value("eth1"), QString("10.0.0.1"));
    QVERIFY(!g.contains("wlan0"));
    QCOMPARE(g.size(), 2);
}

void TestAdapterInfo::adapterRules()
{
    using A = InterfaceSnapshot::Address;
    InterfaceSnapshot lo{1, "lo", "lo", true, true, "00:00:00:00:00:00",
                         {A{QHostAddress("127.0.0.1"), QHostAddress("255.0.0.0")}}};
    InterfaceSnapshot eth0{2, "eth0", "eth0", true, false, "00:1a:2b:3c:4d:5e",
                           {A{QHostAddress("fe80::1"), QHostAddress("ffff:ffff:ffff:ffff::")},
                            A{QHostAddress("192.168.1.20"), QHostAddress("255.255.255.0")},
                            A{QHostAddress("192.168.1.21"), QHostAddress("255.255.0.0")}}};
    InterfaceSnapshot down{3, "eth1", "eth1", false, false, "00:1a:2b:3c:4d:5f",
                           {A{QHostAddress("10.0.0.2"), QHostAddress("255.0.0.0")}}};
    InterfaceSnapshot v6only{4, "eth2", "eth2", true, false, "00:1a:2b:3c:4d:60",
                             {A{QHostAddress("fe80::2"), QHostAddress("ffff:ffff:ffff:ffff::")}}};
    InterfaceSnapshot wlan{5, "wlan0", QString(200, QLatin1Char('w')), true, false, "aa:bb:cc:dd:ee:ff",
                           {A{QHostAddress("10.1.2.3"), QHostAddress("255.255.0.0")}}};

    const QList<TAdapterInfo> list = BuildAdapterList({lo, eth0, down, v6only, wlan},
                                                      {{"eth0", "192.168.1.1"}},
                                                      {{"wlan0", "10.1.0.1"}});
    QCOMPARE(list.size(), 2);
    // An adapter with two addresses is listed once, with its first IPv4 address.
    QCOMPARE(list[0].AdapterId, 1);
    QCOMPARE(list[0].AdapterDescription, QString("eth0"));
    QCOMPARE(list[0].AdapterIP, QString("192.168.1.20"));
    QCOMPARE(list[0].AdapterMask, QString("255.255.255.0"));
    QCOMPARE(list[0].AdapterGateway, QString("192.168.1.1"));
    QCOMPARE(list[0].AdapterMac, QString("00-1A-2B-3C-4D-5E"));
    QCOMPARE(list[0].DhcpEnabled, false);
    QCOMPARE(list[1].AdapterId, 2);
    QCOMPARE(list[1].AdapterDescription.size(), 132);
    QCOMPARE(list[1].AdapterGateway, QString());
    QCOMPARE(list[1].DhcpEnabled, true);
    QCOMPARE(list[1].DhcpServer, QString("10.1.0.1"));
}

void TestAdapterInfo::liveListKeepsItsPromises()
{
    // Whatever this machine has: no loopback, every entry IPv4 with a MAC in
    // hyphen form and ids counting from 1.
    const AdapterListResult r = AdapterList();
    QVERIFY(r.error.isEmpty());
    for (int i = 0; i < r.adapters.size(); ++i) {
        const TAdapterInfo &a = r.adapters.at(i);
        QCOMPARE(a.AdapterId, i + 1);
        QVERIFY(!a.AdapterIP.startsWith("127."));
        QVERIFY(QHostAddress(a.AdapterIP).protocol() == QAbstractSocket::IPv4Protocol);
        QVERIFY(!a.AdapterMac.contains(':'));
    }
}

QTEST_GUILESS_MAIN(TestAdapterInfo)
#include "tst_adapterinfo.moc"
