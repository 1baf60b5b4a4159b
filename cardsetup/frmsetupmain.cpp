#include "cardsetup/frmsetupmain.h"

TfrmSetupMain::TfrmSetupMain(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("LED Param Setting V3.45"));
    resize(800, 600);
}
