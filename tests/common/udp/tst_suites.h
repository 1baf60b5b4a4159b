#pragma once

#include <QObject>

class TestParamBlock : public QObject
{
    Q_OBJECT
private slots:
    void scanMode_data();
    void scanMode();
    void rowOrder_data();
    void rowOrder();
    void encodeBytes_data();
    void encodeBytes();
    void decodeReadings_data();
    void decodeReadings();
    void roundTrip();
    void interfacePositions_data();
    void interfacePositions();
    void writeBack();
    void shortInput();
};

class TestUdpPackets : public QObject
{
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void configWrite_data();
    void configWrite();
    void configWriteGolden_data();
    void configWriteGolden();
    void configModeByte_data();
    void configModeByte();
    void domainLimits_data();
    void domainLimits();
    void dnsItem();
    void addressTexts();
    void parseItems_data();
    void parseItems();
};

class TestUdpReplies : public QObject
{
    Q_OBJECT
private slots:
    void searchReply_data();
    void searchReply();
    void infoReplyGolden();
    void infoReplyWithoutDhcpTags();
    void infoReplyWalksEveryPosition();
    void infoReplyEdgeItems_data();
    void infoReplyEdgeItems();
    void infoReplyTruncations_data();
    void infoReplyTruncations();
    void searchReplyTruncations();
    void randomDatagrams();
};
