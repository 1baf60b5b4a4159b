#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "Usage: virtualcard [options]\n"
                           "A simulated LED control card.\n";
    return 0;
}
