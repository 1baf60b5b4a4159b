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
