#include "signstudio/lang/langtext.h"
#include "tests/signstudio/render/tst_suites.h"

#include <QGuiApplication>
#include <QLocale>
#include <QTest>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SetLanguage(true, 2);
    int status = 0;
    auto run = [&](QObject &&suite) { status |= QTest::qExec(&suite, argc, argv); };
    run(TestRunText());
    run(TestRichLayout());
    run(TestPlainLayout());
    run(TestTimeText());
    run(TestPackPixels());
    run(TestContentFrames());
    run(TestConvertForSend());
    return status;
}
