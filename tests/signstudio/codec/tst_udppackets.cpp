#include "signstudio/comm/codec/udppackets.h"
#include "tests/common/udp/goldenhex.h"
#include "tests/signstudio/codec/tst_suites.h"

#include <QTest>

namespace {

MacAddress Mac()
{
    return MacAddress::FromHexText(QStringLiteral("00:1a:2B:3c:4D:5E")).Value;
}

} // namespace

void TestSignStudioUdp::golden_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<int>("size");

    const QByteArray block("\x15\x01\x01\x40\x00\xA0\x02\x00\x03\x01\x05\x22\x44\x22\x22\x11\x1E", 17);
    QTest::newRow("parameter write") << "udp/param_write.hex" << UdpParamWrite(Mac(), block) << 31;
    QTest::newRow("set server") << "udp/set_server.hex"
                                << UdpSetServer(Mac(), Ipv4Address::FromOctets(192, 168, 1, 5),
                                                Ipv4Address::FromOctets(255, 255, 255, 0),
                                                Ipv4Address::FromOctets(192, 168, 1, 100), 8900)
                                << 24;
    QTest::newRow("close notice") << "udp/close_notice.hex" << UdpCloseNotice(Mac()) << 11;
}

void TestSignStudioUdp::golden()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, built);
    QFETCH(int, size);
    QString error;
    const QByteArray expected = LoadGoldenHex(file, &error);
    QVERIFY2(!expected.isEmpty(), qPrintable(error));
    QCOMPARE(expected.size(), size);
    QCOMPARE(built.toHex(' '), expected.toHex(' '));
}
