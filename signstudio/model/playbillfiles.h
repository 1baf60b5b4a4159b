#pragma once

#include "signstudio/model/programfile.h"
#include "signstudio/model/project.h"

#include <QString>
#include <QStringList>

class TModelUi;

// The recently opened program files, oldest first, at most three kept.
class TRecentFiles
{
public:
    static constexpr int kMax = 3;
    QStringList Paths;
    // Appends the path (a path opened twice is listed twice); true when the
    // oldest one was dropped to keep three.
    bool Add(const QString &path);
};

// The file commands on playbills: save all, save as, open, recent file and
// new playbill. Dialogs, questions and messages go through TModelUi.
class TPlaybillFiles
{
public:
    enum SaveMode { smNormal, smOnExit };

    TPlaybillFiles(TProject &project, TModelUi &ui);

    TRecentFiles Recent;
    // The path of the last program file loaded.
    QString CurrentProgramFile;

    // prgFiles beside the program.
    QString PrgFolder() const;

    // Writes the card's playbill to path. Unless quiet the saved message is
    // shown. On success the card's program file is path and its modified
    // flag clear; on a write error the error is shown, the card keeps both
    // and false is returned.
    bool WritePlaybill(const QString &cardName, const QString &path, bool quiet);
    // Loads path into the card, showing the messages of missing files and
    // of a failed load.
    ProgramFile::TLoadResult LoadPlaybill(const QString &cardName, const QString &path);

    // Saves every card that needs it; false when the operator answered No
    // to overwriting (the remaining cards are left alone).
    bool SaveAll(SaveMode mode);
    void SaveAs(const TSelection &selection);
    // Returns true when a file was chosen and loaded (Recent changed).
    bool Open(const TSelection &selection);
    void OpenRecent(const TSelection &selection, const QString &path);
    // Empties the selected card's playbill and adds one page to it.
    TAddResult NewPlaybill(const TSelection &selection);

    QString SaveDialogTitle(const QString &cardName) const;

private:
    TProject &m_project;
    TModelUi &m_ui;
};
