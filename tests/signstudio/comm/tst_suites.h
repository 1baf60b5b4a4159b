#pragma once

#include <QObject>

class TestTransports : public QObject
{
    Q_OBJECT
private slots:
    void serialBurstIsGatheredUntilSilence();
    void serialOversizedBurstIsDropped();
    void serialWriteReachesPeer();
    void serialMissingPortFailsToOpen();
    void serverGreetsBeforeClientSpeaks();
    void serverDeliversReadsAndDisconnects();
    void serverDiscardsOversizedRead();
    void serverLimitsUnregisteredConnections();
    void serverClosesGarbageSender();
    void serverSweepsSilentUnregistered();
    void registeredConnectionIsNotSwept();
    void findFreePortSkipsTakenPort();
    void macFromArpTable_data();
    void macFromArpTable();
    void flushArpRejectsUnsafeText_data();
    void flushArpRejectsUnsafeText();
    void udpBindSendReceive();
};

class TestConversation : public QObject
{
    Q_OBJECT
private slots:
    void identifyArrivesFirstThenClock_data();
    void identifyArrivesFirstThenClock();
    void heartbeatRegistersWithoutClock_data();
    void heartbeatRegistersWithoutClock();
    void refusedIdentityIsAskedAgain_data();
    void refusedIdentityIsAskedAgain();
    void unreadableSizeDropsTheRead_data();
    void unreadableSizeDropsTheRead();
    void knownCardTwoFramesInOneRead_data();
    void knownCardTwoFramesInOneRead();
    void severalCardsShareOneCode();
    void disconnectTakesCardOffline();
    void silenceShowsOfflineAtTick_data();
    void silenceShowsOfflineAtTick();
    void onlineTimerGates_data();
    void onlineTimerGates();
    void replyHandling_data();
    void replyHandling();
    void paramReplyIsWrittenBack();
    void writeErrorTakesCardOffline();
    void offlineCardClosesItsConnection();
};

class TestCardOperations : public QObject
{
    Q_OBJECT
private slots:
    void playCommands_data();
    void playCommands();
    void nothingSelectedWritesNothing();
    void failuresLeaveSameStatus();
    void clockIsSerialVariant();
    void screenParamsAlwaysOnSerial_data();
    void screenParamsAlwaysOnSerial();
    void paramWindowChecks_data();
    void paramWindowChecks();
    void paramWindowWithoutSelection();
};

class TestLinkStart : public QObject
{
    Q_OBJECT
private slots:
    void openSerialWaitsAndShows_data();
    void openSerialWaitsAndShows();
    void openSerialFailureShowsOpenFailed();
    void missingDeviceShowsOpenFailed();
    void openServerStoresPortAndStartsTimer();
    void openServerOnTakenPortFails();
    void modeOfCommModeText_data();
    void modeOfCommModeText();
    void startLinkByMode();
};

class TestSerialDispatch : public QObject
{
    Q_OBJECT
private slots:
    void bareFrames_data();
    void bareFrames();
    void bareFrameWithoutCards();
    void envelopes_data();
    void envelopes();
    void secondEnvelopeFollowsLater();
};
