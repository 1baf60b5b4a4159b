#include "common/base/singleinstance.h"
#include "common/base/terminationsignals.h"
#include "common/widgets/alreadyrunning.h"
#include "signstudio/app/commlinkadapter.h"
#include "signstudio/app/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("signstudio"));

    // Checked before any window exists, so a second instance never touches
    // the settings file.
    SingleInstance instance(QStringLiteral("hkOneCopy"));
    if (!instance.TryAcquire()) {
        ShowAlreadyRunning(QStringLiteral("LED display control software is already running."));
        return 0;
    }

    // Declared before the window: the window closes the links as it goes.
    TCommLinkAdapter cardLinks;
    TfrmMain frmMain;
    frmMain.SetCommLink(&cardLinks);
    TerminationSignals onTerminate([&frmMain] { frmMain.close(); });
    frmMain.show();
    return app.exec();
}
