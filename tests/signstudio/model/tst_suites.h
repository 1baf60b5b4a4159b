#pragma once

#include <QObject>

class TestCardObject : public QObject
{
    Q_OBJECT
private slots:
    void createDefaults();
    void onlineAndOffline();
    void timeout_data();
    void timeout();
    void onlineTick_data();
    void onlineTick();
    void repeatedNamesTakeLastCard();
    void pollTimeClamp_data();
    void pollTimeClamp();
    void capabilityBytes_data();
    void capabilityBytes();
    void applyIdentity();
    void failedWriteGoesOffline();
    void cardListLookups();
};

class TestNaming : public QObject
{
    Q_OBJECT
private slots:
    void uidFormat();
    void uidsInARowDiffer();
    void uidSameMillisecondMovesOn();
    void nextFreeName_data();
    void nextFreeName();
};

class TestSchedule : public QObject
{
    Q_OBJECT
private slots:
    void scheduleBytes_data();
    void scheduleBytes();
    void unparsedDateUsesNow();
};

class TestProjectModel : public QObject
{
    Q_OBJECT
private slots:
    void addPageLevels_data();
    void addPageLevels();
    void addPageFillsNamingGap();
    void addRegionSize_data();
    void addRegionSize();
    void addFodderDefaults_data();
    void addFodderDefaults();
    void addFodderWrongLevel();
    void fodderNameSkipsTakenNumbers();
    void queueComesFirst();
    void insertBeforeSelectedMaterial();
    void addableKinds();
    void remoteTextOncePerCard();
    void renameRegionThenDeleteMaterial();
    void samNamesOnTwoPages();
    void deleteCascadesWithinCard();
    void deleteAnsweredNo();
    void renameCollisions();
    void renameCardFollows();
    void resizeEmptiesPlaybill();
    void clearAllResetsCounters();
    void moveMaterial();
    void remoteTextItemsBelongToNoCard();
};

class TestProgramFile : public QObject
{
    Q_OBJECT
private slots:
    void writesHandWrittenLayout();
    void readsHandWrittenChineseFile();
    void roundTripEveryKindAndField();
    void roundTripContent_data();
    void roundTripContent();
    void markersInContentAndFiles();
    void awkwardNamesReadBack_data();
    void awkwardNamesReadBack();
    void materialFieldCounts_data();
    void materialFieldCounts();
    void pageFieldCounts_data();
    void pageFieldCounts();
    void regionFit_data();
    void regionFit();
    void failureEmptiesCard();
    void nonNumericMaterialFields();
    void smallTypeCodeNotWritten();
    void tableFilesRelativeToProgramFolder();
    void twoCardsShareOneFile();
    void garbageNeverCrashes_data();
    void garbageNeverCrashes();
    void hugeFileRefused();
    void largePlaybillLoads();
};

class TestPlaybillFiles : public QObject
{
    Q_OBJECT
private slots:
    void saveAllAsksForUnsetFile();
    void saveAllCancelAndNo();
    void saveAllOnExitIsQuiet();
    void saveAllSharedFileAsksAgain();
    void saveWithoutMaterialsStillWrites();
    void saveAllKeepsDeletionOfAllPages();
    void writeFailureKeepsModifiedFlag();
    void failedWriteKeepsOldFile();
    void saveAsNeedsSelection();
    void openNeedsCardAndKeepsThreeRecent();
    void missingFileMessages();
    void loadOfMissingFileChangesNothing();
    void newPlaybillHasOnePage();
};
