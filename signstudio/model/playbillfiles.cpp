#include "signstudio/model/playbillfiles.h"

#include "signstudio/model/modelui.h"

#include <QDir>
#include <QFileInfo>

bool TRecentFiles::Add(const QString &path)
{
    Paths.append(path);
    if (Paths.size() > kMax) {
        Paths.removeFirst();
        return true;
    }
    return false;
}

TPlaybillFiles::TPlaybillFiles(TProject &project, TModelUi &ui) : m_project(project), m_ui(ui) {}

QString TPlaybillFiles::PrgFolder() const
{
    return m_project.ProgramFolderPath() + QStringLiteral("prgFiles");
}

QString TPlaybillFiles::SaveDialogTitle(const QString &cardName) const
{
    return m_project.Text(QStringLiteral("object_card")) + QLatin1Char('[') + cardName + QStringLiteral("] ")
        + m_project.Text(QStringLiteral("object_playbill")) + m_project.Text(QStringLiteral("action_save"));
}

bool TPlaybillFiles::WritePlaybill(const QString &cardName, const QString &path, bool quiet)
{
    // The file is written even when no card has any material, so pages and
    // regions are not lost and an older file does not come back.
    const QString error = ProgramFile::WriteFile(m_project, cardName, path);
    if (!error.isEmpty()) {
        m_ui.ShowMessage(QDir::toNativeSeparators(path) + QStringLiteral(": ") + error);
        return false;
    }
    if (!quiet) {
        m_ui.ShowMessage(m_project.Text(QStringLiteral("object_card")) + QLatin1Char('[') + cardName
                         + QLatin1Char(']') + m_project.Text(QStringLiteral("object_playbill")) + QLatin1Char('[')
                         + path + QLatin1Char(']') + m_project.Text(QStringLiteral("action_saved")));
    }
    if (TFIXModem *card = m_project.FindCard(cardName)) {
        card->ProgramFile = path;
        card->Modified = false;
    }
    return true;
}

ProgramFile::TLoadResult TPlaybillFiles::LoadPlaybill(const QString &cardName, const QString &path)
{
    ProgramFile::TLoadResult result = ProgramFile::LoadFile(m_project, cardName, path);
    if (result.status == ProgramFile::TLoadResult::NotFound)
        return result;
    CurrentProgramFile = path;
    for (const QString &name : result.missingFiles) {
        m_ui.ShowMessage(m_project.Text(QStringLiteral("object_file")) + QLatin1Char('[') + name + QLatin1Char(']')
                         + m_project.Text(QStringLiteral("action_not_exist"))
                         + m_project.Text(QStringLiteral("action_confirm")));
    }
    if (result.status == ProgramFile::TLoadResult::Failed)
        m_ui.ShowMessage(m_project.Text(result.error));
    return result;
}

namespace {

bool samePath(const QString &a, const QString &b)
{
    return a == b || QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

QString withDefaultSuffix(const QString &path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".prg") : path;
}

} // namespace

bool TPlaybillFiles::SaveAll(SaveMode mode)
{
    const bool quiet = mode == smOnExit;
    QList<TFIXModem *> cards;
    for (const auto &card : m_project.Cards)
        cards.append(card.get());
    for (TFIXModem *card : cards) {
        const QString name = card->Name;
        QString file = card->ProgramFile;
        const bool fileExists = !file.isEmpty() && QFileInfo::exists(file);
        // A card without pages is left alone, unless its pages were deleted
        // since its file was written: then the emptied playbill is saved.
        if (m_project.PagesOfCard(name).isEmpty() && !(card->Modified && fileExists))
            continue;
        bool unset = !fileExists;
        if (!unset && card->Modified) {
            for (const auto &other : m_project.Cards)
                if (other.get() != card && !other->ProgramFile.isEmpty() && samePath(other->ProgramFile, file))
                    unset = true;
        }
        if (unset) {
            QString path = m_ui.AskSaveFileName(SaveDialogTitle(name), PrgFolder());
            if (path.isEmpty())
                continue;
            path = withDefaultSuffix(path);
            if (QFileInfo::exists(path) && !m_ui.AskYesNo(QStringLiteral("dlg_overwrite_exist_program_file")))
                return false;
            WritePlaybill(name, path, quiet);
        } else if (card->Modified) {
            WritePlaybill(name, file, quiet);
        }
    }
    return true;
}

void TPlaybillFiles::SaveAs(const TSelection &selection)
{
    if (selection.level == TSelection::None) {
        m_ui.ShowMessage(QStringLiteral("请选择要另存的控制卡！"));
        return;
    }
    QString card = selection.cardName;
    if (selection.level == TSelection::Page && selection.page)
        card = selection.page->CardName;
    else if (selection.level == TSelection::Region && selection.region)
        card = selection.region->CardName;
    else if (selection.level == TSelection::Material && selection.fodder)
        card = selection.fodder->CardName;
    QString path = m_ui.AskSaveFileName(SaveDialogTitle(card), PrgFolder());
    if (path.isEmpty())
        return;
    path = withDefaultSuffix(path);
    if (QFileInfo::exists(path) && !m_ui.AskYesNo(QStringLiteral("dlg_overwrite_exist_program_file")))
        return;
    WritePlaybill(card, path, false);
}

bool TPlaybillFiles::Open(const TSelection &selection)
{
    if (selection.level == TSelection::None)
        return false;
    if (selection.level != TSelection::Card) {
        m_ui.ShowMessage(m_project.Text(QStringLiteral("warn_card_select_open")));
        return false;
    }
    const QString path = m_ui.AskOpenFileName(PrgFolder());
    if (path.isEmpty())
        return false;
    LoadPlaybill(selection.cardName, path);
    Recent.Add(path);
    return true;
}

void TPlaybillFiles::OpenRecent(const TSelection &selection, const QString &path)
{
    if (selection.level == TSelection::None)
        return;
    if (selection.level != TSelection::Card) {
        m_ui.ShowMessage(m_project.Text(QStringLiteral("warn_card_select_open")));
        return;
    }
    LoadPlaybill(selection.cardName, path);
}

TAddResult TPlaybillFiles::NewPlaybill(const TSelection &selection)
{
    if (selection.level != TSelection::Card)
        return TAddResult();
    m_project.ClearCard(selection.cardName);
    return m_project.AddPage(selection);
}
