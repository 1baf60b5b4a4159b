#include "tests/signstudio/codec/tst_suites.h"

#include <QCoreApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int status = 0;
    {
        TestChecksums t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestFrames t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestEnvelopes t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestReceived t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestSignStudioUdp t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
