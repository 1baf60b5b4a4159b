#include "cardsetup/frmsetupmain.h"
#include "common/base/singleinstance.h"
#include "common/base/terminationsignals.h"
#include "common/widgets/alreadyrunning.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cardsetup"));

    SingleInstance instance(QStringLiteral("ledParamSet"));
    if (!instance.TryAcquire()) {
        ShowAlreadyRunning(QStringLiteral("显示屏控制卡参数配置程序已运行！"));
        return 0;
    }

    TfrmSetupMain form;
    TerminationSignals onTerminate([&form] { form.close(); });
    form.show();
    return app.exec();
}
