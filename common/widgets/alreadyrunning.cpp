#include "common/widgets/alreadyrunning.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

void ShowAlreadyRunning(const QString &message)
{
    if (qEnvironmentVariableIsSet("SIGN_NONINTERACTIVE")) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        return;
    }
    QMessageBox::information(nullptr, QApplication::applicationName(), message);
}
