#pragma once

#include <QMainWindow>

// The main window of the card configuration tool.
class TfrmSetupMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmSetupMain(QWidget *parent = nullptr);
};
