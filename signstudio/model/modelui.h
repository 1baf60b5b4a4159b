#pragma once

#include <QString>

// What the model asks of the window: confirmations, file dialogs and
// messages. The main window implements it; tests fake it. Keys are the
// language keys of the questions (e.g. "dlg_del_page").
class TModelUi
{
public:
    virtual ~TModelUi() = default;

    // Yes/No question; true for Yes.
    virtual bool AskYesNo(const QString &key) = 0;
    // The save dialog (filter "prg(*.prg)", default extension "prg");
    // empty when cancelled.
    virtual QString AskSaveFileName(const QString &title, const QString &folder) = 0;
    // The open dialog (filter "prg(*.prg)"); empty when cancelled.
    virtual QString AskOpenFileName(const QString &folder) = 0;
    // A message box with a finished text.
    virtual void ShowMessage(const QString &text) = 0;
};
