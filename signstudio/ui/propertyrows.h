#pragma once

#include "signstudio/model/project.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// One row of the property grid: key = value, with an optional pick list or
// an ellipsis button.
struct TGridRow
{
    QString key;
    QString value;
    QStringList pickList;
    bool hasPickList = false;
    bool ellipsis = false;
    bool readOnly = false;
};

// What the card rows need from the settings: the communication mode text,
// whether it is the RS-232 mode, and the two communication parameters.
struct TCommInfo
{
    QString commMode;
    bool rs232 = false;
    QString param01;
    QString param02;
};

// What an edit changed besides the model, for the views to follow.
struct TEditOutcome
{
    bool applied = false;
    bool renamed = false;          // the tree node takes newName
    QString oldName;
    QString newName;
    bool boundsChanged = false;    // the region panel takes the region's bounds
    bool previewChanged = false;   // the material's preview is redrawn
    QList<int> rewritten;          // rows whose value (or pick list) changed
};

// The rows of the selected object and the edit rules that write typed values
// into the model. Rows are identified by position, not by key.
class TPropertyRows
{
public:
    explicit TPropertyRows(TProject &project);

    // Settings behind the card rows; empty by default.
    std::function<TCommInfo()> CommInfo;

    TSelection::Level Level() const { return m_level; }
    const QList<TGridRow> &Rows() const { return m_rows; }
    QString CardName() const { return m_cardName; }
    TProgram *Page() const { return m_page; }
    TRegion *Region() const { return m_region; }
    TFodder *Fodder() const { return m_fodder; }
    bool IsEmpty() const { return m_rows.isEmpty(); }

    void Clear();
    void ShowCard(const QString &cardName);
    void ShowPage(TProgram *page);
    void ShowRegion(TRegion *region);
    void ShowFodder(TFodder *fodder);
    // Shows the rows of a selection (nothing for none).
    void Show(const TSelection &selection);
    // Rebuilds the rows of the object shown (after a language switch or an
    // outside change).
    void Refresh();

    // The grid's text of row changed to text: applies the row's rule.
    TEditOutcome Edit(int row, const QString &text);

    // Results of the ellipsis dialogs of a page: the week days chosen in the
    // play-day dialog (byWeek: the second radio item), and the position
    // (0 every day, 1 before, 2 after) and moment of the date-time dialog.
    TEditOutcome SetPageWeekDays(const QString &value, bool byWeek);
    TEditOutcome SetPagePlayDate(int position, const QString &moment);

    // Texts of the page rows' extras (kind-2 texts of the page list).
    QString EveryDayText() const;
    QString NoteText() const;
    QStringList DatePositionTexts() const;

    // The pick-list text of a material (sizes and kinds numbers
    // filled in for the card).
    QString FodderPickSpec(const TFodder *fodder) const;

    // Fields of the material rows.
    enum Field {
        fType, fName, fUID, fPlayTimes, fDisplayMode, fSpeed, fStay, fDigitColor, fCharColor,
        fInnerColor, fFont, fSize, fYearDigit, fTimeFormat, fCountFormat, fDisplayFormat,
        fTimeDiff, fAccumulative, fHour, fMinute, fWindowAddress, fDoubleColor, fFlashTimes,
        fCountTime, fDataKind, fKindsNumber, fSuffix, fRefresh, fRtColor, fRightColumn,
        fLeftColumn, fFrameSpeed, fAnimationFile
    };
    static QList<Field> FodderFields(int kind);

private:
    QStringList rowNames(int index) const;
    QStringList optionList(int n) const;
    QStringList fontList() const;
    int matrixCount() const;
    TFIXModem *card() const;
    QString fieldText(const TFodder *f, Field field, const QStringList &pick) const;
    void applyPickLists(const QString &listText);
    TEditOutcome editPage(int row, const QString &text);
    TEditOutcome editRegion(int row, const QString &text);
    TEditOutcome editFodder(int row, const QString &text);
    TEditOutcome rename(const QString &text);
    int indexIn(int row, const QString &text) const;

    TProject &m_project;
    TSelection::Level m_level = TSelection::None;
    QString m_cardName;
    TProgram *m_page = nullptr;
    TRegion *m_region = nullptr;
    TFodder *m_fodder = nullptr;
    QList<TGridRow> m_rows;
};
