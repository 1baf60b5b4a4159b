#include "tests/signstudio/app/tst_suites.h"

#include <QApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    // The window picks its language from the locale; the tests expect English
    // unless they set a locale themselves.
    qputenv("LC_ALL", "C");
    QApplication app(argc, argv);
    int status = 0;
    {
        TestAppSettings t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestStartupSteps t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestActionEnabling t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestMainWindow t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
