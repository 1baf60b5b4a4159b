#include "tests/virtualcard/tst_suites.h"

#include <QGuiApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    int status = 0;
    {
        TestPlaneUnpacker t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestProgramText t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestReceiver t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestShow t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestLinks t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
