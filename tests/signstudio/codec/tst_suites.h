#pragma once

#include <QObject>

class TestChecksums : public QObject
{
    Q_OBJECT
private slots:
    void crcKnownValues_data();
    void crcKnownValues();
    void crcMatchesBitwiseReference();
    void crcContinues();
    void xorCheck_data();
    void xorCheck();
};

class TestFrames : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void golden_data();
    void golden();
    void packetIdForm();
    void packetIdRange();
    void clockWeekdayAndPadding_data();
    void clockWeekdayAndPadding();
    void programDataLimits_data();
    void programDataLimits();
    void programDataSubstitutes();
    void substituteSchedules_data();
    void substituteSchedules();
    void innerCodeText_data();
    void innerCodeText();
    void innerCodeRoundTrip();
    void writeParamsRawBlock();
};

class TestEnvelopes : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void golden_data();
    void golden();
    void envelopeSizes_data();
    void envelopeSizes();
    void encodeForLink_data();
    void encodeForLink();
    void splitForBus_data();
    void splitForBus();
    void splitForBusReassembles();
    void sliceFrame();
    void parseSentFrames_data();
    void parseSentFrames();
    void parseRejects_data();
    void parseRejects();
};

class TestReceived : public QObject
{
    Q_OBJECT
private slots:
    void tcpRead_data();
    void tcpRead();
    void serialRead_data();
    void serialRead();
    void classify_data();
    void classify();
    void classifyBusFields();
    void identityGolden();
    void identityInEnvelope();
    void identityRejects_data();
    void identityRejects();
    void identityDefaults();
    void identityTruncations_data();
    void identityTruncations();
    void paramReply_data();
    void paramReply();
    void paramWriteBack();
    void randomBytesNeverCrash();
};

class TestSignStudioUdp : public QObject
{
    Q_OBJECT
private slots:
    void golden_data();
    void golden();
};
