#include "tests/signstudio/model/tst_suites.h"

#include <QCoreApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int status = 0;
    auto run = [&](QObject &suite) { status |= QTest::qExec(&suite, argc, argv); };
    {
        TestCardObject t;
        run(t);
    }
    {
        TestNaming t;
        run(t);
    }
    {
        TestSchedule t;
        run(t);
    }
    {
        TestProjectModel t;
        run(t);
    }
    {
        TestProgramFile t;
        run(t);
    }
    {
        TestPlaybillFiles t;
        run(t);
    }
    return status;
}
