#include "tests/common/base/tst_suites.h"

#include <QCoreApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int status = 0;
    {
        TestCommaText t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestIniFile t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestCodePage t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
