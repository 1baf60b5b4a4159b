#include "signstudio/app/frmmain.h"

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("LED Display Control Software V2.23"));
    resize(1024, 700);
}
