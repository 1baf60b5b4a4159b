#include "signstudio/comm/tcplink.h"
#include "tests/signstudio/comm/tst_suites.h"

#include <QCoreApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qRegisterMetaType<TcpLink *>();
    int status = 0;
    {
        TestTransports t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
