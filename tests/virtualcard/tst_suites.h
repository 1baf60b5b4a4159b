#pragma once

#include <QObject>

class TestPlaneUnpacker : public QObject
{
    Q_OBJECT
private slots:
    void handTables_data();
    void handTables();
    void roundTrip_data();
    void roundTrip();
    void paddingComesBackDark();
    void shortDataLeavesRestDark();
    void badSizes();
};

class TestProgramText : public QObject
{
    Q_OBJECT
private slots:
    void schedule_data();
    void schedule();
    void badSchedule_data();
    void badSchedule();
    void materialEntry();
    void substitutedRoundTrip();
    void badText_data();
    void badText();
    void playsAt_data();
    void playsAt();
};

class TestReceiver : public QObject
{
    Q_OBJECT
private slots:
    void identityRoundTrip_data();
    void identityRoundTrip();
    void malformedIdentity();
    void clockText();
    void contentFrameFields();
    void pictureMaterialRoundTrip_data();
    void pictureMaterialRoundTrip();
    void parameterAndTextMaterials();
    void missingPacketIsAskedFor();
    void badCrcIsAskedFor();
    void lostLastFrameAskedAgainAtEnd();
    void remoteTextProgram();
    void refusals_data();
    void refusals();
    void garbageNeverCrashes();
    void streamAssembler();
};

class TestLinks : public QObject
{
    Q_OBJECT
private slots:
    void tcpConversation();
    void tcpProgramSend();
    void tcpFaults();
    void tcpRefusesOtherAddresses();
    void udpDiscoveryAndWrites();
    void serialLineOnPty();
    void rs485BusWithTwoCards();
    void programSavesWhatItReceives();
    void programRefusesBadOptions_data();
    void programRefusesBadOptions();
};

class TestShow : public QObject
{
    Q_OBJECT
private slots:
    void parameters_data();
    void parameters();
    void saveWritesPngAndSummary();
    void saveKeepsNamesInsideTheFolder();
    void saveReportsFailure();
    void playerTurnsPagesAndObeysSchedules();
    void playerDrawsCardDrawnMaterials();
};
