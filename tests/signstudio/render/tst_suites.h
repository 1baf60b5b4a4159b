#pragma once

#include <QObject>

class TestRunText : public QObject
{
    Q_OBJECT
private slots:
    void richRuns_data();
    void richRuns();
    void richRunFields();
    void plainRuns_data();
    void plainRuns();
    void colourTable_data();
    void colourTable();
    void fontVocabulary();
    void fontSizeItems_data();
    void fontSizeItems();
    void styleFlags_data();
    void styleFlags();
    void xCorrection_data();
    void xCorrection();
    void fontCatalogue_data();
    void fontCatalogue();
};

class TestRichLayout : public QObject
{
    Q_OBJECT
private slots:
    void emptyGivesNoPages_data();
    void emptyGivesNoPages();
    void singleLineEditorLinesArePages();
    void heightRuleKeepsMatrixCells();
    void multiLineFit_data();
    void multiLineFit();
    void verAlignCentresWhatStays();
    void alignment_data();
    void alignment();
    void stripSplitsRun();
    void stripRunEndingAtWidthStartsBlankPage();
    void stripRunWiderThanPages();
    void mirroredStrip();
    void verticalStrip();
    void firstOnly();
    void pageLimit();
    void yAxisPosShifts();
    void layoutChoice_data();
    void layoutChoice();
    void renderToImage();
};

class TestPlainLayout : public QObject
{
    Q_OBJECT
private slots:
    void centredLine_data();
    void centredLine();
    void tooTallGivesNoPages();
    void pagedWraps_data();
    void pagedWraps();
    void lowRegionKeepsStrip();
    void coloursPerRun();
};

class TestTimeText : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void timeTexts_data();
    void timeTexts();
    void englishSeparatorsInCharColour();
    void counters_data();
    void counters();
    void dataTexts_data();
    void dataTexts();
    void parseMoment_data();
    void parseMoment();
    void layoutOfTimeText();
};

class TestPackPixels : public QObject
{
    Q_OBJECT
private slots:
    void pack_data();
    void pack();
    void unpaddedGroups();
    void formatsAgree();
    void fitToRegion_data();
    void fitToRegion();
    void badInput();
};

class TestContentFrames : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void packetCounts_data();
    void packetCounts();
    void parameterFrames_data();
    void parameterFrames();
    void pictureFrame();
    void innerTextFrames();
    void picturePackets_data();
    void picturePackets();
    void rs485Slices();
    void endMarkOnlyOnce();
    void remoteTextFrame();
    void cardQueue();
    void refusesBadMaterial_data();
    void refusesBadMaterial();
};

class TestConvertForSend : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void textPages();
    void picturesFitted();
    void animationFramesInOrder();
    void failures_data();
    void failures();
    void cardDrawnKinds_data();
    void cardDrawnKinds();
    void textOverPageLimit();
};
