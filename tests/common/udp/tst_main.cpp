#include "tests/common/udp/tst_suites.h"

#include <QCoreApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int status = 0;
    {
        TestParamBlock t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestUdpPackets t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestUdpReplies t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
