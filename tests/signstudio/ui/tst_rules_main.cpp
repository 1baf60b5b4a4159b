#include <QCoreApplication>

int RunEditRulesTests(int argc, char *argv[]);
int RunPropertyRowsTests(int argc, char *argv[]);

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int status = 0;
    status |= RunEditRulesTests(argc, argv);
    status |= RunPropertyRowsTests(argc, argv);
    return status;
}
