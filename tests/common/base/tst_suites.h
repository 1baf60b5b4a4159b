#pragma once

#include <QObject>

class TestCommaText : public QObject
{
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void delimited_data();
    void delimited();
    void joinRoundTrip();
};

class TestIniFile : public QObject
{
    Q_OBJECT
private slots:
    void orderAndCaseKept();
    void defaultsAndNumbers();
    void eraseSectionAndEmptyValues();
    void roundTripThroughBuffer();
    void failedSaveKeepsOldFile();
    void chineseValuesInCodePage();
};

class TestCodePage : public QObject
{
    Q_OBJECT
private slots:
    void cut_data();
    void cut();
    void big5Override();
};
