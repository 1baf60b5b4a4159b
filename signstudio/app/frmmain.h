#pragma once

#include <QMainWindow>

// The main window of signstudio.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
};
