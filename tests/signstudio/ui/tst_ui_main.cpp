#include <QApplication>

int RunPlayDateTests(int argc, char *argv[]);
int RunControllerTests(int argc, char *argv[]);

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int status = 0;
    status |= RunPlayDateTests(argc, argv);
    status |= RunControllerTests(argc, argv);
    return status;
}
