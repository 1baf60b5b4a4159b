#include "signstudio/comm/codec/classifyreply.h"
#include "signstudio/comm/tcplink.h"
#include "signstudio/lang/langtext.h"
#include "tests/signstudio/comm/tst_suites.h"

#include <QCoreApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qRegisterMetaType<TcpLink *>();
    qRegisterMetaType<ReplyInfo>();
    SetLanguage(true, 2); // English texts
    int status = 0;
    {
        TestTransports t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestConversation t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestCardOperations t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestSerialDispatch t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestLinkStart t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
