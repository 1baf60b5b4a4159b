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

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startupReadsCardsAndWritesBack();
    void networkCardsChecked_data();
    void networkCardsChecked();
    void noCardsOffersOnlyNewCard();
    void choiceDialog_data();
    void choiceDialog();
    void failedAdapterListSkipsBinding();
    void tipsWindow_data();
    void tipsWindow();
    void exitQuestion_data();
    void exitQuestion();
    void workPortMovesUp();
    void titleFile();
    void languageSwitch();
    void keyboard();
    void menusInDesignedOrder();
    void recentFiles();
    void enablingFollowsSelection();
    void outsidePrograms();
    void cardCommandsReachTheLink();
    void startupLanguage_data();
    void startupLanguage();
    void deletedCardLeavesTheSettings_data();
    void deletedCardLeavesTheSettings();
};
