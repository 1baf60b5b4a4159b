#pragma once

#include <QObject>

class TestAppSettings : public QObject
{
    Q_OBJECT
private slots:
    void defaultsWrittenInOrder();
    void roundTripKeepsEverything();
    void pollTimeClamped_data();
    void pollTimeClamped();
    void cardLine_data();
    void cardLine();
    void cardLineKeepsExistingRelativeFile();
    void cardLineWrittenRelative_data();
    void cardLineWrittenRelative();
    void commMode_data();
    void commMode();
};

class TestStartupSteps : public QObject
{
    Q_OBJECT
private slots:
    void workPortSkipsBusyPort();
    void workPortFreeStaysPut();
    void titleFile_data();
    void titleFile();
    void dataFoldersCreated();
    void appIconLastIcoWins();
    void debugLogSwitch();
};

class TestActionEnabling : public QObject
{
    Q_OBJECT
private slots:
    void actions_data();
    void actions();
    void popup_data();
    void popup();
};
